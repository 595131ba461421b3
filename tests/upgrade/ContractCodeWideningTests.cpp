// Contract codes outgrow SMALLINT: the upgrade widens every column that keeps
// one to INTEGER on a database of the old layout, rows and all.

#include "UpgradeFixture.h"

#include "tests/schema/SchemaMetadata.h"

namespace {

const char* const kColunas[][2] = {{"AATC01AOIT", "ACCODIGO"}, {"AUGC03CO", "ACCODIGO"}, {"AATC05ACIT", "ACCODIGO"},
                                   {"AATC05ACCL", "ACCODIGO"}, {"AATC05ACEV", "ACCODIGO"}};

class ContractCodeWideningTest : public UpgradeTest {
protected:
    int tipo(const char* tabela, const char* coluna)
    {
        return storedColumns(tr(), tabela).value(coluna).fieldType;
    }
    void linhasAntigas(int contrato)
    {
        const QString c = QString::number(contrato);
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO) values (1, " + c + ", 4)");
        exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (1, '00001', 'P1', " + c + ")");
        exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (" + c + ", '00001')");
        exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO) values (1, " + c + ")");
    }
    int contrato(const char* tabela) { return host::db::selectValue(tr(), QString("select max(ACCODIGO) from ") + tabela).toInt(); }
};

TEST_F(ContractCodeWideningTest, OldSmallintColumnsBecomeIntegerKeepingTheirRows)
{
    // The layout before the upgrade: the item's column comes with the
    // column groups, so it is made here as the old groups made it.
    exec("alter table AATC01AOIT add ACCODIGO SMALLINT");
    for (const auto& c : kColunas)
        ASSERT_EQ(tipo(c[0], c[1]), fieldtype::SmallInt) << c[0];
    linhasAntigas(32767);
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, ACCODIGO) values (1, 1, -5)");

    createDataModule();
    for (const auto& c : kColunas)
        EXPECT_EQ(tipo(c[0], c[1]), fieldtype::Integer) << c[0];
    for (const char* tabela : {"AUGC03CO", "AATC05ACIT", "AATC05ACCL", "AATC05ACEV"})
        EXPECT_EQ(contrato(tabela), 32767) << tabela;
    EXPECT_EQ(contrato("AATC01AOIT"), -5);
    // Contract 32,768 and beyond have items, customers, rows and orders now.
    exec("update AATC05ACIT set ACCODIGO = 40000");
    exec("update AATC01AOIT set ACCODIGO = 70000");
    EXPECT_EQ(contrato("AATC05ACIT"), 40000);
    EXPECT_EQ(contrato("AATC01AOIT"), 70000);

    // Run again: nothing left to widen, nothing changes.
    const QString antes = schemaSnapshot(tr());
    upgradeAgain();
    EXPECT_EQ(schemaSnapshot(tr()), antes);
}

TEST_F(ContractCodeWideningTest, TheItemFieldTakesAContractCodeAboveTheSmallRange)
{
    createDataModule();
    tec->CarregaOSItens(0, 0);
    tec->quOSItem->append();
    tec->quOSItemACCODIGO->setAsInteger(32768);
    EXPECT_EQ(tec->quOSItemACCODIGO->asInteger(), 32768);
    tec->quOSItem->cancel();
}

}  // namespace
