// The sales orders of a service order through the service-order window on
// order 42: the refusals and questions, the main, service and expense
// orders, their stamps and numbers, the write-back into the order, the
// completion of their headers, the screen restored after a failure, the
// order opened in the host's sales-order window, and the statement count.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Udatamod.h"
#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/data/Abort.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "tests/support/TestDatabase.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace moduletest {
namespace {

class PedidoVendaOSTest : public OrdemServicoPedidoTest {
protected:
    QString ordemColuna(const QString& coluna)
    {
        return committed("select coalesce(" + coluna + ", '') from AATC01AO where AOCODIGO = 42").toString();
    }
    // The sale chosen on the sales-document button, as the user makes it.
    void venderPeloBotao(TfmAssOrdemServico& form, bool jaPossui = false)
    {
        dialogs->answer("1)Venda", kMenuDocumentosVenda);
        if (jaPossui)
            dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
        dialogs->acknowledge("Operação efetuada com sucesso!");
        dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
        form.bbPedidoVenda->click();
    }
};

// Lines under warranty only: no sales order of no line is made, in any
// mode of the items' situations, and the order stays open.
TEST_F(PedidoVendaOSTest, AnOrderWithNothingToSellIsRefusedAndStaysOpen)
{
    servico(1, 60, 50, 50, "1");
    peca(1, 2, 10, "2");
    TfmAssOrdemServico& form = abrir();
    for (const char* modo : {"", "I"}) {
        SCOPED_TRACE(modo);
        parametro("ATPEDIDOSITUACAOITEM", modo);
        dialogs->answer("1)Venda", kMenuDocumentosVenda);
        if (QString(modo) == "I")
            dialogs->answer("Sim", "A situação que se encontra a O.S. não é válida");
        dialogs->acknowledge("A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!");
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido("select count(*) from AVEC8501 where AOCODIGO = 42"), QStringList{"0"});
        EXPECT_EQ(lido("select AOBAIXA || coalesce(VECODIGO, '-') from AATC01AO where AOCODIGO = 42"),
                  QStringList{"A-"});
    }
}

// ---- header completion ----

TEST_F(PedidoVendaOSTest, TheOrderTextNamesTheServiceOrderInEachMode)
{
    exec("update AATC01AOIT set AOITNUMERONFREMESSA = '001234' where AOCODIGO = 42");
    peca(1, 1, 10);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    const QString referente = emitir(form);
    EXPECT_EQ(cabecalho(referente, "VEREFERENTE"), "Referente à OS: 42  N.F. Remessa: 001234");

    parametro("ATMODOVEICULO", "O");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    const QString veiculo = emitir(form);
    EXPECT_EQ(cabecalho(veiculo, "VEREFERENTE"), "OS: 42     Placa: ABC-1234     KM: 15000 ");

    parametro("ATMODOVEICULO", "");
    parametro("ATPESQUISAOSVEICULO", "S");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEIDENTIFICADOR) values (77, 'Caminhão', 'V')");
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 77, AOITCOR = 'F-12' where AOCODIGO = 42");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    const QString frota = emitir(form);
    EXPECT_EQ(cabecalho(frota, "VEREFERENTE"), "OS: 42     Placa: ABC-1234     Frota: F-12 ");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PedidoVendaOSTest, ExpensesFollowTheBillingModeUnlessAnExpensePayerTakesThem)
{
    despesas(30, 12);
    exec("update AATC01AO set AODESPESASCLIENTE = 'Serviço;Despesas com Viagem;' where AOCODIGO = 42");
    parametro("ATSERVICOREEMBOLSOVIAGEM", "VIAG");
    servico(1, 60, 50, 50);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    const struct {
        const char* modo;
        const char* despesas;   // travel | other
    } casos[] = {{"1", "42|0"}, {"2", "0|0"}, {"3", "0|12"}, {"4", "0|42"}, {"6", "30|0"}, {"", "30|0"}};
    bool primeiro = true;
    for (const auto& caso : casos) {
        parametro("ATMODOFATURAMENTOOS", caso.modo);
        if (!primeiro)
            dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
        primeiro = false;
        const QString pedido = emitir(form);
        EXPECT_EQ(cabecalho(pedido, "cast(coalesce(VEVALORDESPESAVIAGEM, 0) as integer) || '|' ||"
                                    " cast(coalesce(VEVALORDESPESA, 0) as integer)"),
                  caso.despesas)
            << "mode " << caso.modo;
    }

    parametro("ATMODOFATURAMENTOOS", "1");
    exec("update AATC01AO set CLCODIGOCOBRANCADESPESAS = '00005' where AOCODIGO = 42");
    dmTec->quOS->refresh();
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    QString despesas;
    const QString principal = emitir(form, nullptr, &despesas);
    EXPECT_NE(despesas, principal);
    EXPECT_EQ(cabecalho(principal, "coalesce(VEVALORDESPESAVIAGEM, 0) + coalesce(VEVALORDESPESA, 0)").toDouble(), 0);
    EXPECT_EQ(cabecalho(despesas, "CODIGO_CLIENTE"), "00005");
    EXPECT_EQ(cabecalho(despesas, "VALOR_TOTAL").toDouble(), 42);
    EXPECT_EQ(linhasPedido(despesas), QStringList{"VIAG 1.00 42.00 0.00 "});

    parametro("ATSERVICOREEMBOLSOVIAGEM", "");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    dialogs->acknowledge("Para inserir item de despesas no pedido individual é necessário informar um código de "
                         "produto/serviço no parâmetro \"Código Serviço Reembolso de Viagem\"!");
    emitir(form, nullptr, &despesas);
    EXPECT_TRUE(linhasPedido(despesas).isEmpty());
    EXPECT_EQ(cabecalho(despesas, "VALOR_TOTAL").toDouble(), 42) << "the total without a line";
    EXPECT_EQ(dialogs->pending(), 0);
}

// The customer's "Desconto (%)" is a percentage, no cap of the order's discount.
TEST_F(PedidoVendaOSTest, TheOrdersDiscountIsCarriedWholeAndTheRepresentativeFilled)
{
    exec("update AATC01AO set AODESCONTO = 15, FOCODIGOREPRESENTANTE = 'R01' where AOCODIGO = 42");
    exec("update AUGC0301 set CODIGO_REPRESENTACAO = 'RP9', ORCTCODIGO = 2 where CODIGO_CLIENTE = '00003'");
    servico(1, 60, 50, 50);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    for (const char* percentual : {"10", "0"}) {
        exec(QString("update AUGC0301 set CLDESCONTO = %1 where CODIGO_CLIENTE = '00003'").arg(percentual));
        if (QString(percentual) == "0")
            dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
        const QString pedido = emitir(form);
        EXPECT_EQ(cabecalho(pedido, "cast(DESCONTO_GERAL as integer) || '|' || cast(VALOR_TOTAL as integer) || '|' ||"
                                    " COD_REPRES || '|' || CODIGO_REPRESENTACAO || '|' || ORCTCODIGO"),
                  "15|35|R01|RP9|2")
            << percentual << " %";
    }
}

TEST_F(PedidoVendaOSTest, RepricedByThePaymentTermTheHeaderTotalsTheLinesAsStored)
{
    exec("update or insert into AFVT0101 (CODIGO, DESCRICAO, DESCONTO, QUANTAS_VEZES) values ('01', 'A vista', 10,"
         " 1) matching (CODIGO)");
    parametro("ATPRECOTABELAVENCIMENTO", "S");
    servico(1, 60, 60, 60);
    TfmAssOrdemServico& form = abrir();
    venderPeloBotao(form);
    EXPECT_EQ(dialogs->pending(), 0);
    const QString pedido = ordemColuna("VECODIGO");
    ASSERT_FALSE(pedido.isEmpty());
    const double linhas =
        committed("select sum(TOTAL_UNIT) from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'").toDouble();
    EXPECT_NEAR(linhas, 54, 1e-9) << "60,00 less 10 %";
    EXPECT_NEAR(cabecalho(pedido, "VALOR_TOTAL").toDouble(), linhas, 1e-9);

    // The services of their own payer go to an order of their own, completed the same way.
    exec("update AATC01AO set CLCODIGOCOBRANCASERVICO = '00004' where AOCODIGO = 42");
    exec("update AATC01AA set VECODIGO = null");
    peca(1, 2, 10);
    dmGlobal->IBTransaction1->commitRetaining();
    dmTec->quOS->refresh();
    venderPeloBotao(form, true);
    EXPECT_EQ(dialogs->pending(), 0);
    for (const QString& outro : {ordemColuna("VECODIGO"), ordemColuna("VECODIGOSERVICO")})
        EXPECT_NEAR(cabecalho(outro, "VALOR_TOTAL").toDouble(),
                    committed("select sum(TOTAL_UNIT) from AVEC85IT where NUMERO_PEDIDO = '" + outro + "'")
                        .toDouble(),
                    1e-9)
            << outro.toStdString();
    EXPECT_NEAR(cabecalho(ordemColuna("VECODIGOSERVICO"), "VALOR_TOTAL").toDouble(), 54, 1e-9);
}

// 2 x 1.234,56 at 10 % and 3 x 89,90: lines of 2.222,208 and 269,70; the
// order's totals are stored to the cent, rounded as its receivable is.
TEST_F(PedidoVendaOSTest, TheSalesOrderStoresItsTotalsToTheCent)
{
    peca(1, 2, 1234.56);
    exec("update AATC01AP set APDESCONTO = 10, APVALTOTAL = 2222.208 where AOCODIGO = 42");
    peca(2, 3, 89.90);
    TfmAssOrdemServico& form = abrir();
    venderPeloBotao(form);
    EXPECT_EQ(dialogs->pending(), 0);
    const QString pedido = ordemColuna("VECODIGO");
    // In tenths of a cent: nothing past the cent.
    EXPECT_EQ(lido("select cast(VALOR_TOTAL * 1000 as integer) || ' ' || cast(VEVALORTOTALBRUTOITEM * 1000 as integer)"
                   " || ' ' || cast(VEVALORTOTALDESCONTO * 1000 as integer) from AVEC8501 where NUMERO_PEDIDO = '" +
                   pedido + "'"),
              QStringList{"2491910 2738820 246910"});
}

// ---- the sales order ----

TEST_F(PedidoVendaOSTest, AServicePayerGetsItsOwnOrderOnlyBesideParts)
{
    exec("update AATC01AO set CLCODIGOCOBRANCASERVICO = '00004' where AOCODIGO = 42");
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    QString servicos;
    const QString unico = emitir(form, &servicos);
    EXPECT_EQ(servicos, unico) << "without parts the services stay in the main order";
    EXPECT_EQ(linhasPedido(unico), QStringList{"SRV01 1.00 40.00 0.00 "});
    EXPECT_EQ(cabecalho(unico, "CODIGO_CLIENTE"), "00003");
    EXPECT_EQ(ordemColuna("VECODIGOSERVICO"), unico);

    peca(1, 2, 10);
    exec("update AATC01AA set VECODIGO = null");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    const QString principal = emitir(form, &servicos);
    EXPECT_NE(servicos, principal);
    EXPECT_EQ(cabecalho(servicos, "CODIGO_CLIENTE"), "00004");
    EXPECT_EQ(linhasPedido(principal), QStringList{"PEC01 2.00 10.00 0.00 "});
    EXPECT_EQ(linhasPedido(servicos), QStringList{"SRV01 1.00 40.00 0.00 "});
    EXPECT_EQ(cabecalho(servicos, "VEREFERENTE"), "Referente à OS: 42 ");
    EXPECT_EQ(ordemColuna("VECODIGO") + "|" + ordemColuna("VECODIGOSERVICO") + "|" + ordemColuna("AOBAIXA"),
              principal + "|" + servicos + "|S");
    EXPECT_EQ(cabecalho(principal, "AOCODIGO") + cabecalho(servicos, "AOCODIGO"), "4242");
}

TEST_F(PedidoVendaOSTest, ModeBNeverAsksAndTakesOnlyPendingLines)
{
    parametro("ATPEDIDOSITUACAOITEM", "B");
    exec("update AATC01AO set ASCODIGO = 5, VECODIGO = '000900' where AOCODIGO = 42");
    exec("update AATC01AOIT set ASCODIGO = 5 where AOCODIGO = 42");
    servico(1, 60, 40, 40, "3", "S", "VECODIGO", "'000900'");
    servico(2, 60, 25, 25);
    TfmAssOrdemServico& form = abrir();
    const QString pedido = emitir(form);
    EXPECT_EQ(linhasPedido(pedido), QStringList{"SRV01 1.00 25.00 0.00 "});
    EXPECT_TRUE(dialogs->shown().empty());

    exec("update AATC01AOIT set ASCODIGO = 4 where AOCODIGO = 42");
    dialogs->acknowledge("A O.S. possui itens em situação que não é permitida geração de Pedido de Venda!");
    EXPECT_THROW(emitir(form), host::Abort);
    exec("update AATC01AOIT set ASCODIGO = 5 where AOCODIGO = 42");
    dialogs->acknowledge("A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!");
    EXPECT_THROW(emitir(form), host::Abort) << "every chargeable line is in an order";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PedidoVendaOSTest, TheSituationQuestionMayComeTwiceAndNaoOrCancelarEndQuietly)
{
    parametro("ATATENDENTEAUTOMATICO", "S");
    parametro("ATPEDIDOSITUACAOITEM", "I");
    const QString pergunta = "A situação que se encontra a O.S. não é válida para efetuar Pedido de Venda.";
    servico(1, 60, 50, 50);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Sim", pergunta).answer("Não", pergunta);
    EXPECT_THROW(emitir(form), host::Abort);
    EXPECT_EQ(committed("select count(*) from AVEC8501").toInt(), 0);
    dialogs->answer("Sim", pergunta).answer("Sim", pergunta);
    const QString pedido = emitir(form);
    EXPECT_FALSE(pedido.isEmpty());
    parametro("ATATENDENTEAUTOMATICO", "");
    parametro("ATPEDIDOSITUACAOITEM", "");
    dialogs->answer("Cancelar", "Esta OS já possui um pedido de venda.");
    EXPECT_THROW(emitir(form), host::Abort);
    EXPECT_EQ(committed("select count(*) from AVEC8501").toInt(), 1);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PedidoVendaOSTest, StampsAndTheOrderNumberOfTheServiceOrder)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    parametro("ATPEDIDORECIBO", "C");
    servico(1, 60, 50, 50);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    QString servicos, despesas;
    const QString pedido = emitir(form, &servicos, &despesas);
    EXPECT_EQ(pedido, "00042");
    EXPECT_EQ(servicos + "|" + despesas, "00042|00042") << "the numbers that were the main one follow it";
    EXPECT_EQ(cabecalho(pedido, "AOCODIGO || '|' || VERECIBO || '|' || OPERADOR"), "42|S|SYSDBA");
    EXPECT_EQ(cabecalho(pedido, "VEREFERENTE"), "OS: 42 ");
    EXPECT_EQ(ordemColuna("VECODIGO"), "00042");

    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    dialogs->acknowledge("O número da OS já estava ocupado, o pedido de venda terá o número ");
    const QString ocupado = emitir(form);
    EXPECT_NE(ocupado, "00042");
    EXPECT_TRUE(dialogs->texts().last().endsWith(ocupado));

    parametro("ATIMPRIMECOMPROVANTEOS", "");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    const QString atendente = emitir(form);
    EXPECT_EQ(cabecalho(atendente, "OPERADOR"), "Atendente Carla da S") << "cut to 20";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PedidoVendaOSTest, ALargeOrderCodeKeepsTheHostNumber)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ASCODIGO, OFCODIGO,"
         " TVCODIGO) values (123456, '00003', '2026-11-02', 'A', 'M', 4, '5933', '01')");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (123456, 2, 'Torno')");
    exec("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AATIPO,"
         " AAAUTORIZADO) values (123456, 2, 1, 'SRV01', 1, 50, 50, '3', 'S')");
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;123456");
    TfmAssOrdemServico& form = *fmAssOrdemServico.get();
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 123456);
    const QString pedido = emitir(form);
    EXPECT_EQ(pedido, "000001");
    exec("update AVEC8501 set NUMERO_PEDIDO = '123456' where NUMERO_PEDIDO = '000001'");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    dialogs->acknowledge("O número da OS já estava ocupado, o pedido de venda terá o número ");
    EXPECT_NE(emitir(form), "123456");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PedidoVendaOSTest, TheSituationAfterTheOrderWaitsForPendingLinesInModeT)
{
    parametro("ATSITUACAOPOSPEDIDO", "5");
    parametro("ATMODOFECHAMENTOOS", "T");
    servico(1, 60, 40, 40);
    servico(2, 60, 40, 40, "1");   // warranty: never in an order
    TfmAssOrdemServico& form = abrir();
    emitir(form);
    EXPECT_EQ(ordemColuna("ASCODIGO"), "4");
    exec("delete from AATC01AA where AACODIGO = 2");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    emitir(form);
    EXPECT_EQ(ordemColuna("ASCODIGO"), "5");
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 5);
}

TEST_F(PedidoVendaOSTest, ASituationAfterTheOrderThatNamesNoSituationKeepsTheOrdersOwn)
{
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    bool jaPossui = false;
    for (const char* situacao : {"0", "77", ""}) {
        parametro("ATSITUACAOPOSPEDIDO", situacao);
        venderPeloBotao(form, jaPossui);
        jaPossui = true;
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(ordemColuna("ASCODIGO"), "4") << "parameter '" << situacao << "'";
        EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 4);
    }
    parametro("ATSITUACAOPOSPEDIDO", "5");
    venderPeloBotao(form, true);
    EXPECT_EQ(ordemColuna("ASCODIGO"), "5");
}

TEST_F(PedidoVendaOSTest, AFailureWhileFillingLeavesEveryHandlerAttachedAndTheTabReopened)
{
    servico(1, 60, 40, 40);
    exec("create exception E_LINHA_RECUSADA 'linha recusada'");
    exec("create trigger T_RECUSA_LINHA for AVEC85IT before insert as begin exception E_LINHA_RECUSADA; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    EXPECT_THROW(emitir(form), std::exception);
    TdmTec& tec = *dmTec;
    EXPECT_TRUE(bool(tec.quOS->beforeEdit));
    EXPECT_TRUE(bool(tec.quOSASCODIGO->onChange));
    EXPECT_TRUE(bool(tec.quOSAndamento->beforeEdit));
    EXPECT_TRUE(bool(form.onActivate));
    EXPECT_TRUE(bool(form.onDeactivate));
    EXPECT_EQ(tec.quOS->tag(), 0);
    EXPECT_EQ(tec.quOS->state(), host::data::DatasetState::Browse);
    EXPECT_TRUE(tec.quOSAndamento->active()) << "the active tab's lines";
    EXPECT_FALSE(tec.quOSPecas->active());
    EXPECT_EQ(ordemColuna("AOBAIXA"), "A");
    EXPECT_EQ(committed("select count(*) from AVEC8501").toInt(), 1) << "the order made so far stays";
    // The guard is the data module's again: a line already ordered is refused.
    exec("drop trigger T_RECUSA_LINHA");
    dmGlobal->IBTransaction1->commitRetaining();
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    EXPECT_FALSE(emitir(form).isEmpty());
}

TEST_F(PedidoVendaOSTest, SimOpensTheOrderInTheHostsSalesWindowAndClosesTheServiceOrder)
{
    criarPrincipal();
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    dialogs->acknowledge("Operação efetuada com sucesso!").answer("Sim", "Deseja abrir o pedido de vendas?");
    QString s, d;
    const QString pedido = form.OSEmissaoPedidoVenda(true, true, false, s, d);
    ASSERT_NE(fmPedidoVenda.get(), nullptr);
    EXPECT_EQ(fmPedidoVenda->pedidoExibido(), pedido);
    EXPECT_EQ(fmPedidoVenda->quItens->recordCount(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr);
    delete fmPedidoVenda.get();
}

// A vehicle of a million kilometres: the order text writes the mileage in full.
TEST_F(PedidoVendaOSTest, TheOrderTextWritesTheMileageInFull)
{
    parametro("ATMODOVEICULO", "O");
    exec("update AATC01AOIT set AOITKMINICIAL = 1000000 where AOCODIGO = 42");
    servico(1, 60, 50, 50);   // a line to sell
    TfmAssOrdemServico& form = abrir();
    EXPECT_EQ(cabecalho(emitir(form), "VEREFERENTE"), "OS: 42     Placa: ABC-1234     KM: 1000000 ");
}

// The host's sales-order window shows its amounts as the host's formats
// write them: two decimals and thousands separators.
TEST_F(PedidoVendaOSTest, TheSalesWindowShowsAmountsWithTwoDecimalsAndThousands)
{
    criarPrincipal();
    servico(1, 60, 1320.5, 1320.5);
    TfmAssOrdemServico& form = abrir();
    dialogs->acknowledge("Operação efetuada com sucesso!").answer("Sim", "Deseja abrir o pedido de vendas?");
    QString s, d;
    form.OSEmissaoPedidoVenda(true, true, false, s, d);
    TfmPedidoVenda* vendas = fmPedidoVenda.get();
    ASSERT_NE(vendas, nullptr);
    QStringList linha;
    QAbstractItemModel* grade = vendas->dbgdItens->model();
    for (int c = 0; c < grade->columnCount(); ++c)
        linha << grade->index(0, c).data().toString();
    EXPECT_TRUE(linha.contains("1.320,50")) << linha.join(" | ").toStdString();
    EXPECT_EQ(vendas->dbteTotal->text(), "1.320,50");
    EXPECT_EQ(vendas->dbteDespesaViagem->text(), "0,00");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete fmPedidoVenda.get();
}

// Two desks on order 42: while this desk's user answers a question of the
// sale, the other desk issues its sales order, still uncommitted or
// committed. This desk's sale is refused in words, and once the other desk
// has committed the order has one sales order, the one it names.
TEST_F(PedidoVendaOSTest, IssuingAtTwoDesksMakesOneSalesOrder)
{
    servico(1, 60, 40, 40);
    parametro("ATPEDIDOSITUACAOITEM", "I");   // the situation question comes after the order is saved
    TfmAssOrdemServico& form = abrir();
    for (const bool comitado : {false, true}) {
        SCOPED_TRACE(comitado ? "committed" : "pending");
        exec("delete from AVEC8501 where AOCODIGO = 42");
        exec("update AATC01AO set VECODIGO = null, AOBAIXA = 'A' where AOCODIGO = 42");
        dmGlobal->IBTransaction1->commitRetaining();
        dmTec->quOS->refresh();

        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction outra(conexao);
        dialogs->answer("1)Venda", kMenuDocumentosVenda)
            .answer("Sim", "A situação que se encontra a O.S. não é válida")
            .meanwhile([&] {
                host::db::executeSql(outra, "insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AOCODIGO)"
                                            " values ('09001', '00003', 42)");
                host::db::executeSql(outra, "update AATC01AO set VECODIGO = '09001', AOBAIXA = 'S'"
                                            " where AOCODIGO = 42");
                if (comitado)
                    outra.commitRetaining();
            })
            .acknowledge("em outra estação");
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
        outra.commit();
        EXPECT_EQ(lido("select count(*) from AVEC8501 where AOCODIGO = 42"), QStringList{"1"});
        EXPECT_EQ(ordemColuna("VECODIGO"), "09001");
    }
}

// ---- statement count ----

TEST_F(PedidoVendaOSTest, GeneratingTheOrderCostsAFixedNumberOfStatementsPerLine)
{
    TfmAssOrdemServico& form = abrir();
    int linhas = 0;
    auto acrescentar = [&](int ate) {
        for (; linhas < ate; ++linhas) {
            servico(linhas + 1, 60, 40, 40);
            peca(linhas + 1, 1, 10);
        }
        dmGlobal->IBTransaction1->commitRetaining();
    };
    // The first order pays what is prepared once; the others cost the same
    // plus a fixed number per line.
    std::vector<int> custos;
    for (int n : {5, 10, 15, 20}) {
        acrescentar(n);
        if (n > 5)
            dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
        testsupport::StatementCounter contador;
        emitir(form);
        custos.push_back(contador.count());
    }
    std::printf("sales order of 20 service + 20 parts lines: %d statements\n", custos[3]);
    const int porCincoLinhas = custos[2] - custos[1];
    EXPECT_GT(porCincoLinhas, 0);
    EXPECT_EQ(custos[3] - custos[2], porCincoLinhas) << "each line costs the same";
    EXPECT_EQ(porCincoLinhas % 5, 0);
}

}  // namespace
}  // namespace moduletest
