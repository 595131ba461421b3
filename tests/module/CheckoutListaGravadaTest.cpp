// The checkout list shows what is stored: under mode "E" the release shows
// its stored status at once, and an order deleted elsewhere is not opened
// as an empty checkout.

#include "tests/module/CheckoutFixture.h"

#include "host/db/Database.h"

#include <QAbstractItemModel>
#include <QComboBox>

namespace moduletest {
namespace {

class CheckoutListaGravadaTest : public CheckoutTest {
protected:
    static QString statusNaLista(TfmAssCheckoutConsulta& lista)
    {
        return lista.quConsulta->fieldByName("NUMERO_PEDIDO")->asString() + " " +
               lista.quConsulta->fieldByName("IMPRESSO_NF")->displayText();
    }
};

TEST_F(CheckoutListaGravadaTest, TheReleaseUnderModeEShowsTheStoredStatusInTheList)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00731", "1");
    pedido("00732", "1");
    linha("00731", 1, 1, 1);
    TfmAssCheckout& form = abrirCheckout("00731");
    TfmAssCheckoutConsulta& lista = *fmAssCheckoutConsulta.get();
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(statusNaLista(lista), "00731 Em Produção");
    dialogs->setAutoAcknowledgeMessages(true);   // the new contract's number
    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    ASSERT_EQ(statusLido("00731"), "L");
    EXPECT_EQ(statusNaLista(lista), "00731 Liberado a Entrega") << "the list shows the stored status";
    EXPECT_EQ(lista.dbgdConsulta->model()->rowCount(), 2) << "the same search, read again";
    EXPECT_EQ(dialogs->pending(), 0);
    form.close();
}

TEST_F(CheckoutListaGravadaTest, AnOrderDeletedElsewhereIsRefusedAndLeavesTheList)
{
    pedido("00741", "1", "C");
    pedido("00742", "1", "C");
    linha("00741", 1, 1, 1);
    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    ASSERT_EQ(lista.dbgdConsulta->model()->rowCount(), 2);
    // Another desk deletes the order while the list shows it.
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction transacao(outra);
        host::db::executeSql(transacao, "delete from AVEC85LX where NUMERO_PEDIDO = '00741'");
        host::db::executeSql(transacao, "delete from AVEC85IT where NUMERO_PEDIDO = '00741'");
        host::db::executeSql(transacao, "delete from AVEC8501 where NUMERO_PEDIDO = '00741'");
        transacao.commit();
    }
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00741"));
    dialogs->acknowledge("O pedido 00741 não existe mais.");
    lista.dbgdConsultaDblClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(fmAssCheckout.get(), nullptr) << "no empty checkout opens";
    EXPECT_EQ(lista.dbgdConsulta->model()->rowCount(), 1) << "the list read again";
    EXPECT_FALSE(lista.quConsulta->locate("NUMERO_PEDIDO", "00741"));

    // The order window the same way, from the list's menu.
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00742"));
    exec("delete from AVEC8501 where NUMERO_PEDIDO = '00742'");
    tr().commitRetaining();
    dialogs->acknowledge("O pedido 00742 não existe mais.");
    lista.miAbrirPedido->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_FALSE(fmAssVendas.get() && fmAssVendas->isVisible());
    EXPECT_EQ(lista.dbgdConsulta->model()->rowCount(), 0);
    lista.close();
}

}  // namespace
}  // namespace moduletest
