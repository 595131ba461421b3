// The checkout list opened through the dispatcher: its statement and
// filters, the double click, reopening from any status, printing the row's
// order and the statements a search costs.

#include "tests/module/CheckoutFixture.h"

#include "host/report/Report.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/StatusBar.h"
#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QRadioButton>

namespace moduletest {
namespace {

QStringList numerosListados(TfmAssCheckoutConsulta& lista)
{
    QStringList numeros;
    host::data::Query& q = *lista.quConsulta;
    for (q.first(); !q.eof(); q.next())
        numeros << q.fieldByName("NUMERO_PEDIDO")->asString();
    return numeros;
}

TEST_F(CheckoutTest, ListShowsOrdersByStatusAndDeliveryDate)
{
    pedido("00701", "1");
    pedido("00702", "1", "P");
    pedido("00703", "0");
    pedido("00704", "1", "L");
    exec("update AVEC8501 set VEDATAPRODUCAO = '2026-12-05' where NUMERO_PEDIDO = '00701'");
    exec("update AVEC8501 set VEDATAPRODUCAO = '2026-12-10 18:30' where NUMERO_PEDIDO = '00704'");
    tr().commitRetaining();
    TfmAssCheckoutConsulta& lista = abrirLista();
    EXPECT_EQ(lista.stbConsulta->panelText(0), "Total de Registros: 0");
    EXPECT_EQ(lista.cbStatus->currentText(), "Todos");
    EXPECT_TRUE(lista.rbDataEntrega->isChecked());

    lista.ConsultarPedidos({}, {}, "T", " Order By numero_pedido desc ");
    QStringList numeros = numerosListados(lista);
    EXPECT_TRUE(numeros.contains("00701"));
    EXPECT_TRUE(numeros.contains("00704"));
    EXPECT_TRUE(numeros.contains("00702")) << "a back-order is listed: it is checked out when its goods arrive";
    EXPECT_FALSE(numeros.contains("00703")) << "proposals never listed";
    EXPECT_FALSE(lista.quConsulta->sql().contains("vedataproducao >="));
    EXPECT_TRUE(lista.quConsulta->sql().endsWith(" Order By numero_pedido desc "));
    EXPECT_LT(numeros.indexOf("00704"), numeros.indexOf("00702")) << "descending numbers";
    EXPECT_LT(numeros.indexOf("00702"), numeros.indexOf("00701")) << "descending numbers";
    EXPECT_EQ(lista.stbConsulta->panelText(0), "Total de Registros: " + QString::number(numeros.size()));

    const QDateTime dia6(QDate(2026, 12, 6), QTime());
    lista.ConsultarPedidos(dia6, {}, "T", {});
    numeros = numerosListados(lista);
    EXPECT_TRUE(numeros.contains("00704"));
    EXPECT_FALSE(numeros.contains("00701"));
    EXPECT_FALSE(lista.quConsulta->sql().contains("vedataproducao <="));

    // The upper bound is the whole day: 18:30 of the 10th is inside.
    lista.ConsultarPedidos(QDateTime(QDate(1899, 12, 30), QTime()), QDateTime(QDate(2026, 12, 10), QTime()), "L", {});
    EXPECT_EQ(numerosListados(lista), QStringList{"00704"});
    EXPECT_FALSE(lista.quConsulta->sql().contains("vedataproducao >=")) << "30/12/1899 is no date";
    EXPECT_EQ(lista.quConsulta->fieldByName("IMPRESSO_NF")->displayText(), "Liberado a Entrega");

    lista.cbStatus->setCurrentText("Pendente");
    lista.rbNumeroPedido->setChecked(true);
    QTest::mouseClick(lista.bbPesquisar, Qt::LeftButton);
    EXPECT_TRUE(numerosListados(lista).contains("00701"));
    EXPECT_FALSE(numerosListados(lista).contains("00704"));
    EXPECT_EQ(lista.quConsulta->fieldByName("IMPRESSO_NF")->displayText(), "Pendente");
    lista.close();
}

// A delivery date that does not exist is refused with a message as the box
// is left and again by the search, nothing is searched, and the text stays
// on screen to be mended.
TEST_F(CheckoutTest, ListRefusesADateThatDoesNotExistAndKeepsIt)
{
    pedido("00701", "1");
    exec("update AVEC8501 set VEDATAPRODUCAO = '2026-12-05' where NUMERO_PEDIDO = '00701'");
    tr().commitRetaining();
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.edDataDe->setFocus();
    lista.edDataDe->setCursorPosition(0);
    QTest::keyClicks(lista.edDataDe, "31022026");
    dialogs->acknowledge("Data inválida: 31/02/2026").acknowledge("Data inválida: 31/02/2026");
    {
        testsupport::StatementCounter pesquisa;
        QTest::mouseClick(lista.bbPesquisar, Qt::LeftButton);
        EXPECT_EQ(pesquisa.count(), 0);
    }
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lista.edDataDe->displayText(), "31/02/2026");

    lista.edDataDe->selectAll();
    QTest::keyClick(lista.edDataDe, Qt::Key_Delete);
    lista.edDataDe->setCursorPosition(0);
    QTest::keyClicks(lista.edDataDe, "01122026");
    QTest::mouseClick(lista.bbPesquisar, Qt::LeftButton);
    EXPECT_TRUE(numerosListados(lista).contains("00701")) << "mended, the search runs";
    EXPECT_TRUE(lista.quConsulta->sql().contains("vedataproducao >="));
    lista.close();
}

TEST_F(CheckoutTest, DoubleClickOpensTheOrderWhenReadyToBillElseTheCheckout)
{
    pedido("00711", "1", "N");
    pedido("00712", "1", "C");
    linha("00712", 1, 1, 1);
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00711"));
    lista.dbgdConsultaDblClick();
    ASSERT_NE(fmAssVendas.get(), nullptr);
    EXPECT_TRUE(fmAssVendas->isVisible());
    EXPECT_EQ(fmAssCheckout.get(), nullptr);
    EXPECT_EQ(dmTec->campoPedido("NUMERO_PEDIDO").asString(), "00711");
    fechar(*fmAssVendas);

    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00712"));
    lista.dbgdConsultaDblClick();
    ASSERT_NE(fmAssCheckout.get(), nullptr);
    EXPECT_EQ(fmAssCheckout->dbteStatus->text(), "(Em Produção)");
    fmAssCheckout->close();
    lista.close();
}

// The list shows each order's status as stored: a checkout confirmed and
// released from the order's window shows there at once, on the same order.
TEST_F(CheckoutTest, TheListShowsTheStatusTheCheckoutStored)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pedido("00611", "1");
    pedido("00612", "1");
    linha("00611", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00611");
    TfmAssCheckoutConsulta& lista = *fmAssCheckoutConsulta.get();
    auto statusNaLista = [&lista] {
        return lista.quConsulta->fieldByName("NUMERO_PEDIDO")->asString() + " " +
               lista.quConsulta->fieldByName("IMPRESSO_NF")->displayText();
    };
    EXPECT_EQ(statusNaLista(), "00611 Pendente");

    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge();
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusNaLista(), "00611 Em Produção");
    dialogs->answer("Sim", "Confirme a liberação do Pedido \"00611\" ?");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(statusNaLista(), "00611 Pronto para Faturar");
    EXPECT_EQ(lista.dbgdConsulta->model()->rowCount(), 2) << "the same search, read again";
    EXPECT_EQ(dialogs->pending(), 0);
    form.close();
}

TEST_F(CheckoutTest, ReopeningFromTheListWorksFromAnyStatusAndKeepsTheOneContract)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00721", "1", "S");
    contratoProtocolo(7401, 1);
    pedido("00722", "1", "L");
    exec("update AVEC8501 set ACCODIGO = 7401 where NUMERO_PEDIDO = '00722'");
    linha("00722", 1, 1, 1);
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00721"));
    senha("errada");
    dialogs->acknowledge("A senha informada é inválida!");
    lista.miReabrirCheckout->trigger();
    EXPECT_EQ(statusLido("00721"), "S");
    senha("segredo");
    lista.miReabrirCheckout->trigger();
    EXPECT_EQ(statusLido("00721"), "");

    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00722"));
    senha("segredo");
    lista.miReabrirCheckout->trigger();
    EXPECT_EQ(statusLido("00722"), "");
    const int contratos = lido("select count(*) from AATC05AC").toInt();

    TfmAssCheckout& form = abrirCheckout("00722");
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("7401");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(statusLido("00722"), "L");
    EXPECT_EQ(lido("select count(*) from AATC05AC").toInt(), contratos);
    EXPECT_EQ(lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00722'").toInt(), 7401);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    form.close();
    fmAssCheckoutConsulta->close();
}

// A line added to an order after its checkout was reopened joins the
// contract the order already has when it is released again.
TEST_F(CheckoutTest, ALineAddedAfterReopeningJoinsTheOrdersContract)
{
    const int contratos = lido("select count(*) from AATC05AC").toInt() + 1;
    reabrirComLinhaNova();
    TfmAssCheckout& form = liberarDeNovo();
    dialogs->acknowledge("7403");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(statusLido("00724"), "L");
    EXPECT_EQ(lido("select count(*) from AATC05AC").toInt(), contratos) << "one order, one contract";
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 7403 and PRCODIGO = 'P0001'").toInt(), 1)
        << "the item already there is not added twice";
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 7403 and PRCODIGO = 'P0003'").toInt(), 1)
        << "the new equipment is on the contract";
    const double total = lido("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '00724'").toDouble();
    EXPECT_GT(total, 10) << "the order's total holds the new line";
    EXPECT_NEAR(lido("select ACVALOR from AATC05AC where ACCODIGO = 7403").toDouble(), total, 1e-9)
        << "the contract's value is the order's total again";
    EXPECT_NEAR(lido("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7403").toDouble(), total, 1e-9)
        << "its forecasts charge the new equipment";
    form.close();
    fmAssCheckoutConsulta->close();
}

// Another desk is releasing the same order at the same moment: it has taken
// the contract and added the new item, not yet committed. This desk is
// refused instead of adding the item a second time, and releasing again
// after the other desk committed adds nothing more.
TEST_F(CheckoutTest, TwoDesksReleasingAReopenedOrderAddTheNewItemOnce)
{
    reabrirComLinhaNova();
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction outraMesa(outra);
    host::db::executeSql(outraMesa, "update AATC05AC set ACVALOR = 110, ACVALORPARCELA = 110 where ACCODIGO = 7403");
    host::db::executeSql(outraMesa, "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE)"
                                    " values (740399, 7403, '00004', 'P0003', 1)");

    TfmAssCheckout& form = liberarDeNovo();
    dialogs->acknowledge("Erro ao Inserir Item no Contrato!");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    outraMesa.commit();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 7403 and PRCODIGO = 'P0003'").toInt(), 1)
        << "the item the other desk added is the only one";

    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("7403");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(statusLido("00724"), "L");
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 7403 and PRCODIGO = 'P0003'").toInt(), 1);
    form.close();
    fmAssCheckoutConsulta->close();
}

// The print entries print the current row's order, not the first listed.
TEST_F(CheckoutTest, ListPrintsTheCurrentRowsProductionAndRentalOrder)
{
    pedido("00731", "1", "C");
    pedido("00732", "1", "N");
    linha("00732", 1, 2, 1);
    TfmAssCheckoutConsulta& lista = abrirLista();
    EXPECT_TRUE(lista.miImprimirPedidoProducao->isEnabled());
    EXPECT_TRUE(lista.miImprimirPedidoLocacao->isEnabled());
    lista.miImprimirPedidoProducao->trigger();   // nothing listed yet: nothing printed
    EXPECT_EQ(qrAssVendasImp.get(), nullptr);

    lista.rbNumeroPedido->setChecked(true);
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00731"));
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00732"));
    lista.miImprimirPedidoProducao->trigger();
    ASSERT_NE(qrAssVendasImp.get(), nullptr);
    const QString producao = qrAssVendasImp->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(producao.contains("| Pedido 00732 |")) << producao.toStdString();
    EXPECT_NE(visualizador(), nullptr) << "previewed in the host's viewer";

    lista.miImprimirPedidoLocacao->trigger();
    ASSERT_NE(qrAssVendasImp2.get(), nullptr);
    EXPECT_TRUE(qrAssVendasImp2->QuickRep1->prepared()->textDump().contains("| Pedido 00732 |"));
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    lista.close();
}

// A search runs the same statements for 10 orders as for 200.
TEST_F(CheckoutTest, ListingOrdersRunsAFixedNumberOfStatements)
{
    TfmAssCheckoutConsulta& lista = abrirLista();
    auto contar = [&lista] {
        testsupport::StatementCounter contador;
        lista.bbPesquisar->click();
        return std::pair{contador.count(), contador.prepares()};
    };
    auto inserir = [this](int de, int ate) {
        for (int i = de; i <= ate; ++i)
            exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AUX2, VEDATAPRODUCAO,"
                         " VECODIGOPENDENCIA) values ('%1', '00004', '1', '2026-12-05', %2)")
                     .arg(9000 + i, 5, 10, QChar('0'))
                     .arg(i % 7 ? QString("null") : QString("'00999'")));
        tr().commitRetaining();
    };
    inserir(1, 10);
    lista.bbPesquisar->click();   // the first search prepares the statement the later ones keep
    const auto poucos = contar();
    inserir(11, 200);
    const auto muitos = contar();
    EXPECT_GE(lista.quConsulta->recordCount(), 200);
    EXPECT_EQ(muitos.first, poucos.first);
    EXPECT_EQ(muitos.second, poucos.second);
    EXPECT_LE(muitos.first, 2);
    lista.close();
}

}  // namespace
}  // namespace moduletest
