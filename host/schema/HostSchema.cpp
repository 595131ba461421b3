#include "host/schema/HostSchema.h"

#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QSet>

namespace host {

using namespace host::schema;

namespace {

bool domainExists(db::Transaction& tr, const char* domain)
{
    return db::selectValue(tr, QStringLiteral("select count(*) from rdb$fields where rdb$field_name = :name"),
                           {{QStringLiteral("name"), QLatin1String(domain)}})
               .toInt() > 0;
}

// Returns whether any DDL ran.
bool createDomains(db::Transaction& tr)
{
    struct Domain { const char* name; const char* type; };
    // DOVALOR: money and quantities, a double as every such dataset field is.
    static const Domain domains[] = {{kDomainValor, "DOUBLE PRECISION"},
                                     {kDomainProductCode, "VARCHAR(11)"}};
    bool changed = false;
    for (const Domain& d : domains) {
        if (domainExists(tr, d.name))
            continue;
        db::executeSql(tr, QStringLiteral("CREATE DOMAIN %1 AS %2").arg(QLatin1String(d.name), QLatin1String(d.type)));
        changed = true;
    }
    return changed;
}

}  // namespace

bool completeTable(db::Transaction& tr, const TableDef& table)
{
    if (!db::tableExists(tr, QLatin1String(table.name))) {
        db::executeSql(tr, createTableSql(table));
        return true;
    }
    QSet<QString> present;
    for (const QString& c : db::tableColumns(tr, QLatin1String(table.name)))
        present.insert(c.trimmed().toUpper());
    bool changed = false;
    for (const ColumnDef& c : table.columns) {
        if (present.contains(QLatin1String(c.name)))
            continue;
        db::executeSql(tr, addColumnSql(table, c));
        changed = true;
    }
    return changed;
}

namespace {

// A new generator starts at the largest key already stored, so that its next
// value is free.
void createGenerator(db::Transaction& tr, const char* generator, const char* table, const char* key)
{
    if (db::generatorExists(tr, QLatin1String(generator)))
        return;
    db::executeSql(tr, QStringLiteral("CREATE GENERATOR %1").arg(QLatin1String(generator)));
    tr.commitRetaining();
    const qint64 largest =
        db::selectValue(tr, QStringLiteral("select coalesce(max(%1), 0) from %2").arg(QLatin1String(key), QLatin1String(table)))
            .toLongLong();
    if (largest > 0)
        db::generatorValue(tr, QLatin1String(generator), static_cast<int>(largest));
}

}  // namespace

void createHostSchema(db::Transaction& transaction)
{
    if (createDomains(transaction))
        transaction.commitRetaining();
    bool changed = false;
    for (const TableDef* table : allTables())
        changed = completeTable(transaction, *table) || changed;
    if (changed)
        transaction.commitRetaining();
    createGenerator(transaction, kGeneratorOrderItem, "AATC01AOIT", "AOITCODIGO");
    createGenerator(transaction, kGeneratorContractItem, "AATC05ACIT", "ACITCODIGO");
    transaction.commitRetaining();
}

}  // namespace host
