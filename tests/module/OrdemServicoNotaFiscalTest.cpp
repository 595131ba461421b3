// The sales-document button of the service-order window on order 42: the
// routes by the host parameters, the menu and its answers, the order links
// into the host's sales-order window, the invoice of the order through the
// host's invoice form (one, or two as one batch for a service payer) and the
// contract-hour credit taken on the way.

#include "tests/module/JanelaLegivel.h"
#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Udatamod.h"
#include "host/Unotafiscal.h"
#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssOrdemServicoFecha.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;

class NotaFiscalOSTest : public OrdemServicoPedidoTest {
protected:
    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        exec("update AFVC0901 set TIPO_OP = '1'");
        parametro("ATMODOFECHAMENTOOS", "R");
        parametro("ATUTILIZACONTRATOS", "E");
        parametro("ATOPCAOTELAOS", "");
    }
    void TearDown() override
    {
        delete fmNotaFiscal.get();
        fmNotaFiscal = nullptr;
        OrdemServicoPedidoTest::TearDown();
    }
    // Order 42 with a service and a part, its services billed to customer
    // 00005, turned into invoices from the order window.
    void notasComPagadorDeServico()
    {
        servico(1, 60, 40, 40);
        peca(1, 2, 10);
        exec("update AATC01AO set CLCODIGOCOBRANCASERVICO = '00005' where AOCODIGO = 42");
        TfmAssOrdemServico& form = abrir();
        menu("2)Nota");
        form.bbPedidoVenda->click();
    }
    // A contract with its hour credit (minutes) and an item of order 42 under it.
    void contrato(int codigo, double credito)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACHORACREDITO)"
                     " values (%1, 'C-%1', 'Contrato %1', '00003', %2)")
                 .arg(codigo)
                 .arg(credito));
    }
    void item(int linha, int contrato)
    {
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, ACCODIGO) values (42, %1,"
                     " 'Item %1', %2)")
                 .arg(linha)
                 .arg(contrato ? QString::number(contrato) : QString("null")));
    }
    void servicoDoItem(int item, int linha, int minutos, const char* tipo = "3", const char* autorizado = "S")
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                     " AAVALORTOTAL, AATOTAL, AATIPO, AAAUTORIZADO, OFCODIGO) values (42, %1, %2, 'SRV01', 1, 40, 40,"
                     " %3, '%4', '%5', '5933')")
                 .arg(item)
                 .arg(linha)
                 .arg(minutos)
                 .arg(tipo, autorizado));
    }
    double credito(int codigo)
    {
        return committed("select ACHORACREDITO from AATC05AC where ACCODIGO = " + QString::number(codigo)).toDouble();
    }
    int contar(const QString& tabela) { return committed("select count(*) from " + tabela).toInt(); }
    void menu(const QString& resposta) { dialogs->answer(resposta, kMenuDocumentosVenda); }
    // Order 42 with 45 chargeable minutes under contract 5 (120 of credit), contracts in use.
    TfmAssOrdemServico& abrirComServicoDoContrato5()
    {
        parametro("ATUTILIZACONTRATOS", "S");
        contrato(5, 120);
        exec("update AATC01AOIT set ACCODIGO = 5 where AOCODIGO = 42");
        servico(1, 45, 40, 40);
        return abrir();
    }
};

// ---- routes of the button ----

TEST_F(NotaFiscalOSTest, TheButtonRoutesByTheHostParameters)
{
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    EXPECT_EQ(form.bbPedidoVenda->text(), "&Venda");
    EXPECT_EQ(form.bbPedidoVenda->toolTip(), "Gerar Pedido de Venda");
    EXPECT_EQ(form.findChild<QPushButton*>("bbDocumentos"), nullptr);

    // Printing receipts without the "R" closing mode: the closing dialog only.
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    for (const char* modo : {"", "T"}) {
        parametro("ATMODOFECHAMENTOOS", modo);
        dialogs->modal("fmAssOrdemServicoFecha",
                       [](Form& f) { static_cast<TfmAssOrdemServicoFecha&>(f).btCancelar->click(); });
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0) << "mode '" << modo << "'";
    }
    // With "R" the menu; "Cancelar" does nothing.
    parametro("ATMODOFECHAMENTOOS", "R");
    menu("Cancelar");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    parametro("ATIMPRIMECOMPROVANTEOS", "");
    menu("Cancelar");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(contar("AVEC8501"), 0);

    // Billing mode "5" never shows the menu: the items' order instead.
    parametro("ATMODOFATURAMENTOOS", "5");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("Pedido gerado: ");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(contar("AVEC8501"), 1);
    // An empty operation stops the button before anything else.
    dmTec->quOS->edit();
    dmTec->quOSOFCODIGO->clear();
    dialogs->acknowledge("Informe uma operação válida");
    form.bbPedidoVenda->click();
    parametro("ATMODOFATURAMENTOOS", "");
    dialogs->acknowledge("Informe uma operação válida");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(contar("AVEC8501"), 1);
    EXPECT_EQ(fmAssOrdemServico.get(), &form);
}

TEST_F(NotaFiscalOSTest, TheSaleAnswerMakesTheOrderAndOffersItUnlessTheScreenOptionSaysNot)
{
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    parametro("ATOPCAOTELAOS", "V");
    menu("1)Venda");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << "no question to open the order under \"V\"";
    const QString primeiro = committed("select VECODIGO from AATC01AO where AOCODIGO = 42").toString();
    EXPECT_FALSE(primeiro.isEmpty());
    EXPECT_EQ(sAuxiliarGeral, primeiro) << "the service order number: the main one without a service payer";

    parametro("ATOPCAOTELAOS", "");
    menu("1)Venda");
    dialogs->answer("Completo", "Esta OS já possui um pedido de venda.");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(contar("AVEC8501"), 2);
    EXPECT_EQ(contar("ACEM1401"), 0) << "a sale is no invoice";
}

TEST_F(NotaFiscalOSTest, TheOrderNumbersOpenTheirOrderInTheHostsSalesOrderWindow)
{
    criarPrincipal();
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    QTest::mouseClick(form.dbtePedidoVendas, Qt::LeftButton);
    QTest::mouseClick(form.dbtePedidoVendaServico, Qt::LeftButton);
    EXPECT_EQ(fmPedidoVenda.get(), nullptr) << "no sales order, nothing opens";
    EXPECT_EQ(form.dbtePedidoVendas->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(form.dbtePedidoVendaServico->font().bold());

    exec("update AATC01AO set VECODIGO = '000777', VECODIGOSERVICO = '000778' where AOCODIGO = 42");
    for (const char* numero : {"000777", "000778"})
        exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF) values ('%1', '00003', 'N')")
                 .arg(numero));
    dmGlobal->IBTransaction1->commitRetaining();
    dmTec->quOS->refresh();
    QTest::mouseClick(form.dbtePedidoVendaServico, Qt::LeftButton);
    ASSERT_NE(fmPedidoVenda.get(), nullptr);
    EXPECT_EQ(dmGlobal->quPedidoVenda->fieldByName("NUMERO_PEDIDO")->asString(), "000778");
    QTest::mouseClick(form.dbtePedidoVendas, Qt::LeftButton);
    EXPECT_EQ(dmGlobal->quPedidoVenda->fieldByName("NUMERO_PEDIDO")->asString(), "000777");
    EXPECT_EQ(dialogs->pending(), 0);
    delete fmPedidoVenda.get();
}

// ---- the invoice ----

TEST_F(NotaFiscalOSTest, WithoutAServicePayerOneInvoiceCarriesTheOrderAndTheWindowCloses)
{
    criarPrincipal();
    servico(1, 60, 40, 40);
    peca(1, 2, 10);
    TfmAssOrdemServico& form = abrir();
    menu("2)Nota");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << "no success message and no question to open the order";
    EXPECT_TRUE(janelaFechada());

    const QString pedido = committed("select VECODIGO from AATC01AO where AOCODIGO = 42").toString();
    EXPECT_EQ(cabecalho(pedido, "IMPRESSO_NF || VEFILANF"), "SS") << "queued and invoiced";
    EXPECT_EQ(contar("ACEM1401"), 1);
    const QString nota = committed("select DOCUMENTO from ACEM1401 where COD_PEDIDO = '" + pedido + "'").toString();
    EXPECT_EQ(committed("select count(*) || '|' || min(AOCODIGO) || '|' || max(AOCODIGO) from ACEM14IT where"
                        " DOCUMENTO = '" + nota + "'")
                  .toString(),
              "2|42|42");
    TfmNotaFiscal* form_nota = fmNotaFiscal.get();
    ASSERT_NE(form_nota, nullptr);
    EXPECT_TRUE(form_nota->isVisible());
    EXPECT_EQ(form_nota->edPedido->text(), pedido);
    EXPECT_EQ(form_nota->edDocumento->text(), nota);
    EXPECT_EQ(form_nota->edSerie->text(), "01");
    EXPECT_FALSE(form_nota->quNotaFiscal->active()) << "one invoice, no batch";
    EXPECT_EQ(form_nota->parentWidget(), fmPrincipal);
}

// Drawn as a person sees it (under Xvfb): the invoice form with the order
// loaded and its invoice issued.
TEST_F(NotaFiscalOSTest, PictureOfTheInvoiceFormLoadedWithTheOrder)
{
    criarPrincipal();
    servico(1, 90, 50, 75);
    peca(1, 2, 10);
    TfmAssOrdemServico& form = abrir();
    menu("2)Nota");
    form.bbPedidoVenda->click();
    ASSERT_NE(fmNotaFiscal.get(), nullptr);
    guardaFoto(*fmNotaFiscal.get(), "fmNotaFiscal.png");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(NotaFiscalOSTest, AServicePayerGetsASecondInvoiceAndBothAreSelectedAsOneBatch)
{
    notasComPagadorDeServico();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());

    const QString principal = committed("select VECODIGO from AATC01AO where AOCODIGO = 42").toString();
    const QString servico = committed("select VECODIGOSERVICO from AATC01AO where AOCODIGO = 42").toString();
    ASSERT_NE(principal, servico);
    EXPECT_EQ(committed("select list(COD_PEDIDO || ':' || COD_CLI, ' ') from (select * from ACEM1401 order by"
                        " DOCUMENTO)")
                  .toString(),
              principal + ":00003 " + servico + ":00005");
    EXPECT_EQ(committed("select count(*) from ACEM14IT where AOCODIGO = 42").toInt(), 2);
    TfmNotaFiscal& nota = *fmNotaFiscal.get();
    ASSERT_TRUE(nota.quNotaFiscal->active());
    EXPECT_EQ(nota.quNotaFiscal->recordCount(), 2);
    nota.quNotaFiscal->last();
    EXPECT_EQ(nota.quNotaFiscal->fieldByName("COD_PEDIDO")->asString(), servico);
    EXPECT_EQ(cabecalho(servico, "VEFILANF"), "S");
}

// Both grids of the invoice window as the user reads them: titles in words,
// amounts as money, dates as dates.
TEST_F(NotaFiscalOSTest, TheInvoiceGridsTitleTheirColumnsAndShowAmountsAsMoney)
{
    notasComPagadorDeServico();
    TfmNotaFiscal& nota = *fmNotaFiscal.get();
    const struct {
        host::ui::DataGrid* grade;
        const char* campo;
        QString titulo, texto;
    } casos[] = {
        {nota.dbgdPedido, "NUMERO_PEDIDO", "Pedido", {}},
        {nota.dbgdPedido, "VALOR_TOTAL", "Valor Total", "40,00"},
        {nota.dbgdNotaFiscal, "DOCUMENTO", "Nota Fiscal", {}},
        {nota.dbgdNotaFiscal, "TOTAL_DOC", "Total", "20,00"},
        {nota.dbgdNotaFiscal, "DATA", "Data", QDate::currentDate().toString("dd/MM/yyyy")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        host::ui::GridColumn* coluna = c.grade->columnByField(c.campo);
        ASSERT_NE(coluna, nullptr);
        const QAbstractItemModel* modelo = c.grade->model();
        EXPECT_EQ(modelo->headerData(coluna->index(), Qt::Horizontal).toString(), c.titulo);
        if (!c.texto.isEmpty()) {
            EXPECT_EQ(modelo->data(modelo->index(0, coluna->index())).toString(), c.texto);
        }
    }
    for (host::ui::DataGrid* grade : {nota.dbgdPedido, nota.dbgdNotaFiscal})
        for (int i = 0; i < grade->columnCount(); ++i)
            EXPECT_NE(grade->column(i)->title(), grade->column(i)->fieldName()) << "a raw column name";
}

TEST_F(NotaFiscalOSTest, AServicePayerWithoutASeparateServiceOrderStillGetsOneInvoice)
{
    servico(1, 60, 40, 40);   // no parts: the services stay on the main order
    exec("update AATC01AO set CLCODIGOCOBRANCASERVICO = '00005' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    menu("2)Nota");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << "the main order is not invoiced twice";
    EXPECT_TRUE(janelaFechada());
    EXPECT_EQ(contar("ACEM1401"), 1);
    EXPECT_FALSE(fmNotaFiscal->quNotaFiscal->active());
}

TEST_F(NotaFiscalOSTest, WithTheProgressScreenOpenTheFormIsShownLoadedAndNoInvoiceIsMade)
{
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    // The screen as its variable holds it, whatever it shows.
    auto* andamento = new TfmAssAndamento;
    fmAssAndamento = andamento;
    andamento->show();
    menu("2)Nota");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());
    EXPECT_TRUE(andamento->isMinimized());
    delete andamento;
    EXPECT_EQ(contar("ACEM1401"), 0);
    TfmNotaFiscal& nota = *fmNotaFiscal.get();
    EXPECT_TRUE(nota.isVisible());
    EXPECT_EQ(nota.quPedido->fieldByName("NUMERO_PEDIDO")->asString(),
              committed("select VECODIGO from AATC01AO where AOCODIGO = 42").toString());
}

// An order with nothing to sell makes neither a sales order nor an invoice:
// refused at once, the window and the order left open.
TEST_F(NotaFiscalOSTest, AnOrderWithNothingToSellMakesNoDocumentAndStaysOpen)
{
    TfmAssOrdemServico& form = abrir();   // no lines
    menu("2)Nota");
    dialogs->acknowledge("A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_FALSE(janelaFechada());
    EXPECT_EQ(contar("ACEM1401"), 0);
    EXPECT_EQ(contar("AVEC8501"), 0);
    EXPECT_EQ(committed("select AOBAIXA from AATC01AO where AOCODIGO = 42").toString(), "A");
}

// ---- the items' own order ----

TEST_F(NotaFiscalOSTest, BillingMode5PutsTheItemsOnAnOrderOfTheirOwn)
{
    parametro("ATMODOFATURAMENTOOS", "5");
    parametro("ATENVIOEMAILOS", "P");
    parametro("ATMODOVEICULO", "O");
    exec("update AATC01AOIT set AOITAUTORIZADO = 'N' where AOCODIGO = 42");
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Sim", "Não há itens para devolução ou entrega na ordem de serviço. Deseja continuar?");
    dialogs->acknowledge("Pedido gerado: ");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    const QString vazio = committed("select max(NUMERO_PEDIDO) from AVEC8501").toString();
    EXPECT_TRUE(dialogs->texts().last().endsWith("Pedido gerado: " + vazio));
    EXPECT_EQ(contar("AVEC85IT"), 0);
    EXPECT_EQ(committed("select AOITAUTORIZADO from AATC01AOIT where AOITCODIGO = 1").toString(), "N");

    exec("update AATC01AOIT set AOITAUTORIZADO = 'S', AOITMARCA = 'Romi', AOITMODELO = 'T-240', AOITMOTORNUMERO = 'M9',"
         " AOITQUANTIDADE = 1, AOITVALORNFREMESSA = 300, AOITVALORFRETE = 10 where AOCODIGO = 42");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITAUTORIZADO, AOITQUANTIDADE,"
         " AOITVALORNFREMESSA, AOITVALORFRETE, AOITPLACA) values (42, 2, 'Fresadora de bancada com cabecote universal',"
         " 'S', 1, 300, 15, 'XYZ-9876')");
    dmGlobal->IBTransaction1->commitRetaining();
    dmTec->CarregaOSItens(42, 0);
    // Each item post runs the item's usual handlers: items without a
    // registered equipment offer to register it.
    for (int i = 0; i < 2; ++i)
        dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("Pedido gerado: ");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    const QString pedido = committed("select max(NUMERO_PEDIDO) from AVEC8501").toString();
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"999 1.00 300.00 0.00 Torno",
                                                 "999 1.00 300.00 0.00 Fresadora de bancada com"}));
    EXPECT_EQ(cabecalho(pedido, "cast(VEVALORDESPESAVIAGEM as integer) || '|' || cast(VALOR_TOTAL as integer)"),
              "25|625");
    EXPECT_EQ(observacaoLinha(pedido, 1), "Placa:ABC-1234  Marca:Romi  Modelo:T-240");
    EXPECT_EQ(observacaoLinha(pedido, 2), "Placa:XYZ-9876  Marca:  Modelo:");
    EXPECT_EQ(committed("select list(AOITAUTORIZADO) from AATC01AOIT where AOCODIGO = 42").toString(), "E,E");
}

// The second item refused: the items' order goes with everything it wrote,
// and the first item keeps its mark as it was.
TEST_F(NotaFiscalOSTest, BillingMode5WithAnItemRefusedLeavesNoOrderBehind)
{
    parametro("ATMODOFATURAMENTOOS", "5");
    parametro("ATENVIOEMAILOS", "");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 2, 'Fresa')");
    exec("create exception E_ITEM_RECUSADO 'item recusado'");
    tr().commitRetaining();
    exec("create trigger T_ITEM_RECUSADO for AATC01AOIT before update as begin"
         " if (new.AOITCODIGO = 2) then exception E_ITEM_RECUSADO; end");
    tr().commitRetaining();
    TfmAssOrdemServico& form = abrir();
    for (int i = 0; i < 2; ++i)
        dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("item recusado");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    tr().commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(contar("AVEC8501") + contar("AVEC85IT"), 0);
    EXPECT_EQ(committed("select AOITAUTORIZADO from AATC01AOIT where AOITCODIGO = 1").toString(), "S");
}

TEST_F(NotaFiscalOSTest, ItemsAddedToAGivenOrderLeaveItsHeaderAloneAndShowNoMessage)
{
    parametro("ATSOMAITENSPEDIDO", "O");
    exec("update AATC01AOIT set AOITMARCA = 'Romi', AOITMODELO = 'T-240', AOITMOTORNUMERO = 'M9', AOITQUANTIDADE = 1,"
         " AOITVALORNFREMESSA = 300, AOITVALORFRETE = 10 where AOCODIGO = 42");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITQUANTIDADE, AOITVALORNFREMESSA)"
         " values (42, 2, 'Torno', 2, 300)");
    TfmAssOrdemServico& form = abrir();
    QString pedido =
        dmGlobal->InserirPedidoVenda("00003", {}, {}, "01", {}, "5933", "S", {}, {}, {}, {}, 0, {}, {}, {});
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('" + pedido + "', 'V', 101, 'x')");
    for (int i = 0; i < 2; ++i)
        dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    form.OSEmissaoPedidoItens(false, pedido);
    dmGlobal->PVLacoGravacaoItem();
    EXPECT_EQ(dialogs->pending(), 0) << "no message";
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"999 1.00 300.00 0.00 Torno", "999 2.00 300.00 0.00 Torno"}))
        << "pending lines are not merged";
    EXPECT_EQ(observacaoLinha(pedido, 102), "Romi  T-240  N/S SN-77   M9");
    EXPECT_TRUE(cabecalho(pedido, "VEVALORDESPESAVIAGEM").isEmpty()) << "the header untouched";
    EXPECT_EQ(committed("select list(AOITAUTORIZADO) from AATC01AOIT where AOCODIGO = 42").toString(), "D,D");
}

// The items' freight, the order's expenses and its discount are in the
// sales order's total and in its invoice.
TEST_F(NotaFiscalOSTest, TheSalesOrderAndItsInvoiceTotalTheHeadersMoneyWithTheLines)
{
    criarPrincipal();
    parametro("ATENVIOEMAILOS", "");
    exec("update AATC01AOIT set AOITQUANTIDADE = 1, AOITVALORNFREMESSA = 300, AOITVALORFRETE = 10 where AOCODIGO = 42");
    exec("update AATC01AO set AODESCONTO = 5 where AOCODIGO = 42");
    despesas(30, 12);
    servico(1, 60, 50, 50);
    const struct {
        const char* modo;
        const char* menu;     // none: the button makes the items' order at once
        double pedido;   // the order's total and its invoice's
        double nota;
    } casos[] = {{"5", nullptr, 310, 0}, {"1", "2)Nota", 87, 87}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.modo);
        parametro("ATMODOFATURAMENTOOS", caso.modo);
        TfmAssOrdemServico& form = abrir();
        if (caso.menu) {
            menu(caso.menu);
        } else {
            dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
            dialogs->acknowledge("Pedido gerado: ");
        }
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
        const QString pedido = committed("select max(NUMERO_PEDIDO) from AVEC8501").toString();
        EXPECT_EQ(cabecalho(pedido, "cast(VALOR_TOTAL as numeric(9,2))").toDouble(), caso.pedido);
        EXPECT_EQ(committed("select cast(coalesce(sum(TOTAL_DOC), 0) as numeric(9,2)) from ACEM1401 where COD_PEDIDO"
                            " = '" + pedido + "'")
                      .toDouble(),
                  caso.nota);
    }
}

// ---- contract-hour credit ----

TEST_F(NotaFiscalOSTest, EachContractIsAskedOnceAndLosesTheAuthorisedChargeableMinutes)
{
    parametro("ATUTILIZACONTRATOS", "S");
    exec("delete from AATC01AOIT where AOCODIGO = 42");
    contrato(5, 600);
    contrato(7, 60);
    item(1, 7);
    item(2, 5);
    item(3, 5);
    item(4, 0);
    servicoDoItem(2, 1, 30);
    servicoDoItem(3, 2, 60);
    servicoDoItem(2, 3, 500, "1");        // warranty
    servicoDoItem(3, 4, 500, "2");
    servicoDoItem(3, 5, 500, "3", "N");   // not authorised
    servicoDoItem(1, 6, 90);
    servicoDoItem(4, 7, 45);              // no contract
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Sim", "Tem certeza que deseja abater 90 minutos, do contrato 5\n"
                           "referente as horas dos serviços executados nesta OS?");
    dialogs->answer("Sim", "abater 90 minutos, do contrato 7");
    form.AbaterHorasCreditoDoServicoNoContrato(42);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(credito(5), 600) << "not committed";
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(credito(5), 510);
    EXPECT_EQ(credito(7), -30);

    // A second run deducts again; "Não" keeps the credit.
    dialogs->answer("Não", "contrato 5").answer("Sim", "contrato 7");
    form.AbaterHorasCreditoDoServicoNoContrato(42);
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(credito(5), 510);
    EXPECT_EQ(credito(7), -120);

    parametro("ATUTILIZACONTRATOS", "E");
    form.AbaterHorasCreditoDoServicoNoContrato(42);
    EXPECT_EQ(dialogs->pending(), 0) << "no question";
}

TEST_F(NotaFiscalOSTest, TheInvoicePathTakesTheCreditBetweenTheOrderAndTheInvoice)
{
    TfmAssOrdemServico& form = abrirComServicoDoContrato5();
    menu("2)Nota");
    dialogs->answer("Sim", "abater 45 minutos, do contrato 5");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());
    EXPECT_EQ(credito(5), 75) << "committed with the invoice";
    EXPECT_EQ(contar("ACEM1401"), 1);
}

// Another desk deletes the contract after the order was opened: the user's
// "Sim" deducts nothing, so he is told the minutes were not taken; the
// invoice goes on.
TEST_F(NotaFiscalOSTest, AContractAnotherDeskDeletedIsToldAndItsMinutesAreNotCountedAsTaken)
{
    TfmAssOrdemServico& form = abrirComServicoDoContrato5();
    outraMesa("delete from AATC05AC where ACCODIGO = 5");
    menu("2)Nota");
    dialogs->answer("Sim", "abater 45 minutos, do contrato 5");
    dialogs->acknowledge("O contrato 5 não existe mais (excluído por outro usuário); os 45 minutos não foram abatidos.");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());
    EXPECT_EQ(lido("select count(*) from AATC05AC"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from ACEM1401"), QStringList{"1"});
}

}  // namespace
}  // namespace moduletest
