// The demonstration service contracts in their register, as the first start
// leaves them and with the options it is made with: each one saved with only
// its number changed keeps its values, and its forecast is made with them.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contracts/uAssContCad.h"
#include "host/Upesq.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QTabBar>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoContratoTest : public PrimeiroUsoTest {
protected:
    void pesquisa(const QString& coluna, const QString& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
};

TEST_F(PrimeiroUsoContratoTest, TheServiceContractsAreSavedAndForecastWithTheirValues)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    struct Caso {
        int codigo;
        const char* valor;
    };
    for (const Caso& c : {Caso{1, "30000"}, Caso{2, "23000"}}) {
        SCOPED_TRACE(c.codigo);
        pesquisa("ACCODIGO", QString::number(c.codigo));
        form.sbPesqContrato->click();
        digita(form.dbedNumeroContrato, QString("CT-DEMO-%1").arg(c.codigo));
        form.bbSalvar->click();
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        EXPECT_EQ(lido(QString("select ACNUMEROCONTRATO || '|' || cast(ACVALORPARCELA * 100 as integer) || '|' ||"
                               " cast(ACVALORPARCELALIQUIDO * 100 as integer) || '|' || ACSITUACAO from AATC05AC"
                               " where ACCODIGO = %1")
                           .arg(c.codigo)),
                  QStringList{QString("CT-DEMO-%1|%2|%2|A").arg(c.codigo).arg(c.valor)});

        QTabBar* barra = form.pcContrato->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(form.tsContParcAberta->pageIndex()).center());
        ASSERT_EQ(form.pcContrato->activePage(), form.tsContParcAberta);
        const QString inicio = QDate::currentDate().addMonths(6).toString("dd/MM/yyyy");
        dialogs->enter(inicio, "Informe a data Inicial da previsão do contas a receber")
            .enter("12", "Informe o número de parcelas");
        form.bbPrevisionar->click();
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        EXPECT_TRUE(dialogs->texts().contains("Operação efetuada com sucesso! Parcelas criadas:12")) << vistos();
        EXPECT_EQ(lido(QString("select distinct cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001"
                               " where AOCODIGO = %1")
                           .arg(c.codigo)),
                  QStringList{c.valor})
            << "the three made by the demonstration and the new ones, at the contract's value";
    }
}

}  // namespace
}  // namespace moduletest
