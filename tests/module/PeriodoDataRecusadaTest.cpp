// A period typed in the per-customer service billing, opened through the
// dispatcher: a date that is not one ("31/02/2027") is told when typed and
// again to the search that reads it, stays on screen selected to be mended,
// and is never searched by the date taken before it; mended, the search runs
// over the dates on screen.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssBasicoContratosFaturamento.h"
#include "host/ui/EditControls.h"
#include "tests/support/TestDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class PeriodoDataRecusadaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR) values (950, 'B-950',"
             " 'Suporte', '00004', 500)");
        for (const char* ordem : {"6001, '2026-03-01 10:00'", "6002, '2026-03-10 15:30'", "6003, '2026-03-11 08:00'"})
            exec(QString("insert into AATC01AO (AOCODIGO, AODATAENTRADA, CLCODIGO, AOBAIXA) values (%1, '00004', 'A')")
                     .arg(QLatin1String(ordem)));
        tr().commitRetaining();
    }
    // The box shows the text refused, all of it selected, and still holds the date taken before.
    static void recusada(host::ui::DateEdit* data, const QString& texto, const QDate& anterior)
    {
        EXPECT_EQ(data->displayText(), texto);
        EXPECT_EQ(data->selectedText(), data->text()) << "selected, to be typed over";
        EXPECT_EQ(data->date().date(), anterior);
    }
};

TEST_F(PeriodoDataRecusadaTest, ARefusedDateStaysSelectedAndIsNeverSearchedByTheOneBefore)
{
    auto& form = abrirJanela(fmAssBasicoContratosFaturamento, "fmAssContratosFaturamento");
    form.edCliente->setText("00004");
    digita(form.edDataInicial, "01032026");
    digita(form.edDataFinal, "10032026");
    form.bbPesquisar->click();
    ASSERT_EQ(form.laTotalOS->text(), "Total de OS: 2");

    dialogs->acknowledge("Data inválida: 31/02/2027");
    digita(form.edDataFinal, "31022027");
    EXPECT_EQ(dialogs->pending(), 0);
    recusada(form.edDataFinal, "31/02/2027", QDate(2026, 3, 10));
    {
        testsupport::StatementCounter pesquisa;
        dialogs->acknowledge("Data inválida: 31/02/2027");
        form.bbPesquisar->click();
        EXPECT_EQ(dialogs->pending(), 0) << "the search is refused in words";
        EXPECT_EQ(pesquisa.count(), 0) << "the period on screen is not a period";
    }
    EXPECT_EQ(form.focusWidget(), form.edDataFinal);
    recusada(form.edDataFinal, "31/02/2027", QDate(2026, 3, 10));

    // Enter on a date that is not one takes nothing and goes nowhere.
    form.edDataInicial->setFocus();
    form.edDataInicial->selectAll();
    QTest::keyClicks(form.edDataInicial, "32012027");
    dialogs->acknowledge("Data inválida: 32/01/2027");
    QTest::keyClick(form.edDataInicial, Qt::Key_Return);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.focusWidget(), form.edDataInicial);
    recusada(form.edDataInicial, "32/01/2027", QDate(2026, 3, 1));
    QTest::keyClick(form.edDataInicial, Qt::Key_Tab);   // told once
    EXPECT_EQ(dialogs->texts().size(), 3);

    // A letter never enters the box: "1/1/27x" leaves 1 January 2027.
    form.edDataInicial->setFocus();
    form.edDataInicial->selectAll();
    QTest::keyClicks(form.edDataInicial, "1/1/27x");
    QTest::keyClick(form.edDataInicial, Qt::Key_Tab);
    EXPECT_EQ(form.edDataInicial->date().date(), QDate(2027, 1, 1));
    EXPECT_EQ(form.edDataInicial->displayText(), "01/01/2027");

    // Mended, the search runs over the dates on screen.
    digita(form.edDataFinal, "11032026");
    digita(form.edDataInicial, "01032026");
    form.bbPesquisar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->texts().size(), 3);
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 3");
}

}  // namespace
}  // namespace moduletest
