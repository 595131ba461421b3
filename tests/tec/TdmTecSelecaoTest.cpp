// The defect picker of a service line on the host's search window.

#include "tests/tec/LoadersFixture.h"

#include "host/Upesq.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"

using host::ui::Form;
using host::ui::ModalResult;

namespace tectest {
namespace {

using SelecionaOSAndamentoDefeitoTest = LoadersTest;

TEST_F(SelecionaOSAndamentoDefeitoTest, ListsTheLinesDefectsAndTellsWhetherItClosedWithOk)
{
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (7, 'Não liga')");
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (8, 'Trocar fusível')");
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (1, 25, 3, 7)");
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (2, 25, 3, 8)");
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (3, 25, 4, 8)");
    dialogos->modal("fmPesquisa", [](Form& form) {
        auto& janela = static_cast<TfmPesquisa&>(form);
        EXPECT_EQ(fmPesquisa.get(), &janela);
        EXPECT_EQ(janela.windowTitle(), "Defeitos/Soluções do Serviço");
        EXPECT_EQ(janela.width(), 500);
        EXPECT_EQ(janela.searchKind(), 39);
        host::ui::DataGrid& grid = *janela.grid();
        ASSERT_EQ(grid.columnCount(), 2);
        EXPECT_EQ(grid.column(0)->title(), "Código");
        EXPECT_EQ(grid.column(0)->width(), 70);
        EXPECT_EQ(grid.column(0)->buttonStyle(), host::ui::GridColumn::ButtonStyle::Ellipsis);
        EXPECT_EQ(grid.column(1)->title(), "Defeitos/Solução");
        EXPECT_EQ(grid.column(1)->width(), 300);
        EXPECT_EQ(host::ui::popupMenu(&grid), dmGlobal->puGeral);
        EXPECT_EQ(coluna(*dmTec->quOSAndDef, "ADDESCRICAO"), (QStringList{"Não liga", "Trocar fusível"}));
        janela.setModalResult(ModalResult::Ok);
    });
    dialogos->modal("fmPesquisa", [](Form& form) { form.setModalResult(ModalResult::Cancel); });

    EXPECT_TRUE(SelecionaOSAndamentoDefeito(25, 3));
    EXPECT_FALSE(dmTec->quOSAndDef->active());
    EXPECT_FALSE(fmPesquisa);
    EXPECT_FALSE(SelecionaOSAndamentoDefeito(25, 4));
    EXPECT_FALSE(fmPesquisa);
}

TEST_F(SelecionaOSAndamentoDefeitoTest, AFailingLoadShowsNoWindowAndReachesTheCaller)
{
    exec("drop table AATC01AAAD");
    EXPECT_ANY_THROW(SelecionaOSAndamentoDefeito(25, 3));
    EXPECT_FALSE(fmPesquisa);
    EXPECT_FALSE(dmTec->quOSAndDef->active());
}

}  // namespace
}  // namespace tectest
