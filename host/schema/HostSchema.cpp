#include "host/schema/HostSchema.h"

#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <iterator>
#include <vector>

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

QSet<QString> existingTablesAndColumns(db::Transaction& tr)
{
    QSet<QString> names;
    db::Statement st(tr, "select trim(rdb$relation_name), trim(rdb$field_name) from rdb$relation_fields"
                         " where coalesce(rdb$system_flag, 0) = 0");
    st.execute();
    while (st.fetch()) {
        const QString table = st.value(0).toString().trimmed().toUpper();
        names.insert(table);
        names.insert(table + "." + st.value(1).toString().trimmed().toUpper());
    }
    return names;
}

bool completeTable(db::Transaction& tr, const TableDef& table, const QSet<QString>& existing)
{
    const QString name = QLatin1String(table.name);
    if (!existing.contains(name)) {
        db::executeSql(tr, createTableSql(table));
        return true;
    }
    bool changed = false;
    for (const ColumnDef& c : table.columns) {
        if (existing.contains(name + "." + QLatin1String(c.name)))
            continue;
        db::executeSql(tr, addColumnSql(table, c));
        changed = true;
    }
    return changed;
}

bool completeTable(db::Transaction& tr, const TableDef& table)
{
    return completeTable(tr, table, existingTablesAndColumns(tr));
}

QString numericTextOrder(const QString& column, const QString& prefixColumn)
{
    const QString valor = "trim(" + column + ")";
    const QString ordem = "iif(" + valor + " similar to '[0-9]+' and char_length(" + valor + ") <= 18, lpad(" +
                          valor + ", 18, '0'), null)";
    if (prefixColumn.isEmpty())
        return ordem;
    return "trim(" + prefixColumn + ") || '" + QLatin1Char(kNumericTextOrderSeparator) + "' || " + ordem;
}

namespace {

// Each generator and the key column it numbers.
struct GeneratorKey {
    const char* generator;
    const char* table;
    const char* column;
};
constexpr GeneratorKey kGeneratorKeys[] = {
    {kGeneratorOrderItem, "AATC01AOIT", "AOITCODIGO"},
    {kGeneratorContract, "AATC05AC", "ACCODIGO"},
    {kGeneratorContractItem, "AATC05ACIT", "ACITCODIGO"},
    {kGeneratorCashForecast, "ACXC94XP", "XPCHAVE"},
    {kGeneratorContact, "AUGC3701", "ANCODIGO"},
    {kGeneratorHistory, "ACBC16HC", "HCCODIGO"},
    {kGeneratorSerialMovement, "AUGC50NS", "NSCODIGO"},
    {kGeneratorRentalVehicleLine, "AATC05ACEV", "ACEVCODIGO"},
    {kGeneratorRentalEquipment, "AUGC20EV", "EVCODIGO"},
    {kGeneratorRentalEquipmentGroup, "AUGC20EVGR", "EVGRSEQUENCIA"},
    {kGeneratorMileage, "AUGC20KM", "KMCODIGO"},
    {kGeneratorBillingObject, "AATC11AJ", "AJCODIGO"},
    {kGeneratorContractEquipment, "AUGC03CO", "COCODIGO"},
    // The meters' and franchises' tables are made by the contracts'
    // migration: on a database without them yet the raise is skipped, and
    // the tables start empty.
    {kGeneratorMeter, "AATC05CO", "COCODIGO"},
    {kGeneratorMeterReading, "AATC05ACITCO", "ACITCOCODIGO"},
    {kGeneratorFranchise, "AATC05FG", "FGCODIGO"},
    {kGeneratorPartsRequest, "AATC07AI", "AICODIGO"},
    {kGeneratorSituation, "AATC01AS", "ASCODIGO"},
    {kGeneratorCost, "AATC08AF", "AFCODIGO"},
    {kGeneratorCustomerEquipment, "AATC03AECL", "AECLCODIGO"},
    {kGeneratorEquipmentModel, "AATC03AE", "AECODIGO"},
    {kGeneratorLineDefect, "AATC01AAAD", "AAADSEQUENCIA"},
    {kGeneratorItemDefect, "AATC01AOAD", "AOADCODIGO"},
    {kGeneratorDefect, "AATC02AD", "ADCODIGO"},
    {kGeneratorTechnician, "AATC06AT", "ATCODIGO"},
    {kGeneratorTechnicianDescription, "AATC06ATDC", "ATDCCODIGO"},
    {kGeneratorHourType, "AATC04AH", "AHCODIGO"},
};

// Every generator the schema keeps: those of the keys, and that of the
// receivables' numbers.
std::vector<QString> generatorNames()
{
    std::vector<QString> names{QLatin1String(kGeneratorReceivableNumber)};
    for (const GeneratorKey& g : kGeneratorKeys)
        names.push_back(QLatin1String(g.generator));
    return names;
}

// Runs one step of the schema in a savepoint: when the database refuses it
// (the user may not, the table is not there yet) the step is undone and
// false returned, and the start goes on.
bool tryStep(db::Transaction& tr, const std::function<void()>& step)
{
    db::Savepoint ponto(tr);
    try {
        step();
    } catch (const db::DbError&) {
        ponto.rollback();
        return false;
    }
    ponto.release();
    return true;
}

// Returns whether any was created. A user who may not make them starts all
// the same; they are made at the start of one who may.
bool createGenerators(db::Transaction& tr)
{
    bool changed = false;
    for (const QString& name : generatorNames()) {
        if (!db::generatorExists(tr, name))
            changed = tryStep(tr, [&] { db::executeSql(tr, QStringLiteral("CREATE GENERATOR %1").arg(name)); }) ||
                      changed;
    }
    return changed;
}

// The indexes the module's frequent reads go through: a customer's or a
// contract's receivables and their cash forecast, a contract's items, an
// order's lines, the invoices of an order and of a series, an order's items,
// the earlier items of a serial number, the orders of a situation, a
// customer's contracts, a product's parts lines, the newest order and the
// largest receivable number (the engine reads a largest value or a
// descending order only through a descending index: without it every new
// order read the whole table to take its number). An index on an
// expression is written "COMPUTED BY (...)".
struct Index {
    QString name, table, columns;
    bool descending = false;
};

std::vector<Index> moduleIndexes()
{
    return {
        {"IX_ACRC5001_CLIENTE", "ACRC5001", "CODIGO_CLIENTE, NUMERO_DOCUMENTO"},
        {"IX_ACRC5001_AOCODIGO", "ACRC5001", "AOCODIGO"},
        // The receivables' free number: their numbers ordered as numbers
        // (the expression CodigoCadastralDisponivel orders by).
        {"IX_ACRC5001_NUMERO_NUM", "ACRC5001", "COMPUTED BY (" + numericTextOrder("NUMERO_DOCUMENTO") + ")", true},
        // A customer's largest receivable number: the same order after the
        // customer's code.
        {"IX_ACRC5001_CLIENTE_NUM", "ACRC5001",
         "COMPUTED BY (" + numericTextOrder("NUMERO_DOCUMENTO", "CODIGO_CLIENTE") + ")", true},
        // A receivable's invoice and collection document is looked for before one is issued.
        {"IX_ACRC50FB_CLIENTE", "ACRC50FB", "CODIGO_CLIENTE, NUMERO_DOCUMENTO"},
        {"IX_ACXC94XP_DOCUMENTO", "ACXC94XP", "XPDOCUMENTO, XPEMITENTE"},
        {"IX_ACXC94XP_ACCODIGO", "ACXC94XP", "ACCODIGO"},
        {"IX_AATC05ACIT_ACCODIGO", "AATC05ACIT", "ACCODIGO"},
        // A principal contract's complements.
        {"IX_AATC05ACVI_PRINCIPAL", "AATC05ACVI", "ACCODIGOPRINCIPAL"},
        {"IX_AVEC85IT_PEDIDO", "AVEC85IT", "NUMERO_PEDIDO"},
        {"IX_ACEM1401_PEDIDO", "ACEM1401", "COD_PEDIDO"},
        {"IX_ACEM1401_SERIE", "ACEM1401", "SERIE_DOC, LOCAL_DOC, DOCUMENTO"},
        {"IX_AATC01AOIT_AOCODIGO", "AATC01AOIT", "AOCODIGO"},
        {"IX_AATC01AO_AOCODIGO_DESC", "AATC01AO", "AOCODIGO", true},
        {"IX_AATC01AOIT_SERIE", "AATC01AOIT", "AOITSERIE"},
        // The progress screen and the order search list the orders of one situation.
        {"IX_AATC01AO_ASCODIGO", "AATC01AO", "ASCODIGO"},
        // The order search by customer name goes from the named customers to their orders.
        {"IX_AATC01AO_CLCODIGO", "AATC01AO", "CLCODIGO"},
        {"IX_AATC05AC_CLCODIGO", "AATC05AC", "CLCODIGO"},
        // The customers' list of the entry windows' combos is read by name as
        // it is shown: its first rows come without sorting every customer.
        {"IX_AUGC0301_NOME", "AUGC0301", "NOME"},
        // A product's reservation is summed over every order's parts lines.
        {"IX_AATC01AP_PRCODIGO", "AATC01AP", "PRCODIGO"},
        // An order's lines of one product (the parts settlement reads and
        // marks them per line): without it the engine joined the order's
        // key to the product's index, walking every order's line of the
        // product, a cost growing with the orders.
        {"IX_AATC01AP_ORDEM_PRODUTO", "AATC01AP", "AOCODIGO, PRCODIGO"},
        // The stock items have no key: a settlement's document is checked
        // for items by its number, an entry by the order's items of the
        // product, each a read of every item stored without these.
        {"IX_ACEM14IT_DOCUMENTO", "ACEM14IT", "DOCUMENTO, SERIE"},
        {"IX_ACEM14IT_ORDEM_PRODUTO", "ACEM14IT", "AOCODIGO, CODIGOPRODUTO"},
    };
}

// Each generator's largest key, read at the start to raise it: one row of
// a descending index instead of the whole table.
std::vector<Index> keyIndexes()
{
    std::vector<Index> indexes;
    for (const GeneratorKey& g : kGeneratorKeys) {
        const QString table = QLatin1String(g.table), column = QLatin1String(g.column);
        indexes.push_back({"IX_" + table + "_" + column + "_D", table, column, true});
    }
    return indexes;
}

// Replaced by one that leaves out the numbers holding letters, which it
// walked past on every read of the largest.
const char* const kRetiredIndexes[] = {"IX_ACRC5001_NUMERO_DESC"};

// Returns whether any was created or dropped. An index of a table not made
// yet (the contracts' migration makes some) is made at a later start.
bool createIndexes(db::Transaction& tr)
{
    QSet<QString> existing;
    db::Statement st(tr, "select trim(rdb$index_name) from rdb$indices where coalesce(rdb$system_flag, 0) = 0");
    st.execute();
    while (st.fetch())
        existing.insert(st.value(0).toString().trimmed().toUpper());
    const QSet<QString> tables = existingTablesAndColumns(tr);
    std::vector<Index> indexes = moduleIndexes();
    for (Index& index : keyIndexes())
        indexes.push_back(std::move(index));
    bool changed = false;
    for (const Index& index : indexes) {
        if (existing.contains(index.name) || !tables.contains(index.table))
            continue;
        const bool computed = index.columns.startsWith(QLatin1String("COMPUTED"));
        changed = tryStep(tr, [&] {
                      db::executeSql(tr, QStringLiteral("CREATE %1INDEX %2 ON %3 %4")
                                             .arg(index.descending ? QStringLiteral("DESCENDING ") : QString(),
                                                  index.name, index.table,
                                                  computed ? index.columns : "(" + index.columns + ")"));
                  }) ||
                  changed;
    }
    for (const char* retired : kRetiredIndexes)
        if (existing.contains(QLatin1String(retired)))
            changed = tryStep(tr, [&] {
                          db::executeSql(tr, QStringLiteral("DROP INDEX %1").arg(QLatin1String(retired)));
                      }) ||
                      changed;
    return changed;
}

// The primary and unique keys of `table` that hold `column`: the engine
// changes no column's type while a key holds it.
struct KeyOfColumn {
    QString name, kind, columns;   // kind: "PRIMARY KEY" or "UNIQUE"; columns: "A, B"
};

QList<KeyOfColumn> keysHolding(db::Transaction& tr, const QString& table, const QString& column)
{
    QList<KeyOfColumn> keys;
    {
        db::Statement st(tr, "select trim(c.rdb$constraint_name), trim(c.rdb$constraint_type), trim(c.rdb$index_name)"
                             " from rdb$relation_constraints c"
                             " join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name"
                             " where c.rdb$relation_name = :T and s.rdb$field_name = :C"
                             " and c.rdb$constraint_type in ('PRIMARY KEY', 'UNIQUE')");
        st.setParam("T", table);
        st.setParam("C", column);
        st.execute();
        while (st.fetch())
            keys.append({st.value(0).toString(), st.value(1).toString(), st.value(2).toString()});
    }
    for (KeyOfColumn& key : keys) {
        db::Statement st(tr, "select trim(rdb$field_name) from rdb$index_segments where rdb$index_name = :I"
                             " order by rdb$field_position");
        st.setParam("I", key.columns);
        st.execute();
        QStringList columns;
        while (st.fetch())
            columns.append(st.value(0).toString());
        key.columns = columns.join(", ");
    }
    return keys;
}

// Widens a column to `width` characters; the keys that hold it are made
// again over the wider column, under their names.
void widenColumn(db::Transaction& tr, const QString& table, const QString& column, int width)
{
    const QList<KeyOfColumn> keys = keysHolding(tr, table, column);
    for (const KeyOfColumn& key : keys)
        db::executeSql(tr, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(table, key.name));
    db::executeSql(tr, QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE VARCHAR(%3)").arg(table, column).arg(width));
    for (const KeyOfColumn& key : keys)
        db::executeSql(tr, QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 %3 (%4)")
                               .arg(table, key.name, key.kind, key.columns));
}

// Columns first made narrower than the values they receive: stock
// locations are three-digit codes ("001") and were two wide in the document
// counters' key, the link of an order to its document and an order line's
// returned and warranty stock; a receivable's document number (ten wide) was
// six in its cash forecast and its original number. Widened in place, rows
// kept; so are phones, made too narrow for a mobile number. Returns
// whether any was widened.
bool widenNarrowColumns(db::Transaction& tr)
{
    struct Column { const char* table; const char* column; int width; };
    static const Column columns[] = {{"ACEM1401", "LOCAL_DOC", 3},         {"ACEM14IT", "MELOCAL", 3},
                                     {"NUMERACAO", "LOCAL", 3},            {"ACEM14REF", "REFOLOCAL_DOC", 3},
                                     {"AVEC85IT", "VEITCRELOCAL", 3},      {"AVEC85IT", "VEITGARANTIALOCAL", 3},
                                     {"ACXC94XP", "XPDOCUMENTO", 10},      {"ACRC5001", "CRDOCUMENTOORIGINAL", 10}};
    // Phones were 13 wide: a mobile number typed with its mask was cut.
    static const Column phones[] = {
        {"AUGC0301", "TELEFONE1", kPhoneWidth},         {"AUGC0301", "TELEFONE2", kPhoneWidth},
        {"AUGC0301", "FAX", kPhoneWidth},               {"AUGC0301", "CLTELEFONEENTREGA", kPhoneWidth},
        {"AUGC0301", "TELEFONE_COBRANCA", kPhoneWidth}, {"AUGC3701", "ANTELEFONE", kPhoneWidth},
        {"CADCOM", "CTFONE1", kPhoneWidth},             {"EA", "FONE", kPhoneWidth},
        {"EMPRESA", "FONE", kPhoneWidth},               {"EMPRESA", "FAX", kPhoneWidth}};
    std::vector<Column> todas(std::begin(columns), std::end(columns));
    todas.insert(todas.end(), std::begin(phones), std::end(phones));
    bool changed = false;
    for (const Column& c : todas) {
        const int width = db::selectValue(tr,
                                          "select f.rdb$character_length from rdb$relation_fields r"
                                          " join rdb$fields f on f.rdb$field_name = r.rdb$field_source"
                                          " where r.rdb$relation_name = :T and r.rdb$field_name = :C",
                                          {{"T", QLatin1String(c.table)}, {"C", QLatin1String(c.column)}})
                              .toInt();
        if (width <= 0 || width >= c.width)
            continue;
        widenColumn(tr, QLatin1String(c.table), QLatin1String(c.column), c.width);
        changed = true;
    }
    return changed;
}

const char* const kUniqueReceivableKey = "UQ_ACRC5001_CHAVE";

}  // namespace

namespace {

// The largest key is one row of the column's descending index (keyIndexes).
void raiseGeneratorToKey(db::Transaction& tr, const GeneratorKey& g)
{
    db::Statement st(tr, QStringLiteral("select gen_id(%1, 0), (select coalesce(max(%2), 0) from %3)"
                                        " from rdb$database")
                             .arg(QLatin1String(g.generator), QLatin1String(g.column), QLatin1String(g.table)));
    st.execute();
    st.fetch();
    const qint64 current = st.value(0).toLongLong();
    const qint64 largest = st.value(1).toLongLong();
    if (largest > current)
        db::generatorValue(tr, QLatin1String(g.generator), static_cast<int>(largest - current));
}

}  // namespace

void raiseGeneratorsToKeys(db::Transaction& transaction)
{
    // A user without rights on a generator or its table starts all the
    // same; the generator is raised at the start of one who has them.
    for (const GeneratorKey& g : kGeneratorKeys)
        if (db::generatorExists(transaction, QLatin1String(g.generator)))
            tryStep(transaction, [&] { raiseGeneratorToKey(transaction, g); });
}

namespace {

// The receivables' keys held by more than one row, as
// "customer|document|sequence|branch (n rows)".
QStringList repeatedReceivableKeys(db::Transaction& tr)
{
    QStringList repetidas;
    db::Statement st(tr, "select trim(CODIGO_CLIENTE), trim(NUMERO_DOCUMENTO), SEQUENCIA, trim(CODIGO_FILIAL),"
                         " count(*) from ACRC5001 where CODIGO_CLIENTE is not null or NUMERO_DOCUMENTO is not null"
                         " or SEQUENCIA is not null or CODIGO_FILIAL is not null"
                         " group by CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL having count(*) > 1"
                         " order by 1, 2, 3, 4");
    st.execute();
    while (st.fetch())
        repetidas << QStringLiteral("%1|%2|%3|%4 (%5)")
                         .arg(st.value(0).toString(), st.value(1).toString(),
                              st.value(2).isNull() ? QString() : QString::number(qint64(st.value(2).toDouble())),
                              st.value(3).toString(), QString::number(st.value(4).toInt()));
    return repetidas;
}

// The engine builds the index when its transaction commits, against the rows
// of that moment: a repeated key another desk stored (or is storing) after
// the check fails the commit, not the statement. So the index gets a
// transaction of its own, and any failure there leaves the index unmade
// and the caller's work untouched. False: not made.
bool createUniqueReceivableIndex(db::Connection& connection)
{
    db::Transaction propria(connection);
    try {
        db::executeSql(propria, QStringLiteral("CREATE UNIQUE INDEX %1 ON ACRC5001 (CODIGO_CLIENTE,"
                                               " NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL)")
                                    .arg(QLatin1String(kUniqueReceivableKey)));
        propria.commit();
        return true;
    } catch (const db::DbError&) {
        try {
            if (propria.active())
                propria.rollback();
        } catch (const db::DbError&) {
        }
        return false;
    }
}

}  // namespace

QStringList ensureUniqueReceivableKey(db::Transaction& tr)
{
    if (db::selectValue(tr, "select count(*) from rdb$indices where rdb$index_name = :NOME",
                        {{"NOME", QLatin1String(kUniqueReceivableKey)}})
            .toInt() > 0)
        return {};
    const QStringList repetidas = repeatedReceivableKeys(tr);
    if (!repetidas.isEmpty())
        return repetidas;
    // A user who may not change the schema starts all the same; the key is
    // made at the start of one who may. Keys repeated since the check are
    // told as any others. What this transaction changed is committed first,
    // or the index's transaction would meet it as another desk's.
    tr.commitRetaining();
    if (createUniqueReceivableIndex(tr.connection()))
        return {};
    return repeatedReceivableKeys(tr);
}

namespace {

// The tables and columns missing, made and committed.
void completeTables(db::Transaction& tr)
{
    bool changed = false;
    const QSet<QString> existing = existingTablesAndColumns(tr);
    for (const TableDef* table : allTables())
        changed = completeTable(tr, *table, existing) || changed;
    changed = widenNarrowColumns(tr) || changed;
    if (changed)
        tr.commitRetaining();
}

// The schema's tables a killed start left with no column: made half.
void dropHalfMadeTables(db::Transaction& tr)
{
    QStringList halfMade;
    db::Statement st(tr, "select trim(r.rdb$relation_name) from rdb$relations r where coalesce(r.rdb$system_flag, 0) = 0"
                         " and r.rdb$view_blr is null and not exists(select 1 from rdb$relation_fields f"
                         " where f.rdb$relation_name = r.rdb$relation_name)");
    st.execute();
    while (st.fetch())
        halfMade << st.value(0).toString().trimmed().toUpper();
    st.closeCursor();
    for (const TableDef* table : allTables())
        if (halfMade.contains(QLatin1String(table->name)))
            db::executeSql(tr, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table->name)));
    tr.commitRetaining();
}

// A start killed while the engine made tables leaves the next start's first
// try refused ("cannot create index": the killed try's pages are still
// claimed), or a table's name taken by one made half: that try is undone,
// what is half made goes, and the tables are made once more, which then
// succeeds.
void makeTablesWhole(db::Transaction& tr)
{
    try {
        completeTables(tr);
    } catch (const db::DbError&) {
        tr.rollbackRetaining();
        dropHalfMadeTables(tr);
        completeTables(tr);
    }
}

}  // namespace

void createHostSchema(db::Transaction& transaction)
{
    if (createDomains(transaction))
        transaction.commitRetaining();
    makeTablesWhole(transaction);
    if (createGenerators(transaction))
        transaction.commitRetaining();
    grantToEveryone(transaction);
    if (createIndexes(transaction))
        transaction.commitRetaining();
    raiseGeneratorsToKeys(transaction);
    // Keys already repeated are left for the module's upgrade to report.
    ensureUniqueReceivableKey(transaction);
    transaction.commitRetaining();
}

}  // namespace host
