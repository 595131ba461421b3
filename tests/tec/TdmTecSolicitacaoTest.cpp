// Parts requests: numbering over headers and items, the delivered quantity
// clamped, the closing question, the refusals of installation 4 and the
// order's reserved parts line kept in step with each request item.

#include "tests/tec/PecasFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udmglobal.h"

namespace tectest {
namespace {

class SolicitacaoTest : public PecasTest {
protected:
    void SetUp() override
    {
        PecasTest::SetUp();
        tecnico(4, "Rui", "S");
        dmTec->CarregarTecnicos(-1, false);
        empresa(0);
    }
    void empresa(int especifico)
    {
        exec("delete from EMPRESA");
        exec(QString("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', %1)")
                 .arg(especifico));
        dmGlobal->CarregaEmpresa();
    }
    // A new request for order 7, saved, with its (empty) items open.
    int novaSolicitacao(int ordem = 7)
    {
        CarregaSolicitacao(999999);
        dmTec->quSolicita->append();
        dmTec->quSolicitaAOCODIGO->setAsInteger(ordem);
        dmTec->quSolicita->post();
        const int codigo = dmTec->quSolicitaAICODIGO->asInteger();
        dmTec->CarregaSolicitacaoIt(codigo);
        return codigo;
    }
    void novoItem(const QString& produto, double quantidade, int responsavel = 4)
    {
        dmTec->quSolicitaIt->append();
        dmTec->quSolicitaItPRCODIGO->setText(produto);
        dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(quantidade);
        if (responsavel > 0)
            dmTec->quSolicitaItATCODIGOENTREGA->setAsInteger(responsavel);
        dmTec->quSolicitaIt->post();
    }
    void entregar(const QString& quantidade)
    {
        dmTec->quSolicitaIt->edit();
        dmTec->quSolicitaItAIQUANTIDADEENTREGUE->setText(quantidade);
        dmTec->quSolicitaIt->post();
    }
    QString linhaPeca()
    {
        return one("select cast(APQUANTIDADE as integer) || '/' || cast(APQUANTIDADEREQUERIDA as integer) || '/' ||"
                   " APRESERVA || '/' || ATCODIGO from AATC01AP where AOCODIGO = 7 and PRCODIGO = 'P1'")
            .toString();
    }
    int contar(const QString& tabela, const QString& condicao)
    {
        return one("select count(*) from " + tabela + " where " + condicao).toInt();
    }
};

TEST_F(SolicitacaoTest, CodesRunOverHeadersAndItemsAndSequencesPerRequest)
{
    exec("insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA, PRCODIGO, AIQUANTIDADE) values (12, 'I', 3, 'P1', 1)");
    const int codigo = novaSolicitacao();
    EXPECT_EQ(codigo, 13) << "an item's code counts too";
    EXPECT_EQ(dmTec->quSolicitaAISITUACAO->displayText(), "E - Emitindo");
    EXPECT_EQ(dmTec->quSolicitaAIID->asString(), "C");
    EXPECT_EQ(dmTec->quSolicitaAICODIGO->displayText(), "000013");
    novoItem("P1", 2);
    EXPECT_EQ(dmTec->quSolicitaItAISEQUENCIA->asInteger(), 1);
    EXPECT_EQ(dmTec->quSolicitaItDESCRICAO->asString(), "Parafuso") << "product columns on typing";
    EXPECT_EQ(dmTec->quSolicitaItAOCODIGO->asInteger(), 7);
    EXPECT_EQ(dmTec->quSolicitaItDescricaoTecnico->asString(), "Rui");
    novoItem("P2", 1);
    EXPECT_EQ(contar("AATC07AI", "AICODIGO = 13 and AIID = 'I' and AISEQUENCIA = 2"), 1);
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7"), 0) << "no parts line outside installation 4";
}

TEST_F(SolicitacaoTest, DeliveredQuantityAboveTheQuantityIsPutBackWithTheMessage)
{
    novaSolicitacao();
    novoItem("P1", 5);
    dmTec->quSolicitaIt->edit();
    dialogos->acknowledge("Quantidade entregue não pode ser maior que a quantidade!");
    EXPECT_THROW(dmTec->quSolicitaItAIQUANTIDADEENTREGUE->setText("6"), host::Abort);
    EXPECT_DOUBLE_EQ(dmTec->quSolicitaItAIQUANTIDADEENTREGUE->asFloat(), 5);
    dmTec->quSolicitaIt->cancel();
}

TEST_F(SolicitacaoTest, QuantityAndResponsibleAreRequiredButTheScreenMayOmitTheResponsible)
{
    novaSolicitacao();
    dmTec->quSolicitaIt->setTag(1);
    dialogos->acknowledge("Preenchimento da Quantidade obrigatório");
    EXPECT_THROW(novoItem("P1", 0), host::Abort) << "even when added by the screen";
    dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(2);
    dmTec->quSolicitaIt->post();
    EXPECT_EQ(contar("AATC07AI", "AIID = 'I'"), 1);
    dmTec->quSolicitaIt->setTag(0);
    dialogos->acknowledge("Preenchimento do Responsável obrigatório");
    EXPECT_THROW(novoItem("P2", 1, 0), host::Abort);
    dmTec->quSolicitaIt->cancel();
}

TEST_F(SolicitacaoTest, ClosingQuestionWhenEveryItemIsDelivered)
{
    novaSolicitacao();
    novoItem("P1", 5);
    novoItem("P2", 2);
    ASSERT_TRUE(dmTec->quSolicitaIt->locate("PRCODIGO", "P1"));
    entregar("5");
    EXPECT_EQ(dialogos->pending(), 0) << "one item still open: no question";
    ASSERT_TRUE(dmTec->quSolicitaIt->locate("PRCODIGO", "P2"));
    dialogos->answer("Não", "Todos itens da solicitação foram entregues. Desejar encerrar solicitação?");
    entregar("2");
    EXPECT_EQ(dmTec->quSolicitaAISITUACAO->asString(), "E");
    dialogos->answer("Sim", "Desejar encerrar solicitação?");
    entregar("2");
    EXPECT_EQ(one("select AISITUACAO from AATC07AI where AIID = 'C'").toString(), "C");
    entregar("2");   // closed: no question any more
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(SolicitacaoTest, InInstallation4DeliveriesReduceAndFinallyDeleteTheOrdersPartsLine)
{
    empresa(4);
    novaSolicitacao();
    novoItem("P1", 5);
    EXPECT_EQ(linhaPeca(), "5/5/S/4");
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7"), 1);
    entregar("3");
    EXPECT_EQ(linhaPeca(), "2/2/S/4");
    dialogos->answer("Não");
    entregar("5");
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7"), 0);
}

// A delivery changes the reserved line's quantities in SQL: its totals, the
// order's parts total and the product's reserved quantity must follow, as
// they do when the line is saved through the order window.
TEST_F(SolicitacaoTest, InInstallation4ADeliveryKeepsLineTotalsOrderTotalsAndReservationsInStep)
{
    empresa(4);
    parametro("ATRESERVAPECAS", "S");
    novaSolicitacao();
    novoItem("P1", 5);
    ASSERT_EQ(linhaPeca(), "5/5/S/4");
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 5);
    entregar("3");
    EXPECT_DOUBLE_EQ(one("select APVALTOTAL from AATC01AP where AOCODIGO = 7 and PRCODIGO = 'P1'").toDouble(), 20)
        << "2 left at 10";
    EXPECT_DOUBLE_EQ(
        one("select APVALORTOTALREQUERIDO from AATC01AP where AOCODIGO = 7 and PRCODIGO = 'P1'").toDouble(), 20);
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 2);
    dmGlobal->IBTransaction1->rollbackRetaining();   // nothing may rest on a later save
    EXPECT_DOUBLE_EQ(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(), 20);
    EXPECT_DOUBLE_EQ(one("select AOVALORTOTAL from AATC01AO where AOCODIGO = 7").toDouble(), 20);

    dmTec->CarregaSolicitacaoIt(dmTec->quSolicitaAICODIGO->asInteger());
    dialogos->answer("Não");
    entregar("5");
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7"), 0);
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 0) << "nothing reserved any more";
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_DOUBLE_EQ(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(), 0);
}

// The reserved line stands for the item: left behind, it stayed reserved,
// counted in the order's total and went into its sales order.
TEST_F(SolicitacaoTest, InInstallation4DeletingAnItemTakesItsReservedLineOffTheOrder)
{
    empresa(4);
    parametro("ATRESERVAPECAS", "S");
    novaSolicitacao();
    novoItem("P1", 5);
    novoItem("P2", 2);
    ASSERT_EQ(linhaPeca(), "5/5/S/4");
    ASSERT_TRUE(dmTec->quSolicitaIt->locate("PRCODIGO", "P1"));
    dmTec->quSolicitaIt->remove();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P1'"), 0);
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P2'"), 1) << "the other item's line stays";
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 0);
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P1'"), 0) << "committed";
    EXPECT_DOUBLE_EQ(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(), 5) << "P2: 2 at 2.50";

    dmTec->CarregaSolicitacaoIt(dmTec->quSolicitaAICODIGO->asInteger());
    novoItem("P2", 1);   // the same product and responsible again
    ASSERT_TRUE(dmTec->quSolicitaIt->locate("PRCODIGO", "P2"));
    dmTec->quSolicitaIt->remove();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P2'"), 1) << "still stands for the other item";
    exec("update AATC01AP set VECODIGO = '000123', APRESERVA = 'B' where AOCODIGO = 7 and PRCODIGO = 'P2'");
    novoItem("P1", 1);
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    dmTec->quOSAOOBSERVACAO->setAsString("em digitação");   // the order window's own unsaved edit
    ASSERT_TRUE(dmTec->quSolicitaIt->locate("PRCODIGO", "P1"));
    dmTec->quSolicitaIt->remove();
    EXPECT_TRUE(dmTec->quOS->editing()) << "the user's edit is not saved behind the user's back";
    EXPECT_DOUBLE_EQ(dmTec->quOSAOVALORPECAS->asFloat(), 2.5) << "but takes the new totals: P2 alone";
    dmTec->quOS->cancel();
    dmTec->quSolicitaIt->first();
    dmTec->quSolicitaIt->remove();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P2'"), 1) << "in a sales order: left alone";
}

TEST_F(SolicitacaoTest, InInstallation4AnItemChangedToAnotherProductMovesItsReservedLine)
{
    empresa(4);
    parametro("ATRESERVAPECAS", "S");
    novaSolicitacao();
    novoItem("P1", 5);
    dmTec->quSolicitaIt->edit();
    dmTec->quSolicitaItPRCODIGO->setText("P2");
    dmTec->quSolicitaIt->post();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P1'"), 0) << "P1 is no longer asked for";
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and PRCODIGO = 'P2' and APQUANTIDADE = 5"), 1);
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 0);
}

TEST_F(SolicitacaoTest, InInstallation4AQuantityLoweredBelowTheDeliveredOneLeavesNoNegativeLine)
{
    empresa(4);
    novaSolicitacao();
    novoItem("P1", 5);
    entregar("3");
    ASSERT_EQ(linhaPeca(), "2/2/S/4");
    dmTec->quSolicitaIt->edit();
    dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(2);   // 3 already delivered
    dmTec->quSolicitaIt->post();
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and APQUANTIDADE < 0"), 0);
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7"), 0) << "nothing left to deliver";
}

TEST_F(SolicitacaoTest, InInstallation4AReservedLineRefusedByThePartsRulesLeavesNoRowBeingInserted)
{
    empresa(4);
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, ATCODIGO) values (7, 1, 'P1', 1, 5)");
    parametro("ATVENDAPRODUTOREPETIDO", "N");
    novaSolicitacao();
    dialogos->acknowledge("Produto já lançado neste documento!");
    EXPECT_THROW(novoItem("P1", 2), host::Abort);
    EXPECT_EQ(contar("AATC07AI", "AIID = 'I'"), 1) << "the item itself is saved";
    EXPECT_EQ(dmTec->quOSPecas->state(), host::data::DatasetState::Browse) << "no half-made line left to save";
    EXPECT_EQ(dmTec->quOSPecas->recordCount(), 1);
}

TEST_F(SolicitacaoTest, InInstallation4ARequestWithoutOrderTouchesNoPartsLine)
{
    empresa(4);
    CarregaSolicitacao(999999);
    dmTec->quSolicita->append();
    dmTec->quSolicita->post();
    dmTec->CarregaSolicitacaoIt(dmTec->quSolicitaAICODIGO->asInteger());
    novoItem("P1", 2);
    EXPECT_EQ(contar("AATC07AI", "AIID = 'I'"), 1);
    EXPECT_EQ(contar("AATC01AP", "1 = 1"), 0) << "a parts line of no order";

    novaSolicitacao(99);   // typed, and not an order
    novoItem("P2", 1);
    EXPECT_EQ(contar("AATC01AP", "1 = 1"), 0);
}

TEST_F(SolicitacaoTest, AnItemWithoutResponsibleTouchesOnlyLinesWithoutTechnician)
{
    empresa(4);
    novaSolicitacao();
    novoItem("P1", 5);   // a line of technician 4
    dmTec->quSolicitaIt->setTag(1);
    novoItem("P1", 3, 0);
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and ATCODIGO is null and APQUANTIDADE = 3"), 1);
    entregar("1");
    EXPECT_EQ(linhaPeca().left(8), "5/5/S/4") << "technician 4's line is left alone";
    EXPECT_EQ(contar("AATC01AP", "AOCODIGO = 7 and ATCODIGO is null and APQUANTIDADE = 2"), 1);
}

TEST_F(SolicitacaoTest, Installation4RefusesASecondRequestAnExecutedOrderAndMovingARequestWithItems)
{
    empresa(4);
    novaSolicitacao();
    novoItem("P1", 1);
    CarregaSolicitacao(999999);
    dmTec->quSolicita->append();
    dmTec->quSolicitaAOCODIGO->setAsInteger(7);
    dialogos->acknowledge("Atenção, já existe uma Solicitação com essa Ordem de Serviço. Operação Abortada!");
    EXPECT_THROW(dmTec->quSolicita->post(), host::Abort);
    dmTec->quSolicita->cancel();

    CarregaSolicitacao(1);
    dmTec->quSolicita->edit();
    dialogos->acknowledge("Não é possível alterar a Ordem de Serviço.");
    dmTec->quSolicitaAOCODIGO->setAsInteger(8);
    EXPECT_EQ(dmTec->quSolicitaAOCODIGO->asInteger(), 7);
    dmTec->quSolicita->cancel();

    exec("update AATC01AO set AOBAIXA = 'S' where AOCODIGO = 7");
    dmTec->CarregaSolicitacaoIt(1);
    dialogos->acknowledge("Ordem de Serviço 7 já foi \"Executada\".");
    EXPECT_THROW(novoItem("P2", 1), host::Abort);
    EXPECT_FALSE(dmTec->quSolicitaIt->editing()) << "the item is dropped";
    EXPECT_EQ(contar("AATC07AI", "AIID = 'I'"), 1);
}

TEST_F(SolicitacaoTest, OtherInstallationsAllowWhatInstallation4Refuses)
{
    novaSolicitacao();
    novoItem("P1", 1);
    exec("update AATC01AO set AOBAIXA = 'S' where AOCODIGO = 7");
    novoItem("P2", 1);
    novaSolicitacao();   // the same order again
    EXPECT_EQ(contar("AATC07AI", "AIID = 'C' and AOCODIGO = 7"), 2);
}

TEST_F(SolicitacaoTest, DeliveriesAreNumberedOverTheTableAndGoWithTheirItemOrRequest)
{
    empresa(4);
    const int codigo = novaSolicitacao();
    novoItem("P1", 5);
    novoItem("P2", 2);
    exec("insert into AATC07AIENT (AIENTSEQ, AICODIGO, AISEQUENCIAREF, AIENTQTDENTREGUE) values (40, 99, 1, 1)");
    dmTec->CarregarProdutosEntregSolicPecas(1, codigo, {});
    ASSERT_TRUE(dmTec->quSolicitacaoItEnt->active());
    dmTec->quSolicitacaoItEnt->append();
    EXPECT_EQ(dmTec->quSolicitacaoItEntAIENTSEQ->asInteger(), 41);
    dmTec->quSolicitacaoItEntAICODIGO->setAsInteger(codigo);
    dmTec->quSolicitacaoItEntAISEQUENCIAREF->setAsInteger(1);
    dmTec->quSolicitacaoItEntAIENTQTDENTREGUE->setAsFloat(2);
    dmTec->quSolicitacaoItEnt->post();

    dmTec->quSolicitaIt->first();
    dialogos->acknowledge("existem entregas de peças relacionados a este produto.");
    EXPECT_THROW(dmTec->quSolicitaIt->remove(), host::Abort);

    empresa(0);
    dmTec->quSolicitaIt->remove();
    EXPECT_EQ(contar("AATC07AIENT", QString("AICODIGO = %1").arg(codigo)), 0) << "no orphaned delivery";

    exec(QString("insert into AATC07AIENT (AIENTSEQ, AICODIGO, AISEQUENCIAREF, AIENTQTDENTREGUE)"
                 " values (42, %1, 2, 1)").arg(codigo));
    dmTec->quSolicita->remove();
    EXPECT_EQ(contar("AATC07AI", QString("AICODIGO = %1").arg(codigo)), 0) << "items go with the header";
    EXPECT_EQ(contar("AATC07AIENT", QString("AICODIGO = %1").arg(codigo)), 0);
    EXPECT_EQ(contar("AATC07AIENT", "AICODIGO = 99"), 1);
}

}  // namespace
}  // namespace tectest
