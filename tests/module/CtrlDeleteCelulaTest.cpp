// Ctrl+Delete in an open cell of a new service order, on the database the
// first start leaves: the items grid, whose lines go only through the
// window, keeps the serial number; in the service grid it deletes the line.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QApplication>

namespace moduletest {
namespace {

using CtrlDeleteCelulaTest = PrimeiroUsoOrdemTest;

TEST_F(CtrlDeleteCelulaTest, TheKeyNeverEditsTheCellAndDeletesTheLineWhereTheGridDoes)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemNova(form);
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
        QString lido;
        const char* esperado;
    } casos[] = {
        {form->tsItens, form->dbgdOrdemServicoItens, "AOITSERIE",
         "select AOITSERIE from AATC01AOIT where AOCODIGO = " + os, "SN-2024-0117"},
        {form->tsServico, form->dbgdOrdemServicoServicos, "AAQUANTIDADE",
         "select count(*) from AATC01AA where AOCODIGO = " + os, "0"},
    };
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    for (const auto& c : casos) {
        clicaAba(form->pcOrdemServico, c.aba);
        ctrlDeleteNaCelula(c.grade, c.campo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        form->bbSalvar->click();
        EXPECT_EQ(lido(c.lido), QStringList{c.esperado}) << c.campo;
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
