// MemDataset: rows kept in memory only.
#include "host/data/MemDataset.h"

namespace host::data {

MemDataset::MemDataset(host::Component* owner, const QString& name) : Dataset(owner, name) {}

MemDataset::~MemDataset() = default;

void MemDataset::openData()
{
    int dataFields = 0;
    for (Field* field : fields()) {
        if (field->kind() != FieldKind::Data)
            continue;
        defineColumn(field->fieldName(), field->dataType(), field->size());
        ++dataFields;
    }
    if (dataFields == 0)
        throw DatasetError(QString("%1: defina os campos antes de abrir.").arg(name()));
}

void MemDataset::emptyDataset()
{
    clearRows();
}

}  // namespace host::data
