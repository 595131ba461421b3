#include "host/ui/DataControl.h"

#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Errors.h"

namespace host::ui {

void DataControl::setDataSource(host::data::DataSource* source)
{
    DataLink::setDataSource(source);
    showField();
}

void DataControl::setDataField(const QString& fieldName)
{
    fieldName_ = fieldName;
    showField();
}

void DataControl::bind(host::data::DataSource* source, const QString& fieldName)
{
    fieldName_ = fieldName;
    setDataSource(source);
}

host::data::Field* DataControl::field() const
{
    host::data::Dataset* data = dataset();
    if (!data || !data->active() || fieldName_.isEmpty())
        return nullptr;
    return data->findField(fieldName_);
}

bool DataControl::canModify() const
{
    host::data::Field* f = field();
    return f && !f->readOnly() && f->kind() != host::data::FieldKind::Calculated && dataset()->canModify();
}

bool DataControl::beginChange()
{
    if (refreshing_)
        return false;
    bool ok = false;
    if (canModify()) {
        changing_ = true;
        runGuarded([&] { ok = DataLink::edit(); });
        changing_ = false;
    }
    if (!ok)
        showField();
    return ok;
}

bool DataControl::writeChoice()
{
    if (!modified_ && !beginChange())
        return false;
    modified_ = true;
    return runGuarded([this] { commit(); });
}

void DataControl::commit()
{
    if (!modified_ || writing_)
        return;
    host::data::Field* f = field();
    modified_ = false;
    if (!f)
        return;
    writing_ = true;
    try {
        writeField(*f);
    } catch (...) {
        // A refused text typed in a box stays there, still to be written,
        // for the user to mend (Esc gives back the field's value): the row is
        // not posted over it. A refused choice shows the field's value again.
        writing_ = false;
        modified_ = keepRefused();
        refused_ = modified_;
        if (!modified_)
            showField();
        throw;
    }
    writing_ = false;
    showField();
}

void DataControl::commitLeaving()
{
    if (!refused_)
        commit();
}

// A post meeting a refused text on show is refused in words: the text is
// brought back to the user's eyes and written again, so the field tells why.
void DataControl::updateData()
{
    if (refused_ && modified_)
        showRefused();
    commit();
}

void DataControl::showField()
{
    if (writing_ || changing_)
        return;
    refreshing_ = true;
    modified_ = false;
    refused_ = false;
    refresh();
    refreshing_ = false;
}

void DataControl::dataChanged(host::data::Field* changed)
{
    if (!changed || changed == field())
        showField();
}

} // namespace host::ui
