// The column groups of the upgrade on a new, an up-to-date, a half-upgraded
// and an interrupted database.

#include "UpgradeFixture.h"

#include "host/Udatamod.h"
#include "tests/schema/SchemaMetadata.h"

#include <QDateTime>
#include <QMap>
#include <QRegularExpression>

#include <stdexcept>

using namespace uDataTecUpgrade;

namespace {

std::vector<ColumnOffer> allOffers()
{
    std::vector<ColumnOffer> offers;
    for (auto group : {firstGroup(), modelColumns(), secondGroup()})
        offers.insert(offers.end(), group.begin(), group.end());
    return offers;
}

// What the engine must hold for a definition "NAME TYPE [DEFAULT value]".
void expectStoredAs(const ColumnOffer& offer, const StoredColumn& stored)
{
    SCOPED_TRACE(QString("#%1 %2: %3").arg(offer.number).arg(offer.table, offer.definition).toStdString());
    static const QRegularExpression pattern(R"(^\S+ (.+?)(?: DEFAULT (.+))?\s*$)");
    const auto match = pattern.match(QString::fromLatin1(offer.definition));
    ASSERT_TRUE(match.hasMatch());
    const QString type = match.captured(1);
    const QString defaultValue = match.captured(2);
    static const QRegularExpression varchar(R"(^VARCHAR\((\d+)\)$)");
    if (const auto v = varchar.match(type); v.hasMatch()) {
        EXPECT_EQ(stored.fieldType, fieldtype::VarChar);
        // The customer-expense options are widened after they are offered.
        const bool widened = columnName(offer) == "AODESPESASCLIENTE";
        EXPECT_EQ(stored.charLength, widened ? kCustomerExpensesLength : v.captured(1).toInt());
    } else if (type == "DOVALOR") {
        EXPECT_EQ(stored.source, "DOVALOR");
    } else if (type == "BLOB SUB_TYPE 1") {
        EXPECT_EQ(stored.fieldType, fieldtype::Blob);
        EXPECT_EQ(stored.subType, 1);
    } else {
        const QMap<QString, int> plain{{"SMALLINT", fieldtype::SmallInt},
                                       {"INTEGER", fieldtype::Integer},
                                       {"TIMESTAMP", fieldtype::Timestamp}};
        ASSERT_TRUE(plain.contains(type)) << type.toStdString();
        EXPECT_EQ(stored.fieldType, plain.value(type));
    }
    EXPECT_EQ(stored.defaultSource, defaultValue.isEmpty() ? QString() : "DEFAULT " + defaultValue);
    EXPECT_FALSE(stored.notNull);
}

void expectEveryOfferStored(host::db::Transaction& tr)
{
    QMap<QString, QMap<QString, StoredColumn>> tables;
    for (const ColumnOffer& o : allOffers()) {
        if (!tables.contains(o.table))
            tables.insert(o.table, storedColumns(tr, o.table));
        const auto& columns = tables[o.table];
        ASSERT_TRUE(columns.contains(columnName(o))) << o.table << "." << columnName(o).toStdString();
        expectStoredAs(o, columns.value(columnName(o)));
    }
}

}  // namespace

TEST(UpgradeOffers, HoldTheOffersOfEveryTableInOrder)
{
    const auto offers = allOffers();
    ASSERT_EQ(offers.size(), 188u);
    for (size_t i = 0; i < offers.size(); ++i)
        EXPECT_EQ(offers[i].number, int(i) + 1);
    QMap<QString, int> perTable;
    for (const ColumnOffer& o : offers)
        ++perTable[o.table];
    const QMap<QString, int> expected{
        {"AATC05AC", 66}, {"AATC01AP", 33}, {"AATC01AO", 19}, {"AATC01AOIT", 17}, {"AATC01AA", 15},
        {"AATC06AT", 8},  {"AATC01AS", 7},  {"AUGC03CO", 5},  {"AATC05ACIT", 4},  {"AATC03AE", 4},
        {"AATC01AX", 3},  {"AATC08AF", 2},  {"AATC05ACEV", 2}, {"AATC01AV", 2},   {"AATC11AJ", 1}};
    EXPECT_EQ(perTable, expected);
    EXPECT_EQ(firstGroup().size(), 49u);
    EXPECT_EQ(columnName(modelColumns()[1]), "COMODELO");
    EXPECT_STREQ(secondGroup().back().table, "AATC01AO");
    EXPECT_EQ(columnName(secondGroup().back()), "ANCODIGO");
    // The one column offered twice, once in each group.
    EXPECT_EQ(columnName(offers[114]), "ACQUANTIDADEPARCELA");
    EXPECT_EQ(columnName(offers[140]), "ACQUANTIDADEPARCELA");
}

TEST(UpgradeOffers, SpellDefaultsAsDialectOneLiterals)
{
    const QMap<int, QString> samples{
        {13, "ACTIPOPAGAMENTO VARCHAR(1) DEFAULT \"2\""},
        {35, "ACVENCIMENTO SMALLINT DEFAULT 1"},
        {41, "acLocal VARCHAR(2) DEFAULT \"01\""},
        {43, "AODATACOBRANCA TIMESTAMP DEFAULT \"NOW\""},
        {50, "COMARCA VARCHAR(30) "},
        {108, "AOITLAUDO BLOB SUB_TYPE 1"},
        {188, "ANCODIGO INTEGER"},
    };
    const auto offers = allOffers();
    for (auto it = samples.begin(); it != samples.end(); ++it)
        EXPECT_EQ(QString::fromLatin1(offers[size_t(it.key() - 1)].definition), it.value());
}

TEST_F(UpgradeTest, NewDatabaseGetsEveryColumnWithItsTypeAndDefault)
{
    EXPECT_FALSE(columnGroupsDone());
    createDataModule();
    expectEveryOfferStored(tr());
    EXPECT_EQ(storedColumns(tr(), "AATC01AOIT").value("AOITMODELO").charLength, 80);
    EXPECT_TRUE(columnGroupsDone());
}

TEST_F(UpgradeTest, DefaultsApplyToNewRows)
{
    createDataModule();
    const QDateTime afterUpgrade = one("select cast('NOW' as date) from rdb$database").toDateTime();
    exec("insert into AATC05AC (ACCODIGO) values (1)");
    exec("insert into AATC01AS (ASCODIGO) values (1)");
    exec("insert into AATC01AO (AOCODIGO) values (1)");
    EXPECT_EQ(one("select ACTIPOPAGAMENTO || ACLOCAL || ACSITUACAO from AATC05AC").toString(), "201A");
    EXPECT_EQ(one("select ACVENCIMENTO + ACBASE from AATC05AC").toInt(), 2);
    EXPECT_EQ(one("select ASRESERVA || ASINSERCAO from AATC01AS").toString(), "SN");
    // "NOW" is the time of the insert, not of the upgrade.
    EXPECT_GE(one("select AODATACOBRANCA from AATC01AO").toDateTime(), afterUpgrade);
    EXPECT_TRUE(one("select ANCODIGO from AATC01AO").isNull());
}

TEST_F(UpgradeTest, SecondRunChangesNothing)
{
    createDataModule();
    const QString before = schemaSnapshot(tr());
    int offered = 0;
    setOfferObserver([&](const ColumnOffer&) { ++offered; });
    upgradeAgain();
    EXPECT_EQ(offered, 0) << "an up-to-date database skips the column groups";
    EXPECT_EQ(schemaSnapshot(tr()), before);
}

TEST_F(UpgradeTest, NarrowModelTextRunsTheGroupsAgainAndWidensIt)
{
    createDataModule();
    // The engine never narrows a column: put the narrow one back in its place.
    exec("alter table AATC01AOIT drop AOITMODELO");
    exec("alter table AATC01AOIT add AOITMODELO varchar(30)");
    exec("alter table AATC01AO drop AOTURNO");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, APQUANTIDADE) values (1, 1, 2.5)");
    EXPECT_FALSE(columnGroupsDone());
    int offered = 0;
    setOfferObserver([&](const ColumnOffer&) { ++offered; });
    upgradeAgain();
    EXPECT_EQ(offered, 186) << "every offer but the make and model, whose model is present";
    EXPECT_EQ(storedColumns(tr(), "AATC01AOIT").value("AOITMODELO").charLength, 80);
    EXPECT_TRUE(storedColumns(tr(), "AATC01AO").contains("AOTURNO"));
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP").toDouble(), 2.5);
}

TEST_F(UpgradeTest, NarrowExpenseOptionsAreWidenedKeepingTheirText)
{
    createDataModule();
    // An order of a database upgraded before: the column as it was offered.
    exec("alter table AATC01AO drop AODESPESASCLIENTE");
    exec("alter table AATC01AO add AODESPESASCLIENTE varchar(50)");
    exec("insert into AATC01AO (AOCODIGO, AODESPESASCLIENTE) values (1, 'Serviço;Despesas Extras;')");
    upgradeAgain();
    EXPECT_EQ(storedColumns(tr(), "AATC01AO").value("AODESPESASCLIENTE").charLength, 100);
    EXPECT_EQ(one("select AODESPESASCLIENTE from AATC01AO").toString(), "Serviço;Despesas Extras;");
    exec("update AATC01AO set AODESPESASCLIENTE = 'Serviço;Despesas com Peças;Despesas com Viagem;Despesas Extras;'");
}

TEST_F(UpgradeTest, WiderModelTextIsLeftAloneAndCountsAsUpToDate)
{
    createDataModule();
    exec("alter table AATC01AOIT alter AOITMODELO type varchar(120)");
    exec("insert into AATC01AOIT (AOITCODIGO, AOITMODELO) values (1, '" + QString(100, 'M') + "')");
    EXPECT_TRUE(columnGroupsDone());
    int offered = 0;
    setOfferObserver([&](const ColumnOffer&) { ++offered; });
    upgradeAgain();   // no attempt to narrow it (which the engine refuses)
    createDataModule();
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(storedColumns(tr(), "AATC01AOIT").value("AOITMODELO").charLength, 120);
    EXPECT_EQ(one("select AOITMODELO from AATC01AOIT").toString(), QString(100, 'M'));

    exec("alter table AATC01AO drop ANCODIGO");   // the groups run again, widening included
    upgradeAgain();
    EXPECT_GT(offered, 0);
    EXPECT_TRUE(storedColumns(tr(), "AATC01AO").contains("ANCODIGO"));
    EXPECT_EQ(storedColumns(tr(), "AATC01AOIT").value("AOITMODELO").charLength, 120);
}

// Stopped just before offer n; the next creation completes the same schema as
// an upgrade that was never interrupted.
class InterruptedUpgradeTest : public UpgradeTest, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptedUpgradeTest, CompletesAtTheNextCreation)
{
    const int stopBefore = GetParam();
    struct Interrupted {};
    setOfferObserver([&](const ColumnOffer& o) {
        if (o.number == stopBefore)
            throw Interrupted{};
    });
    EXPECT_THROW(createDataModule(), Interrupted);
    EXPECT_FALSE(columnGroupsDone());

    setOfferObserver({});
    createDataModule();
    EXPECT_TRUE(columnGroupsDone());
    expectEveryOfferStored(tr());
    EXPECT_FALSE(storedColumns(tr(), "AATC01AP").contains("APAUX"));
    EXPECT_EQ(storedColumns(tr(), "AATC01AP").value("APQUANTIDADE").source, "DOVALOR");
}

// Within the first group, at the make and model, after the conversion, and
// just before the mark of a done upgrade.
INSTANTIATE_TEST_SUITE_P(StopBeforeOffer, InterruptedUpgradeTest, ::testing::Values(2, 30, 51, 120, 188));

TEST_F(UpgradeTest, HandsTheProductLookupModeToTheHostOnlyWhenTheUpgradeEnds)
{
    dmGlobal->SetParametro("ATMODOLOCALIZACAOPRODUTO", "C");
    setOfferObserver([](const ColumnOffer& o) {
        if (o.number == 60)
            throw std::runtime_error("stopped");
    });
    VerificaModoLocalizacaoProduto("", nullptr);
    EXPECT_THROW(createDataModule(), std::runtime_error);
    EXPECT_EQ(host::modoLocalizacaoProduto(), "") << "a failed step ends the upgrade there";

    setOfferObserver({});
    createDataModule();
    EXPECT_EQ(host::modoLocalizacaoProduto(), "C");
    dmGlobal->SetParametro("ATMODOLOCALIZACAOPRODUTO", "R");
    upgradeAgain();
    EXPECT_EQ(host::modoLocalizacaoProduto(), "R") << "also when nothing was missing";
}

TEST_F(UpgradeTest, CreatesTheRequestAndCostTablesWhenMissing)
{
    for (const char* table : {"AATC07AIENT", "AATC07AI", "AATC08AF"})
        exec(QString("drop table ") + table);
    createDataModule();
    const QStringList tables = userTables(tr());
    for (const char* table : {"AATC07AIENT", "AATC07AI", "AATC08AF"})
        EXPECT_TRUE(tables.contains(table)) << table;
    const auto cost = storedColumns(tr(), "AATC08AF");
    EXPECT_EQ(cost.value("AFQUANTIDADE").source, "DOVALOR");
    EXPECT_EQ(cost.value("AFTOTAL").source, "DOVALOR");
}
