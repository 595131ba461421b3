// The entry windows as a person reads them: no grid title or button narrower
// than its text, and every tab of a page control within reach (scroll buttons
// on a strip wider than the window, the last tab scrolled to and clicked).

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "contracts/uAssContCad.h"
#include "contracts/uAssContFat.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"

#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QToolButton>

namespace moduletest {
namespace {

class JanelasLegiveisTest : public OrdemServicoEntradaTest {
protected:
    // Scrolls the strip with its right-hand button until the last shown tab
    // lies wholly inside it, then clicks that tab.
    static void alcancaUltimaAba(host::ui::PageControl& paginas)
    {
        QTabBar* barra = paginas.tabBar();
        int ultima = barra->count() - 1;
        while (ultima >= 0 && !barra->isTabVisible(ultima))
            --ultima;
        ASSERT_GT(ultima, 0) << paginas.objectName().toStdString();
        QToolButton* direita = nullptr;
        for (QToolButton* b : barra->findChildren<QToolButton*>())
            if (b->arrowType() == Qt::RightArrow)
                direita = b;
        const auto inteira = [&] { return barra->rect().contains(barra->tabRect(ultima)); };
        for (int passos = 0; !inteira() && direita && direita->isVisible() && direita->isEnabled() && passos < 50;
             ++passos)
            QTest::mouseClick(direita, Qt::LeftButton);
        ASSERT_TRUE(inteira()) << paginas.objectName().toStdString() << ": " << barra->tabText(ultima).toStdString();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(ultima).center());
        EXPECT_EQ(paginas.currentIndex(), ultima) << barra->tabText(ultima).toStdString();
    }
    // On the screen the tests run on (a small one in the small-screen run):
    // the window takes at most the screen's free area, and its contents
    // scroll at their designed size, nothing squeezed or cut, exactly when
    // that size does not fit.
    static void confereTela(host::ui::Form& form, QSize projetada)
    {
        const QRect livre = form.screen()->availableGeometry();
        const bool cabe = projetada.width() <= livre.width() && projetada.height() <= livre.height();
        EXPECT_EQ(form.contentScroll() == nullptr, cabe) << form.objectName().toStdString();
        if (cabe)
            return;
        EXPECT_LE(form.width(), livre.width());
        EXPECT_LE(form.height(), livre.height());
        QWidget* conteudo = form.contentScroll()->widget();
        EXPECT_GE(conteudo->width(), projetada.width());
        EXPECT_GE(conteudo->height(), projetada.height());
        confereLegivel(form);
    }
};

TEST_F(JanelasLegiveisTest, ServiceOrderWindowAtItsDefaultSize)
{
    TfmAssOrdemServico* form = &abrirOrdemComItem("Impressora");
    ASSERT_TRUE(form->isActiveWindow());
    // The test screen is smaller than a clerk's; the window at the size it asks for.
    form->setWindowState(Qt::WindowNoState);
    form->resize(1200, 760);
    // Its contents fit that size rather than forcing it wider.
    EXPECT_EQ(form->size(), QSize(1200, 760));
    for (host::ui::TabSheet* aba : {form->tsItens, form->tsServico, form->tsPecasOS}) {
        form->pcOrdemServico->setActivePage(aba);
        form->pcOrdemServicoChange();
        confereLegivel(*form);
    }
    alcancaUltimaAba(*form->pcOrdemServico);
}

TEST_F(JanelasLegiveisTest, ContractRegisterReachesItsLastTab)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    confereLegivel(form);
    alcancaUltimaAba(*form.pcContrato);
}

// The windows wider or taller than a notebook's screen, at the sizes they
// are built for.
TEST_F(JanelasLegiveisTest, WindowsLargerThanTheScreenScrollOnASmallScreen)
{
    TfmAssOrdemServico& ordem = abrirOrdemComItem("Impressora");
    confereTela(ordem, {1200, 760});
    guardaFoto(ordem, "fmAssOrdemServico_tela_pequena.png");
    ordem.close();
    parametro("ATUTILIZACONTRATOS", "S");
    TfmAssContFat& faturamento = abrirJanela(fmAssContFat, "fmAssContFat");
    confereTela(faturamento, {1280, 660});
    guardaFoto(faturamento, "fmAssContFat_tela_pequena.png");
    TfmAssContCad& contrato = abrirJanela(fmAssContCad, "fmAssContCad");
    confereTela(contrato, {697, 647});
    TfmAssVendas& pedido = abrirJanela(fmAssVendas, "fmAssVenda");
    confereTela(pedido, {1100, 720});
    guardaFoto(pedido, "fmAssVenda_tela_pequena.png");
}

}  // namespace
}  // namespace moduletest
