// The equipment owned by customers (quEquipCli): defaults from the customer
// and the model open in the host, the key over the whole table, the hook
// reported before each commit.

#include "tests/tec/ItensFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

class TdmTecEquipClienteTest : public ItensTest {
protected:
    void SetUp() override
    {
        ItensTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Maria Souza')");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00002', 'João Lima')");
        modelo(7, "E");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO) values (40, 7, '00002')");
        dmTec->CarregaEquipamentoCliente("00001", 0);
        host::clearHookCalls();
    }

    int gravadas(const QString& condicao) { return linhasGravadas("AATC03AECL", condicao); }
};

TEST_F(TdmTecEquipClienteTest, NewRowTakesTheCurrentCustomerAndTheModelOpenInTheRegister)
{
    dmGlobal->CarregaCliente("00001");
    dmTec->CarregaEquipamento(7);
    host::clearHookCalls();
    dmTec->quEquipCli->append();
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quEquipCliCLCODIGO->asString(), "00001");
    EXPECT_EQ(tec.quEquipCliNOME->asString(), "Maria Souza");
    EXPECT_EQ(tec.quEquipCliAECODIGO->asInteger(), 7);
    EXPECT_EQ(tec.quEquipCliAEDESCRICAO->asString(), "Modelo 7");
    EXPECT_EQ(host::hookCallTexts(), QStringList{"quEquipCli:ONNEWRECORD"});
}

TEST_F(TdmTecEquipClienteTest, NewRowWithoutCustomerOrModelLeavesThemToTheUser)
{
    dmTec->quEquipCli->append();
    EXPECT_TRUE(dmTec->quEquipCliCLCODIGO->isNull());
    EXPECT_EQ(dmTec->quEquipCliAECODIGO->asInteger(), 0);
    dmTec->quEquipCliCLCODIGO->setText("00002");
    EXPECT_EQ(dmTec->quEquipCliNOME->asString(), "João Lima");
    dmTec->quEquipCliAECODIGO->setText("7");
    EXPECT_EQ(dmTec->quEquipCliAEDESCRICAO->asString(), "Modelo 7");
}

TEST_F(TdmTecEquipClienteTest, SavedRowTakesTheLargestKeyPlusOneAndIsCommittedAfterTheHook)
{
    dmTec->quEquipCli->append();
    dmTec->quEquipCliCLCODIGO->setAsString("00001");
    dmTec->quEquipCliAECODIGO->setAsInteger(7);
    dmTec->quEquipCliAECLNUMEROSERIE->setAsString("S-1");
    dmTec->quEquipCli->post();
    EXPECT_EQ(dmTec->quEquipCliAECLCODIGO->asInteger(), 41);   // over every customer's rows
    EXPECT_EQ(gravadas("AECLCODIGO = 41 and CLCODIGO = '00001' and AECLNUMEROSERIE = 'S-1'"), 1);
    EXPECT_EQ(host::hookCallTexts(),
              (QStringList{"quEquipCli:ONNEWRECORD", "quEquipCli:BEFOREPOST", "quEquipCli:AFTERPOST"}));

    // Edited, it keeps its key.
    dmTec->quEquipCli->edit();
    dmTec->quEquipCliAECLOBSERVACAO->setAsString("Revisada");
    dmTec->quEquipCli->post();
    EXPECT_EQ(dmTec->quEquipCliAECLCODIGO->asInteger(), 41);
    EXPECT_EQ(gravadas("AECLCODIGO = 41 and AECLOBSERVACAO = 'Revisada'"), 1);
}

TEST_F(TdmTecEquipClienteTest, RowMissingARequiredFieldIsNotSaved)
{
    dmTec->quEquipCliCLCODIGO->setRequired(true);
    dmTec->quEquipCli->append();
    dialogos->acknowledge("Campo obrigatório não informado");
    EXPECT_THROW(dmTec->quEquipCli->post(), host::Abort);
    EXPECT_EQ(dmTec->quEquipCli->state(), host::data::DatasetState::Insert);
    EXPECT_EQ(one("select count(*) from AATC03AECL").toInt(), 1);
}

TEST_F(TdmTecEquipClienteTest, DeletedRowIsCommittedWithoutAuditRecord)
{
    dmTec->CarregaEquipamentoCliente("00002", 0);
    host::clearHookCalls();
    dmTec->quEquipCli->remove();
    EXPECT_EQ(gravadas("AECLCODIGO = 40"), 0);
    EXPECT_EQ(one("select count(*) from ARQLOG").toInt(), 0);
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quEquipCli:BEFOREDELETE", "quEquipCli:AFTERDELETE"}));
}

}  // namespace
}  // namespace tectest
