#pragma once
// The datasets of TdmTecContrato as data: statement, table written, key of
// the modify and delete statements, and the persistent fields. The update
// statements are generated from the fields that belong to the table, so the
// joined description columns are never written.

#include "host/data/Field.h"

namespace host::data {
class Dataset;
}

#include <QString>
#include <QStringList>

#include <vector>

namespace uDataTecCont {

struct FieldDef {
    QString name;
    host::data::FieldType type;
    int size = 0;
    bool joined = false;       // a description from another table: read only
    bool calculated = false;
};

struct DatasetDef {
    QString dataset;           // "quCtrCadastro"
    QString update;            // "usCtrCadastro"; empty for read-only datasets
    QString table;             // the table the update object writes
    QString alias;             // the table's alias in the statement (for the refresh)
    QStringList key;           // columns compared with :OLD_ in modify and delete
    QString sql;               // the statement at design time
    QString refreshSql;        // empty: no refresh statement
    std::vector<FieldDef> fields;

    std::vector<const FieldDef*> tableFields() const;   // written by the update object
};

// Every dataset, in the order the data module creates them.
const std::vector<DatasetDef>& datasetDefs();
const DatasetDef& datasetDef(const QString& dataset);

// The update statements generated from a definition.
QString insertSql(const DatasetDef& def);
QString modifySql(const DatasetDef& def);
QString deleteSql(const DatasetDef& def);

// A column of the contract table that a window's free filter may compare
// ("cont." + its name): the field of quCtrCadastro at that index, or null for
// a joined description, a calculated value or no choice (index < 0).
const host::data::Field* CampoLivreContrato(const host::data::Dataset& cadastro, int indice);

// Parses "NAME:type NAME:type ..." (types: i integer, h smallint, f float,
// d date-time, m memo, sN text of N; a leading * marks a joined field, a
// leading = a calculated one).
std::vector<FieldDef> parseFields(const char* text);

}  // namespace uDataTecCont
