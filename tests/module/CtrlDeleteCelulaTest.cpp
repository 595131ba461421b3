// Ctrl+Delete pressed in an open cell of a new service order, on the
// database the first start leaves: in the items grid, whose lines go only
// through the window, the serial number stays as it was; in the service
// grid it is the line's deletion, asked first, whatever cell is open.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QApplication>

namespace moduletest {
namespace {

class CtrlDeleteCelulaTest : public PrimeiroUsoOrdemTest {
protected:
    // A click on the column's cell of the current line, its editor waited for.
    static void abreCelula(host::ui::DataGrid* grade, const char* campo)
    {
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->currentIndex()).center());
        ASSERT_TRUE(QTest::qWaitFor([grade] { return grade->indexWidget(grade->currentIndex()) != nullptr; }, 5000));
    }
};

TEST_F(CtrlDeleteCelulaTest, TheKeyNeverEditsTheCellAndDeletesTheLineWhereTheGridDoes)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemNova(form);
    ASSERT_FALSE(os.isEmpty()) << vistos();
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    novaLinhaNaGrade(form->dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Prensa hidraulica");
    celula(form->dbgdOrdemServicoItens, "AOITSERIE", "SN-2024-0117", Qt::Key_Return);
    clicaAba(form->pcOrdemServico, form->tsServico);
    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    form->bbSalvar->click();
    const struct {
        host::ui::TabSheet* aba;
        host::ui::DataGrid* grade;
        const char* campo;
        const char* resposta;   // to the question, when one is asked
        QString lido;
        QStringList esperado;
    } casos[] = {
        {form->tsItens, form->dbgdOrdemServicoItens, "AOITSERIE", nullptr,
         "select AOITSERIE from AATC01AOIT where AOCODIGO = " + os, {"SN-2024-0117"}},
        {form->tsServico, form->dbgdOrdemServicoServicos, "AAQUANTIDADE", "Não",
         "select cast(AAQUANTIDADE as integer) from AATC01AA where AOCODIGO = " + os, {"1"}},
        {form->tsServico, form->dbgdOrdemServicoServicos, "AAQUANTIDADE", "Sim",
         "select count(*) from AATC01AA where AOCODIGO = " + os, {"0"}},
    };
    for (const auto& c : casos) {
        clicaAba(form->pcOrdemServico, c.aba);
        abreCelula(c.grade, c.campo);
        if (c.resposta)
            dialogs->answer(c.resposta, "Confirma a exclusão do registro?");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        form->bbSalvar->click();
        EXPECT_EQ(lido(c.lido), c.esperado) << c.campo;
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
