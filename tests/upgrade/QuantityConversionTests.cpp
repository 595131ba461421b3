// The parts lines' quantity moved into the value domain: on a new database,
// resumed after each of its statements, and after a failure.

#include "UpgradeFixture.h"

#include "tests/schema/SchemaMetadata.h"
#include "tests/support/TestDatabase.h"

#include <QMap>

using namespace uDataTecUpgrade;

namespace {

const QMap<int, QVariant> kQuantities{
    {1, 2.5}, {2, 0.0}, {3, QVariant()}, {4, 1234567.125}, {5, -3.0}, {6, 0.001}};

class QuantityConversionTest : public UpgradeTest {
protected:
    void insertPartsLines()
    {
        for (auto it = kQuantities.begin(); it != kQuantities.end(); ++it)
            host::db::executeSql(tr(), "insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE) "
                                       "values (7, :seq, 'P1', :qty)",
                                 {{"seq", it.key()}, {"qty", it.value()}});
        tr().commitRetaining();
    }

    void expectQuantitiesKept()
    {
        host::db::Statement st(tr(), "select APSEQUENCIA, APQUANTIDADE from AATC01AP order by APSEQUENCIA");
        st.execute();
        QMap<int, QVariant> found;
        while (st.fetch())
            found.insert(st.value(0).toInt(), st.value(1));
        ASSERT_EQ(found.keys(), kQuantities.keys());
        for (auto it = kQuantities.begin(); it != kQuantities.end(); ++it) {
            SCOPED_TRACE(it.key());
            EXPECT_EQ(found[it.key()].isNull(), it.value().isNull());
            EXPECT_DOUBLE_EQ(found[it.key()].toDouble(), it.value().toDouble());
        }
    }

    void expectConverted()
    {
        const auto columns = storedColumns(tr(), "AATC01AP");
        EXPECT_EQ(columns.value("APQUANTIDADE").source, "DOVALOR");
        EXPECT_TRUE(columns.contains("APGARANTIA"));
        EXPECT_EQ(columns.value("APGARANTIA").charLength, 1);
        EXPECT_FALSE(columns.contains("APAUX"));
    }
};

}  // namespace

TEST_F(QuantityConversionTest, KeepsEveryQuantityAndMarksTheTable)
{
    insertPartsLines();
    ASSERT_TRUE(storedColumns(tr(), "AATC01AP").value("APQUANTIDADE").source.startsWith("RDB$"));
    createDataModule();
    expectConverted();
    expectQuantitiesKept();
}

// A run that ended after the first n statements (each committed) is taken up
// where it stopped.
class ResumedConversionTest : public QuantityConversionTest, public ::testing::WithParamInterface<int> {};

TEST_P(ResumedConversionTest, KeepsEveryQuantity)
{
    insertPartsLines();
    for (int i = 0; i < GetParam(); ++i)
        exec(kConversionStatements[i]);
    EXPECT_TRUE(convertPartsQuantity());
    expectConverted();
    expectQuantitiesKept();
}

INSTANTIATE_TEST_SUITE_P(AfterStatements, ResumedConversionTest, ::testing::Range(0, 8));

TEST_F(QuantityConversionTest, ConvertedTableIsLeftAlone)
{
    insertPartsLines();
    for (const char* statement : kConversionStatements)
        exec(statement);
    const QString before = schemaSnapshot(tr());
    testsupport::StatementCounter counter;
    EXPECT_TRUE(convertPartsQuantity());
    EXPECT_EQ(counter.count(), 3) << "three metadata checks, no DDL";
    EXPECT_LE(counter.prepares(), 3) << "metadata checks are kept prepared";
    EXPECT_EQ(schemaSnapshot(tr()), before);
}

TEST_F(QuantityConversionTest, FailureIsDroppedAndTheNextCreationFinishesIt)
{
    insertPartsLines();
    // A view on the quantity keeps the column from being dropped.
    exec("create view VPECAS as select APQUANTIDADE from AATC01AP");
    createDataModule();
    expectQuantitiesKept();
    EXPECT_FALSE(columnGroupsDone()) << "the unconverted quantity keeps the upgrade open";
    EXPECT_TRUE(storedColumns(tr(), "AATC05AC").contains("ACDATARA")) << "the upgrade went on";
    EXPECT_EQ(one("select count(*) from AATC01AP").toInt(), int(kQuantities.size()));

    exec("drop view VPECAS");
    createDataModule();
    expectConverted();
    expectQuantitiesKept();
    EXPECT_TRUE(columnGroupsDone());
}

TEST_F(QuantityConversionTest, QuantitiesChangedWhileTheConversionWasBlockedAreKept)
{
    insertPartsLines();
    exec("create view VPECAS as select APQUANTIDADE from AATC01AP");
    createDataModule();   // the scratch copy is taken, the drop refused
    // The lines are worked on with the old column until the view goes.
    exec("update AATC01AP set APQUANTIDADE = 9 where APSEQUENCIA = 1");
    exec("update AATC01AP set APQUANTIDADE = null where APSEQUENCIA = 2");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE) values (7, 8, 'P1', 4)");
    exec("drop view VPECAS");
    createDataModule();
    expectConverted();
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 1").toDouble(), 9.0);
    EXPECT_TRUE(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 2").isNull());
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 8").toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 4").toDouble(), 1234567.125);
}

TEST_F(QuantityConversionTest, QuantitiesEnteredWhileTheCopyBackWasPendingAreKept)
{
    insertPartsLines();
    for (int i = 0; i < 4; ++i)   // the new column is there, the copy not yet back
        exec(kConversionStatements[i]);
    exec("update AATC01AP set APQUANTIDADE = 9 where APSEQUENCIA = 1");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE) values (7, 8, 'P1', 4)");
    EXPECT_TRUE(convertPartsQuantity());
    expectConverted();
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 1").toDouble(), 9.0);
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 8").toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 4").toDouble(), 1234567.125);
    EXPECT_TRUE(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 3").isNull());
}
