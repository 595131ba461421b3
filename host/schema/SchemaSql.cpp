// DDL text of the table definitions, in SQL dialect 1.

#include "host/schema/SchemaDefinition.h"

#include <algorithm>

namespace host::schema {

std::vector<const TableDef*> allTables()
{
    std::vector<const TableDef*> tables;
    for (const auto& t : hostTables())
        tables.push_back(&t);
    for (const auto& t : moduleBaseTables())
        tables.push_back(&t);
    return tables;
}

const TableDef* findTable(const QString& name)
{
    for (const TableDef* t : allTables())
        if (name.compare(QLatin1String(t->name), Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

QString columnTypeSql(const ColumnType& type)
{
    switch (type.kind) {
    case ColumnKind::VarChar:
        return QStringLiteral("VARCHAR(%1)").arg(type.length)
               + (type.latin1 ? QStringLiteral(" CHARACTER SET ISO8859_1") : QString());
    case ColumnKind::SmallInt: return QStringLiteral("SMALLINT");
    case ColumnKind::Integer: return QStringLiteral("INTEGER");
    case ColumnKind::Timestamp: return QStringLiteral("TIMESTAMP");
    case ColumnKind::Double: return QStringLiteral("DOUBLE PRECISION");
    case ColumnKind::Valor: return QLatin1String(kDomainValor);
    case ColumnKind::ProductCode: return QLatin1String(kDomainProductCode);
    case ColumnKind::Memo: return QStringLiteral("BLOB SUB_TYPE 1");
    case ColumnKind::Blob: return QStringLiteral("BLOB SUB_TYPE 0");
    }
    return {};
}

QString columnSql(const ColumnDef& column, bool inKey)
{
    QString sql = QLatin1String(column.name) + QLatin1Char(' ') + columnTypeSql(column.type);
    if (column.defaultValue)
        sql += QStringLiteral(" DEFAULT ") + QString::fromUtf8(column.defaultValue);
    if (inKey || column.required)
        sql += QStringLiteral(" NOT NULL");
    return sql;
}

static bool isKeyColumn(const TableDef& table, const char* column)
{
    return std::any_of(table.key.begin(), table.key.end(),
                       [&](const char* k) { return qstrcmp(k, column) == 0; });
}

QString createTableSql(const TableDef& table)
{
    QStringList parts;
    for (const ColumnDef& c : table.columns)
        parts << columnSql(c, isKeyColumn(table, c.name));
    if (!table.key.empty()) {
        QStringList key;
        for (const char* k : table.key)
            key << QLatin1String(k);
        parts << QStringLiteral("CONSTRAINT PK_%1 PRIMARY KEY (%2)")
                     .arg(QLatin1String(table.name), key.join(QStringLiteral(", ")));
    }
    return QStringLiteral("CREATE TABLE %1 (\n  %2\n)")
        .arg(QLatin1String(table.name), parts.join(QStringLiteral(",\n  ")));
}

QString addColumnSql(const TableDef& table, const ColumnDef& column)
{
    // A key column added late cannot be NOT NULL over existing rows; the
    // primary key only comes with a table created here.
    ColumnDef added = column;
    added.required = false;
    return QStringLiteral("ALTER TABLE %1 ADD %2").arg(QLatin1String(table.name), columnSql(added, false));
}

}  // namespace host::schema
