// Cost lines of a service or parts line: keys over the whole table, the kind
// and line stamped from the dialog's context, the host formula, the running
// value of the group and rTotalCustoOS.

#include "tests/tec/TotaisFixture.h"

namespace tectest {
namespace {

class CustoLinhasTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('C1', 'Cabo', 2.5)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('C2', 'Solda', 4)");
        servico(7, 3, 0);
        peca(7, 5, 0);
        CarregaOrdemServico(7);
        dmTec->CarregaOSAndamento(7, 0);
        dmTec->CarregaOSPecas(7, 0);
    }
    void TearDown() override
    {
        dmTec->sTipoCustoOS.clear();
        TotaisTest::TearDown();
    }
    void linha(const QString& produto, const QString& quantidade)
    {
        dmTec->quOSCusto->append();
        dmTec->quOSCustoPRCODIGO->setText(produto);
        dmTec->quOSCustoAFQUANTIDADE->setText(quantidade);
        dmTec->quOSCusto->post();
    }
};

TEST_F(CustoLinhasTest, ServiceLineCostsAccumulateIntoTheGroupTotal)
{
    dmTec->sTipoCustoOS = "S";
    dmTec->CarregaOSCusto("S", 7, 3);
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 0) << "an empty group";

    dmTec->quOSCusto->append();
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFQUANTIDADE->asFloat(), 1);
    dmTec->quOSCustoPRCODIGO->setText("C1");
    EXPECT_EQ(dmTec->quOSCustoDESCRICAO->asString(), "Cabo");
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFTOTAL->asFloat(), 2.5);
    dmTec->quOSCustoAFQUANTIDADE->setText("4");
    dmTec->quOSCusto->post();
    EXPECT_EQ(dmTec->quOSCustoAFCODIGO->asInteger(), 1) << "first key of an empty table";
    EXPECT_EQ(dmTec->quOSCustoAFID->asString(), "S");
    EXPECT_EQ(dmTec->quOSCustoAACODIGO->asInteger(), 3);
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALORACUMULADO->asFloat(), 10);
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 10);

    linha("C2", "0,5");
    EXPECT_EQ(dmTec->quOSCustoAFCODIGO->asInteger(), 2);
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALORACUMULADO->asFloat(), 12);
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 12);
    global->IBTransaction1->rollback();
    EXPECT_EQ(one("select count(*) from AATC08AF").toInt(), 2) << "committed after each post";
}

TEST_F(CustoLinhasTest, PartsLineCostsAreAGroupOfTheirOwnAndKeysSpanTheTable)
{
    dmTec->sTipoCustoOS = "S";
    dmTec->CarregaOSCusto("S", 7, 3);
    linha("C1", "1");
    dmTec->sTipoCustoOS = "P";
    dmTec->CarregaOSCusto("P", 7, 5);
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 0);
    linha("C2", "3");
    EXPECT_EQ(dmTec->quOSCustoAFCODIGO->asInteger(), 2) << "the key is unique over the whole table";
    EXPECT_EQ(dmTec->quOSCustoAFID->asString(), "P");
    EXPECT_EQ(dmTec->quOSCustoAPSEQUENCIA->asInteger(), 5);
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALORACUMULADO->asFloat(), 12) << "the service line's cost is another group";
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 12);
}

TEST_F(CustoLinhasTest, AFormulaComputesTheLineTotal)
{
    exec("insert into AGPC05CF (CFCODIGO, CFDESCRICAO, CFFORMULA) values (1, 'Com perda', "
         "'AFVALOR * AFQUANTIDADE * 1,1 + 2')");
    dmTec->sTipoCustoOS = "S";
    dmTec->CarregaOSCusto("S", 7, 3);
    dmTec->quOSCusto->append();
    dmTec->quOSCustoPRCODIGO->setText("C2");
    dmTec->quOSCustoAFQUANTIDADE->setText("10");
    dmTec->quOSCustoCFCODIGO->setText("1");
    dmTec->quOSCusto->post();
    EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFTOTAL->asFloat(), 4 * 10 * 1.1 + 2);
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 4 * 10 * 1.1 + 2);

    dmTec->quOSCusto->edit();
    dmTec->quOSCustoCFCODIGO->setText("9");
    EXPECT_THROW(dmTec->quOSCusto->post(), std::runtime_error) << "an unknown formula is no silent 0";
    EXPECT_EQ(dmTec->quOSCusto->state(), host::data::DatasetState::Edit);
    dmTec->quOSCusto->cancel();
}

TEST_F(CustoLinhasTest, DeletingTheLastLineOfTheGroupLeavesATotalOfZero)
{
    dmTec->sTipoCustoOS = "S";
    dmTec->CarregaOSCusto("S", 7, 3);
    linha("C1", "1");
    linha("C2", "1");
    dmTec->quOSCusto->first();
    dmTec->quOSCusto->remove();
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 4) << "the group's remaining line";
    dmTec->quOSCusto->remove();
    EXPECT_TRUE(dmTec->quOSCusto->isEmpty());
    EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 0);
    global->IBTransaction1->rollback();
    EXPECT_EQ(one("select count(*) from AATC08AF").toInt(), 0) << "deletions committed";
}

}  // namespace
}  // namespace tectest
