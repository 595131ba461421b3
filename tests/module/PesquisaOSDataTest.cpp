// The service-order search's entry period, typed with whole years: the orders
// of the period are found, and a date whose year cannot be read is said and
// not searched as no date.

#include "tests/module/ModuleFixture.h"

#include "host/ui/DataEdit.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PesquisaOSDataTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        for (const char* const ordem : {"(43, '2027-01-15')", "(44, '2026-01-15')"})
            exec(QString("insert into AATC01AO (AOCODIGO, AODATAENTRADA) values ") + ordem);
        for (int codigo : {43, 44})
            exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (%1, %1, 'Balança')")
                     .arg(codigo));
        tr().commitRetaining();
        uPackageAss::CriarDataTec();
    }
};

// In one search window: each period typed over the last, then "Pesquisar".
TEST_F(PesquisaOSDataTest, ThePeriodTypedWithWholeYearsFindsItsOrdersAndAYearNotReadIsSaid)
{
    uPackageAss::ShowJanelaTec("fmAssOrdemServico");
    TfmAssOrdemServico* os = fmAssOrdemServico.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(os));
    QStringList encontrados;
    dialogs->modal("fmPesquisaAssOrdemServico", [&](host::ui::Form& form) {
        auto& janela = static_cast<TfmPesquisaAssOrdemServico&>(form);
        auto pesquisar = [&](const QString& de, const QString& ate) {
            for (auto [caixa, texto] : {std::pair{janela.deDataIni, de}, std::pair{janela.deDataFim, ate}}) {
                caixa->setFocus();
                caixa->selectAll();
                QTest::keyClick(caixa, Qt::Key_Delete);
                caixa->setCursorPosition(0);
                QTest::keyClicks(caixa, texto);
            }
            janela.stInformacao->setPanelText(1, {});
            janela.bbPesquisa->click();
            encontrados << janela.stInformacao->panelText(1);
        };
        pesquisar("01012027", "31012027");
        pesquisar("01012026", "31122027");
        dialogs->acknowledge("Data inválida: 01/01/202_");
        pesquisar("0101202", "31012027");
    });
    os->bbPesquisar->click();
    EXPECT_EQ(encontrados, (QStringList{"Registros Encontrados: 1", "Registros Encontrados: 2", ""}))
        << "order 43 alone, then both; the year not read is said and nothing searched";
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
