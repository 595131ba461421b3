// The entry windows as a person reads them: no grid title or button narrower
// than its text, and every tab of a page control within reach (scroll buttons
// on a strip wider than the window, the last tab scrolled to and clicked).

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "contracts/uAssContCad.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

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

}  // namespace
}  // namespace moduletest
