// The entry windows as a person reads them: no grid title narrower than its
// text, and every tab of a page control
// within reach (scroll buttons on a strip wider than the window).

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>

namespace moduletest {
namespace {

class JanelasLegiveisTest : public ModuleTest {
protected:
    static void confere(QWidget& janela)
    {
        for (host::ui::DataGrid* grade : janela.findChildren<host::ui::DataGrid*>()) {
            const QFontMetrics metrica(grade->horizontalHeader()->font());
            for (int i = 0; i < grade->columnCount(); ++i) {
                if (grade->column(i)->visible()) {
                    EXPECT_GE(grade->columnWidth(i), metrica.horizontalAdvance(grade->column(i)->title()))
                        << grade->objectName().toStdString() << ": " << grade->column(i)->title().toStdString();
                }
            }
        }
        for (host::ui::PageControl* paginas : janela.findChildren<host::ui::PageControl*>()) {
            EXPECT_TRUE(paginas->usesScrollButtons()) << paginas->objectName().toStdString();
            QTabBar* barra = paginas->tabBar();
            for (int i = 0; i < barra->count(); ++i) {
                if (barra->isTabVisible(i)) {
                    EXPECT_GE(barra->tabRect(i).width(),
                              barra->fontMetrics().horizontalAdvance(QString(barra->tabText(i)).remove('&')))
                        << barra->tabText(i).toStdString();
                }
            }
        }
    }
};

TEST_F(JanelasLegiveisTest, ServiceOrderWindowAtItsDefaultSize)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (42, '00003', '2026-11-02', 'A', 'M')");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Impressora')");
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    for (host::ui::TabSheet* aba : {form->tsItens, form->tsServico, form->tsPecasOS}) {
        form->pcOrdemServico->setActivePage(aba);
        form->pcOrdemServicoChange();
        confere(*form);
    }
}

TEST_F(JanelasLegiveisTest, ContractRegisterReachesItsLastTab)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    confere(form);
}

}  // namespace
}  // namespace moduletest
