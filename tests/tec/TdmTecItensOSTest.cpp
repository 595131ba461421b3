// Order items against their order header: a header still being inserted is
// saved before its first item, each item save may write the reason for the
// change, and the steps after a save run in their order.

#include "tests/tec/ItensFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udmglobal.h"

namespace tectest {
namespace {

using host::data::DatasetState;

class TdmTecItensOSTest : public ItensTest {
protected:
    void SetUp() override
    {
        ItensTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, TIPO_CLIENTE) values ('00001', 'Maria Souza', '1')");
    }
};

TEST_F(TdmTecItensOSTest, HeaderStillBeingInsertedIsSavedBeforeItsFirstItem)
{
    parametro("ATMODOOS", "D");
    dmTec->quOS->append();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dmTec->quOSItem->append();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    const int ordem = dmTec->quOSAOCODIGO->asInteger();
    EXPECT_GT(ordem, 10);
    EXPECT_EQ(linhasGravadas("AATC01AO", QString("AOCODIGO = %1").arg(ordem)), 1);
    EXPECT_EQ(dmTec->quOSItemAOCODIGO->asInteger(), ordem);
    dmTec->quOSItemAOITEQUIPDESCRICAO->setAsString("Furadeira");
    dmTec->quOSItem->post();
    EXPECT_EQ(linhasGravadas("AATC01AOIT", QString("AOCODIGO = %1").arg(ordem)), 1);
}

TEST_F(TdmTecItensOSTest, ItemSaveWritesTheReasonForTheChangeUnlessTheChangeIsInternal)
{
    parametro("ATMODOOS", "D");
    parametro("ATCONTROLEOS", "P");
    situacao(5, "I", "I");
    novoItem();
    dialogos->enter("Troca do cabo", "Informe o motivo de alteração:");
    dmTec->quOSItem->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(one("select count(*) from CADCOM where IDORIGEM = 'A' and CONTRATO = 10 and ASCODIGO = 5 "
                  "and RESUMIDA = 'Troca do cabo'")
                  .toInt(),
              1);

    dmTec->quOS->setTag(8);   // the window changing the order itself
    novoItem("Lixadeira");
    dmTec->quOSItem->post();
    dmTec->quOS->setTag(0);
    EXPECT_EQ(one("select count(*) from CADCOM where CONTRATO = 10").toInt(), 1);
}

TEST_F(TdmTecItensOSTest, AfterASaveTheServicesAreTotalledAndTheHeaderStoredAgainBeforeTheHook)
{
    parametro("ATREMANUFATURA", "S");
    parametro("ATRESTRICAOOS", "B");
    parametro("ATFORMULATOTALOS", "T");
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, PRCODIGO, AAVALORTOTAL) values (10, 1, 'S1', 80)");
    CarregaOrdemServico(10);
    dmTec->quOS->edit();
    dmTec->quOSAOOBSERVACAO->setAsString("Cliente aguarda");
    novoItem();
    host::clearHookCalls();
    dmTec->quOSItem->post();
    // The committed item, then the services' re-total posting the header
    // (its after-post reports), then the header stored without its rules
    // (nothing reported), then the item's own report.
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quOSItem:BEFOREPOST", "quOS:AFTERPOST", "quOSItem:AFTERPOST"}));
    EXPECT_EQ(linhasGravadas("AATC01AOIT", "AOCODIGO = 10"), 1);
    EXPECT_EQ(dmTec->quOSAOVALORSERVICO->asFloat(), 80.0);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(one("select AOOBSERVACAO from AATC01AO where AOCODIGO = 10").toString(), "Cliente aguarda");
}

TEST_F(TdmTecItensOSTest, InvoicedLineModeStoresTheHeaderAgainWithoutItsRules)
{
    parametro("ATRESTRICAOOS", "B");
    dmTec->quOS->edit();
    dmTec->quOSAOOBSERVACAO->setAsString("Cliente aguarda");
    novoItem();
    host::clearHookCalls();
    dmTec->quOSItem->post();
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quOSItem:BEFOREPOST", "quOSItem:AFTERPOST"}));
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(one("select AOOBSERVACAO from AATC01AO where AOCODIGO = 10").toString(), "Cliente aguarda");
    // Stored, not committed: the next commit of the order takes it.
    EXPECT_EQ(linhasGravadas("AATC01AO", "AOCODIGO = 10 and AOOBSERVACAO = 'Cliente aguarda'"), 0);
}

}  // namespace
}  // namespace tectest
