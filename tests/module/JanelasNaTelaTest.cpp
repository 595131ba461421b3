// Windows whose place was kept from another screen (a larger one, a second
// monitor gone) open wholly inside the free area of the screen they open on:
// the parts settlement, the parts requests, the customer picker and the
// customer's purchases.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "host/Upesqcli.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataEdit.h"
#include "host/ui/Layouts.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssOSComprasCliente.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uAssTecnico.h"

#include <QLineEdit>
#include <QScreen>
#include <QAction>
#include <QSettings>
#include <QStyle>
#include <QWindow>

#include <functional>
#include <utility>

namespace moduletest {
namespace {

class JanelasNaTelaTest : public ModuleTest {
protected:
    // The place a window was left at, as its layout keeps it.
    static void lugarGuardado(const QString& janela, const QRect& lugar)
    {
        QSettings guardado(host::ui::Layouts::settingsFile(), QSettings::IniFormat);
        guardado.beginGroup("Janela_" + janela);
        guardado.setValue("Left", lugar.x());
        guardado.setValue("Top", lugar.y());
        guardado.setValue("Width", lugar.width());
        guardado.setValue("Height", lugar.height());
    }
    // A place half off the right and bottom edges of the screen.
    static QRect meioFora(const QSize& tamanho)
    {
        const QRect livre = QGuiApplication::primaryScreen()->availableGeometry();
        return {livre.right() - tamanho.width() / 2, livre.bottom() - tamanho.height() / 2, tamanho.width(),
                tamanho.height()};
    }
    static void confereDentro(QWidget& janela)
    {
        const QRect livre = janela.screen()->availableGeometry();
        EXPECT_TRUE(livre.contains(janela.frameGeometry()))
            << janela.objectName().toStdString() << " in " << livre.width() << "x" << livre.height() << " at " << janela.frameGeometry().x() << ","
            << janela.frameGeometry().y() << " " << janela.frameGeometry().width() << "x"
            << janela.frameGeometry().height();
    }
};

// With no taskbar a minimised window has no way back but the menu that
// opened it: picked again, it comes back, active.
TEST_F(JanelasNaTelaTest, AMinimisedWindowPickedAgainComesBack)
{
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    TfmAssTecnico* janela = fmAssTecnico.get();
    ASSERT_NE(janela, nullptr);
    for (int vez = 0; vez < 2; ++vez) {
        janela->showMinimized();
        ASSERT_TRUE(janela->isMinimized());
        uPackageAss::ShowJanelaTec("fmAssTecnico");
        EXPECT_EQ(fmAssTecnico.get(), janela) << "the same window";
        EXPECT_FALSE(janela->isMinimized());
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
    }
}

TEST_F(JanelasNaTelaTest, PartsSettlementAndRequestsOpenInsideTheScreen)
{
    lugarGuardado("fmAssBaixaPecas", meioFora({790, 480}));
    lugarGuardado("fmAssSolicitacao", meioFora({790, 500}));
    TfmAssBaixaPecas& baixa = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
    confereDentro(baixa);
    guardaFoto(baixa, "fmAssBaixaPecas.png");
    baixa.close();
    TfmAssSolicitacao& solicitacao = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    confereDentro(solicitacao);
    guardaFoto(solicitacao, "fmAssSolicitacao.png");
}

TEST_F(JanelasNaTelaTest, TheCustomerPickerOpensInsideTheScreen)
{
    lugarGuardado("fmPesquisaCliente", meioFora({860, 420}));
    bool visto = false;
    dialogs->modal("fmPesquisa", [&](host::ui::Form& janela) {
        visto = true;
        confereDentro(janela);
        guardaFoto(janela, "fmPesquisaCliente.png");
    });
    QString nome, codigo, fantasia;
    SelecionaCliente(nome, codigo, fantasia);
    EXPECT_TRUE(visto);
}

// The purchases of the order's customer, opened from the host's menu over the
// order window: centred on the screen, as the window asks, and wholly inside
// it, on a notebook's screen as well.
TEST_F(JanelasNaTelaTest, TheCustomerPurchasesOpenCentredInsideTheScreenOnASmallScreen)
{
    ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    criarPrincipal();
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    principal->miComprasCliente->click();
    TfmAssOSComprasCliente* compras = fmAssOSComprasCliente.get();
    ASSERT_NE(compras, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(compras));
    confereDentro(*compras);
    const QRect livre = compras->screen()->availableGeometry();
    EXPECT_LE((compras->frameGeometry().center() - livre.center()).manhattanLength(), 4)
        << compras->frameGeometry().x() << "," << compras->frameGeometry().y();
    guardaFoto(*compras, "fmAssOSComprasCliente.png");
}

// A customer's code shows whole in the contract register and the assistance
// order under a desktop font larger than the tests' own.
TEST_F(JanelasNaTelaTest, CustomerCodesShowWholeUnderALargerFont)
{
    ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    const QFont antes = QApplication::font();
    struct Restaura {
        QFont fonte;
        ~Restaura() { QApplication::setFont(fonte); }
    } restaura{antes};
    QFont maior = antes;
    maior.setPointSizeF(antes.pointSizeF() * 1.5);
    QApplication::setFont(maior);
    auto inteiro = [](QLineEdit* e) {
        const int moldura = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
        const int livre = e->width() - 2 * moldura - 4;
        EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), livre)
            << e->objectName().toStdString() << ": \"" << e->text().toStdString() << "\"";
    };
    TfmAssContCad& contrato = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(1);
    EXPECT_EQ(contrato.dbedCliente->text(), "00004");
    inteiro(contrato.dbedCliente);
    inteiro(contrato.dbedContratante);
    guardaFoto(contrato, "fmAssContCad_fonte_maior.png");
}


// The rental billing window and the rentable-equipment register, opened from
// the menu over the rental register as a clerk does: the window manager
// places each one partly below the bottom of the screen, and later the user
// drags it there before closing it. Each time it opens, it is wholly inside
// the free area of the screen.
TEST_F(JanelasNaTelaTest, RentalWindowsOpenInsideTheScreenWhereverTheyWerePlacedOnADeskScreen)
{
    criarPrincipal();
    // The menu opens its windows through the module, as the program does.
    principal->OnAbrirJanela = [](const QString& nome) { uPackageAss::ShowJanelaTec(nome); };
    principal->show();
    abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    // The window of the menu item, once open.
    const auto pelaMenu = [&](const char* item, const std::function<QWidget*()>& janela) -> QWidget& {
        fmAssContLocacao->activateWindow();
        principal->findChild<QAction*>(item)->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(janela())) << item;
        return *janela();
    };
    // Half its height below the bottom of the free area, as a window manager
    // or a drag leaves it.
    const auto abaixo = [](QWidget& janela) {
        const QRect livre = janela.screen()->availableGeometry();
        janela.windowHandle()->setFramePosition({livre.left() + 40, livre.bottom() - janela.frameGeometry().height() / 2});
        QCoreApplication::processEvents();
    };
    const std::pair<const char*, std::function<QWidget*()>> janelas[] = {
        {"miAssContFatLocEquip", [] { return fmAssContFatLocEquip.get(); }},
        {"miAssEquipamentoLocacao", [] { return fmAssEquipamentoLocacao.get(); }}};
    for (const auto& [item, janela] : janelas) {
        SCOPED_TRACE(item);
        QWidget& aberta = pelaMenu(item, janela);
        abaixo(aberta);
        confereDentro(aberta);
        abaixo(aberta);
        aberta.close();
        QWidget& reaberta = pelaMenu(item, janela);
        confereDentro(reaberta);
        guardaFoto(reaberta, QString("%1_tela_mesa.png").arg(reaberta.objectName()));
    }
}

}  // namespace
}  // namespace moduletest
