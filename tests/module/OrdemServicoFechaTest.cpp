// The closing dialog of the service-order window on order 42: the final
// situation by the order's kind, the warning on an order already closed, the
// required operation and payment-term table, cancel, the progress record and
// the sales order it names.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Udatamod.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "service_orders/uAssOrdemServicoFecha.h"

#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/data/Abort.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;

class FechamentoOSTest : public OrdemServicoPedidoTest {
protected:
    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        // Sales operations: the screen lists those of a sales type.
        exec("update AFVC0901 set TIPO_OP = '1'");
    }
    // The dialog answered with OK, its options as given.
    void confirmar(bool abrirPedido = false)
    {
        dialogs->modal("fmAssOrdemServicoFecha", [abrirPedido](Form& f) {
            auto& dialogo = static_cast<TfmAssOrdemServicoFecha&>(f);
            dialogo.ckPV->setChecked(abrirPedido);
            dialogo.btOK->click();
        });
    }
    QString situacao() { return committed("select ASCODIGO from AATC01AO where AOCODIGO = 42").toString(); }
};

TEST_F(FechamentoOSTest, EachKindTakesTheLowestSituationOfItsFinalType)
{
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (30, 'Entregue', 'F', 'A')");
    servico(1, 60, 40, 40, "3", "S", "AAQUANTIDADEREQUERIDA", "1");
    TfmAssOrdemServico& form = abrir();
    const struct {
        const char* tipo;
        const char* situacao;
    } casos[] = {{"R", "8"}, {"C", "10"}, {"A", "5"}};
    for (const auto& caso : casos) {
        exec(QString("update AATC01AO set AOREMANUFATURA = '%1', ASCODIGO = 4, VECODIGO = null where AOCODIGO = 42")
                 .arg(caso.tipo));
        exec("update AATC01AA set VECODIGO = null");
        dmGlobal->IBTransaction1->commitRetaining();
        dmTec->quOS->refresh();
        confirmar();
        SelecionaFechamentoOS();
        EXPECT_EQ(situacao(), caso.situacao) << "kind " << caso.tipo;
        EXPECT_EQ(fmAssOrdemServicoFecha.get(), nullptr);
        (void)form;
    }
    EXPECT_EQ(committed("select count(*) from AVEC8501").toInt(), 3);
    EXPECT_EQ(dialogs->pending(), 0) << "without \"Abrir Pedido\" no question and no success message";
}

TEST_F(FechamentoOSTest, TheProgressRecordNamesTheOrderAndTheSituationsBeforeAndAfter)
{
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    confirmar(true);
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    SelecionaFechamentoOS();
    const QString pedido = committed("select VECODIGO from AATC01AO where AOCODIGO = 42").toString();
    EXPECT_FALSE(pedido.isEmpty());
    EXPECT_EQ(committed("select COD_CLI || '|' || CONTRATO || '|' || VENDEDOT || '|' || ASCODIGO || '|' ||"
                        " ASCODIGOATUAL || '|' || OBSERVACAO from CADCOM where CONTRATO = 42")
                  .toString(),
              "00003|42|" + committed("select ATCODIGO from AATC06AT where ATNOME = 'SYSDBA'").toString() +
                  "|4|5|Fechamento de OS no pedido " + pedido);
    EXPECT_FALSE(dmTec->quOSContato->active());
    EXPECT_TRUE(bool(dmTec->quOSASCODIGO->onChange));
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(fmAssOrdemServico.get(), &form) << "\"Não\" keeps the window";
}

TEST_F(FechamentoOSTest, AClosedOrderWarnsTheMasterUserAndRefusesAnyOther)
{
    exec("update AATC01AO set ASCODIGO = 5 where AOCODIGO = 42");
    servico(1, 60, 40, 40);
    abrir();
    dialogs->acknowledge("OS já fechada, apenas administrador do sistema pode fechar novamente!");
    dialogs->modal("fmAssOrdemServicoFecha", [](Form& f) { static_cast<TfmAssOrdemServicoFecha&>(f).btCancelar->click(); });
    SelecionaFechamentoOS();
    EXPECT_EQ(dialogs->pending(), 0);

    dmGlobal->IBTransaction1->commitRetaining();
    fmAssOrdemServico->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    entrarComo("ANA");
    abrir();
    dialogs->acknowledge("OS já fechada, apenas administrador do sistema pode fechar novamente!");
    EXPECT_THROW(SelecionaFechamentoOS(), host::Abort);
    EXPECT_EQ(fmAssOrdemServicoFecha.get(), nullptr) << "no dialog";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FechamentoOSTest, RequiredDataKeepTheDialogOpenAndCancelRestoresTheOperation)
{
    TfmAssOrdemServico& form = abrir();
    (void)form;
    exec("update AATC01AO set TVCODIGO = null where AOCODIGO = 42");
    dmTec->quOS->refresh();
    dialogs->modal("fmAssOrdemServicoFecha", [](Form& f) {
        auto& dialogo = static_cast<TfmAssOrdemServicoFecha&>(f);
        EXPECT_EQ(dialogo.width(), 402);
        EXPECT_TRUE(dialogo.ckOcultarPecas->isVisibleTo(&dialogo)) << "kind A";
        EXPECT_EQ(dialogo.dblcOperacao->text(), "Prestação de serviço");
        dialogo.btOK->click();   // no payment-term table
        EXPECT_TRUE(dialogo.isVisible());
        dialogo.dblcOperacao->setKeyValue("5102");
        dialogo.dblcTabVcto->setKeyValue("02");
        dialogo.btCancelar->click();
    });
    dialogs->acknowledge("Informe os dados requeridos!");
    SelecionaFechamentoOS();
    EXPECT_EQ(dmTec->quOSOFCODIGO->asString(), "5933");
    EXPECT_TRUE(dmTec->quOSTVCODIGO->asString().isEmpty());
    EXPECT_EQ(committed("select count(*) from AVEC8501").toInt(), 0);
    EXPECT_EQ(dialogs->pending(), 0);

    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 42");
    dmTec->quOS->refresh();
    dialogs->modal("fmAssOrdemServicoFecha", [](Form& f) {
        auto& dialogo = static_cast<TfmAssOrdemServicoFecha&>(f);
        EXPECT_FALSE(dialogo.ckOcultarPecas->isVisibleTo(&dialogo)) << "only for kind A";
        dialogo.dblcTabVcto->setKeyValue("02");
        dialogo.btOK->click();
    });
    exec("delete from AATC01AS where ASTIPO = 'S'");
    dialogs->acknowledge("Situação final não cadastrado para esse tipo de OS! Operação abortada.");
    EXPECT_THROW(SelecionaFechamentoOS(), host::Abort);
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 4) << "the situation before, not a code of 0";
    EXPECT_EQ(dmTec->quOSTVCODIGO->asString(), "02") << "what the dialog confirmed stays";
    EXPECT_EQ(committed("select count(*) from CADCOM").toInt(), 0);
    EXPECT_EQ(fmAssOrdemServicoFecha.get(), nullptr);
    EXPECT_EQ(dialogs->pending(), 0);
}

// Drawn as a person sees them (under Xvfb): the closing dialog and the
// order it made, in the host's sales-order window.
TEST_F(FechamentoOSTest, PicturesOfTheClosingDialogAndOfTheSalesOrderItMade)
{
    criarPrincipal();
    servico(1, 90, 50, 75, "3", "S", "AAOBSERVACAO", "'Troca de rolamentos'");
    peca(1, 2, 10);
    abrir();
    dialogs->modal("fmAssOrdemServicoFecha", [](Form& f) {
        auto& dialogo = static_cast<TfmAssOrdemServicoFecha&>(f);
        dialogo.ckPV->setChecked(true);
        guardaFoto(dialogo, "fmAssOrdemServicoFecha.png");
        EXPECT_EQ(dialogo.dblcTabVcto->text(), "À vista");
        dialogo.btOK->click();
    });
    dialogs->answer("Sim", "Deseja abrir o pedido de vendas?");
    SelecionaFechamentoOS();
    TfmPedidoVenda* vendas = fmPedidoVenda.get();
    ASSERT_NE(vendas, nullptr);
    EXPECT_EQ(vendas->quItens->recordCount(), 2);
    EXPECT_EQ(vendas->dbteReferente->text(), "Referente à OS: 42 ");
    guardaFoto(*vendas, "fmPedidoVenda.png");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr) << "the service-order window closed";
    delete vendas;
}

}  // namespace
}  // namespace moduletest
