// The service lines of a service order sent to a sales order: per line in
// each sending mode, the one-line total, the travel line and the total of
// services and parts, through the service-order window on order 42.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Udatamod.h"

namespace moduletest {
namespace {

using ServicosPedidoTest = OrdemServicoPedidoTest;

TEST_F(ServicosPedidoTest, PendingLinesGoAtTheirWorkedHoursAndNeverTheWarrantyOrUnauthorisedOnes)
{
    servico(1, 90, 50, 60, "3", "S", "AAOBSERVACAO", "'" + QString(50, 'x').replace(0, 3, "abc") + "'");
    servico(2, 100, 30, 45);
    servico(3, 60, 10, 10, "1");           // warranty
    servico(4, 60, 10, 10, "2");
    servico(5, 60, 10, 10, "3", "N");      // not authorised
    servico(6, 60, 10, 10, "3", "S", "VECODIGO", "'000777'");   // in another order
    TfmAssOrdemServico& form = abrir();
    const QString pedido = enviarServicos(form, true);
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"SRV01 1.00 75.00 0.00 abc" + QString(22, 'x'),
                                                 "SRV01 1.00 49.80 0.00 "}))
        << "90 minutes are 1.5 hours; 100 minutes are 1.66";
    for (int linha : {1, 2})
        EXPECT_EQ(pedidoDoServico(linha), pedido);
    for (int linha : {3, 4, 5})
        EXPECT_EQ(pedidoDoServico(linha), "");
    EXPECT_EQ(pedidoDoServico(6), "000777");
    EXPECT_EQ(committed("select count(*) from AUGC70OB where OBID = 'V'").toInt(), 0) << "the item text is printed only in its modes";
    EXPECT_EQ(committed("select AACODIGO || GRCODIGO || FOCODIGOVENDEDOR from AVEC85IT where COD = 1 and"
                        " NUMERO_PEDIDO = '" + pedido + "'").toString(),
              "1SRVV01");
}

TEST_F(ServicosPedidoTest, TheCompleteModeSendsTheLineTotalOnceAndResendsLinesOfOtherOrders)
{
    servico(1, 90, 50, 60);
    servico(2, 0, 30, 90);   // no worked time: the quantity at the unit value
    exec("update AATC01AA set AAQUANTIDADE = 3 where AACODIGO = 2");
    servico(3, 60, 10, 10, "3", "S", "VECODIGO", "'000777'");
    TfmAssOrdemServico& form = abrir();
    const QString pedido = enviarServicos(form, false);
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"SRV01 1.00 60.00 0.00 ", "SRV01 3.00 30.00 0.00 ",
                                                 "SRV01 1.00 10.00 0.00 "}));
    EXPECT_EQ(pedidoDoServico(3), pedido) << "sent again, it names the new order";
}

TEST_F(ServicosPedidoTest, PrintedQuantityAndCostPriceModes)
{
    servico(1, 90, 50, 60, "3", "S", "AAQUANTIDADEIMPRESSA", "2");
    TfmAssOrdemServico& form = abrir();
    parametro("ATQUANTIDADEIMPRESSAOS", "S");
    const QString impressa = enviarServicos(form, false);
    EXPECT_EQ(linhasPedido(impressa), QStringList{"SRV01 2.00 50.00 0.00 "});

    parametro("ATCLASSIFICACAOOS", "S");
    parametro("ATTIPOOSPEDIDOCLIENTE", "I");
    exec("update AATC01AO set AOTIPOOS = 'I' where AOCODIGO = 42");
    dmTec->quOS->refresh();
    const QString custo = enviarServicos(form, false);
    EXPECT_EQ(linhasPedido(custo), QStringList{"SRV01 1.00 20.00 0.00 "}) << "the product's cost price wins";
}

TEST_F(ServicosPedidoTest, RequiredQuantityAnswerSkipsLinesWithoutIt)
{
    parametro("ATPESQUISAOSVEICULO", "S");
    servico(1, 0, 50, 100, "3", "S", "AAQUANTIDADEREQUERIDA", "0");
    servico(2, 0, 40, 40, "3", "S", "AAQUANTIDADEREQUERIDA", "3");
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Requerida", "Deseja inserir a Quantidade ou Quantidade Requerida dos Serviços?");
    const QString pedido = enviarServicos(form, true);
    EXPECT_EQ(linhasPedido(pedido), QStringList{"SRV01 3.00 40.00 0.00 "});
    EXPECT_EQ(pedidoDoServico(1), "");
    EXPECT_EQ(pedidoDoServico(2), pedido);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ServicosPedidoTest, TheItemTextGoesWithEachLineInTheReceiptModes)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "E");
    servico(1, 60, 10, 10);
    TfmAssOrdemServico& form = abrir();
    const QString pedido = enviarServicos(form, true);
    EXPECT_EQ(observacaoLinha(pedido, 1), "N/S:SN-77 Eqto.: Torno");
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    exec("update AATC01AOIT set AOITSERIE = '  ' where AOITCODIGO = 1");
    exec("update AATC01AA set VECODIGO = null");
    dmGlobal->IBTransaction1->commitRetaining();
    const QString semSerie = enviarServicos(form, true);
    EXPECT_EQ(observacaoLinha(semSerie, 1), " Eqto.: Torno");
}

TEST_F(ServicosPedidoTest, OneTotalLineTakesTheFirstChargeableLinesProductAndStampsEvenAtZero)
{
    parametro("ATPEDIDOTOTALSERVICOPECA", "S");
    servico(1, 60, 99, 99, "1", "S", "AADESCONTO", "50");   // warranty first
    exec("update AATC01AA set OFCODIGO = '5102' where AACODIGO = 1");
    servico(2, 60, 40, 40, "3", "S", "AADESCONTO", "5");
    servico(3, 60, 20, 20);
    TfmAssOrdemServico& form = abrir();
    const QString pedido = enviarServicos(form, false);
    EXPECT_EQ(linhasPedido(pedido), QStringList{"SRV01 1.00 60.00 5.00 "});
    EXPECT_EQ(committed("select VEITCFOP || ':' || AACODIGO from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "5933:2");
    EXPECT_EQ(pedidoDoServico(1), "");
    EXPECT_EQ(pedidoDoServico(2), pedido);
    EXPECT_EQ(pedidoDoServico(3), pedido);

    exec("update AATC01AA set VECODIGO = null, AAVALORTOTAL = 0");
    dmGlobal->IBTransaction1->commitRetaining();
    const QString zero = enviarServicos(form, false);
    EXPECT_TRUE(linhasPedido(zero).isEmpty());
    EXPECT_EQ(pedidoDoServico(2), zero) << "stamped without a line";
    const QString nada = enviarServicos(form, true);
    EXPECT_TRUE(linhasPedido(nada).isEmpty());
    EXPECT_EQ(pedidoDoServico(3), zero);
}

TEST_F(ServicosPedidoTest, TheTravelLineOfModeTwoCarriesNoServiceDiscount)
{
    parametro("ATMODOFATURAMENTOOS", "2");
    exec("update AATC01AO set AODESPVIAGEM = 80 where AOCODIGO = 42");
    servico(1, 60, 10, 10, "3", "S", "AADESCONTO", "10");
    TfmAssOrdemServico& form = abrir();
    dialogs->acknowledge("Não foi possível enviar despesas com viagem para o Pedido de Vendas");
    const QString semCodigo = enviarServicos(form, true);
    EXPECT_EQ(linhasPedido(semCodigo), QStringList{"SRV01 1.00 10.00 10.00 "});
    EXPECT_TRUE(dialogs->texts().last().contains("\nPara cadastrar acesse: Menu > Outros > Dados da Empresa > "
                                                 "PilvTec > Código Serviço Reembolso de Viagem"));

    parametro("ATSERVICOREEMBOLSOVIAGEM", "VIAG");
    exec("update AATC01AA set VECODIGO = null");
    dmGlobal->IBTransaction1->commitRetaining();
    const QString comCodigo = enviarServicos(form, true);
    EXPECT_EQ(linhasPedido(comCodigo), (QStringList{"SRV01 1.00 10.00 10.00 ", "VIAG 1.00 80.00 0.00 "}));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ServicosPedidoTest, TheTotalOfServicesAndPartsMarksEveryPartsLine)
{
    servico(1, 60, 40, 40, "3", "S", "AAOBSERVACAO", "'Revisao geral'");
    servico(2, 60, 40, 40, "1");
    peca(1, 2, 10);
    peca(2, 1, 5, "1");
    exec("update AATC01AO set AOVALORSERVICO = 40, AOVALORPECAS = 20 where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    const QString pedido =
        dmGlobal->InserirPedidoVenda("00003", {}, {}, "01", {}, "5933", "S", {}, {}, {}, {}, 0, {}, {}, {});
    dmTec->CarregaOSAtributos(42, 0, true);
    form.OSPassaTag(8);
    form.InserirTotalServicoPecaPedidoVenda(pedido);
    form.OSPassaTag(0);
    EXPECT_EQ(linhasPedido(pedido), QStringList{"TOTAL 1.00 60.00 0.00 Revisao geral"});
    EXPECT_EQ(committed("select VEITUNIDADE || GRCODIGO from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "HRSRV");
    EXPECT_EQ(committed("select list(APRESERVA || VECODIGO) from AATC01AP where AOCODIGO = 42").toString(),
              "B" + pedido + ",B" + pedido);
    EXPECT_EQ(pedidoDoServico(1), pedido);
    EXPECT_EQ(pedidoDoServico(2), "");
}

}  // namespace
}  // namespace moduletest
