#pragma once
// The host's dynamic form (unit UFormDinamica): one record of any table in a
// window built from its columns, for the fields a company adds to a table
// beyond the system's own.

#include "host/ui/Form.h"

#include <QStringList>
#include <QVariantList>

#include <memory>

namespace host::data {
class DataSource;
class Query;
}

class TfmFormDinamica : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmFormDinamica(QWidget* parent = nullptr);
    ~TfmFormDinamica() override;

    std::unique_ptr<host::data::Query> quRegistro;   // the record, editable by its key columns
    std::unique_ptr<host::data::DataSource> dsRegistro;
};

// Opens the record of the table whose key columns have the given values
// (same count; values are parameters). The key columns are shown read-only
// under their captions, every other column (blobs aside) as an edit under
// its name. "&Gravar" saves and commits (retaining), "&Cancelar" or Esc
// leaves the record as it was; bSomenteLeitura shows it only. A record that
// does not exist: "Registro não encontrado." and false. True when saved.
bool AbrirFormDinamica(const QString& tabela, const QStringList& chaves, const QStringList& captions,
                       const QVariantList& valores, bool bSomenteLeitura = false);
