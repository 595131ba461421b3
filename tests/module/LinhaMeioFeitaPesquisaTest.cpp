// A row being typed when a search window opened from it takes the focus:
// the rentable-equipment register's group grid, Insert, then the cell's
// "..." search, left with Esc. The row is neither stored nor committed as
// the search opens; Esc in the grid lets it go, and a group chosen in the
// search is stored once the user leaves the grid.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QPushButton>

namespace moduletest {
namespace {

using host::data::DatasetState;

class LinhaMeioFeitaPesquisaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVSTATUS) values"
             " (31, 'L', 'Honda', 'Gerador G5', 'L')");
        exec("insert into ACEC1201 (CODIGO, DESCRICAO) values ('G77', 'Geradores')");
        tr().commitRetaining();
    }
    // Equipment 31 in the register, its groups page shown, a new group row
    // begun with Insert in the grid.
    TfmAssEquipamentoLocacao& novaLinhaDeGrupo()
    {
        TfmAssEquipamentoLocacao& form = abrirJanela(fmAssEquipamentoLocacao, "fmAssEquipamentoLocacao");
        dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            EXPECT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", "31"));
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
        form.bbPesquisa->click();
        form.pcEquipamento->setActivePage(form.tsGrupos);
        form.dbgdGrupos->setFocus();
        QTest::keyClick(form.dbgdGrupos, Qt::Key_Insert);
        EXPECT_EQ(grupos().state(), DatasetState::Insert);
        return form;
    }
    // The register active again once the search is gone, as on screen,
    // with the focus where it was.
    static void voltaAJanela(TfmAssEquipamentoLocacao& form)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        ASSERT_EQ(QApplication::focusWidget(), form.dbgdGrupos);
    }
    host::data::Dataset& grupos() const { return *dmTec->quEquipamentoGrupo; }
    QStringList gravados() const { return lido("select coalesce(GRCODIGO, '(vazio)') from AUGC20EVGR where EVCODIGO = 31"); }
};

TEST_F(LinhaMeioFeitaPesquisaTest, ASearchLeftWithEscStoresNoEmptyRow)
{
    TfmAssEquipamentoLocacao& form = novaLinhaDeGrupo();
    testsupport::OnScreenDialogs naTela;
    QStringList aoAbrir{"(não lido)"};
    naTela.whileOpen([&](QWidget&) { aoAbrir = gravados(); }).key(Qt::Key_Escape);
    QTest::keyClick(form.dbgdGrupos, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(naTela.seen().size(), 1u) << "the search opened";
    EXPECT_EQ(aoAbrir, QStringList{}) << "nothing stored as the search opens";
    EXPECT_EQ(gravados(), QStringList{});
    EXPECT_EQ(grupos().state(), DatasetState::Insert) << "the row is still the user's";
    voltaAJanela(form);
    QTest::keyClick(form.dbgdGrupos, Qt::Key_Escape);
    EXPECT_TRUE(grupos().isEmpty());
    form.bbSalvar->setFocus();
    EXPECT_EQ(gravados(), QStringList{});
}

TEST_F(LinhaMeioFeitaPesquisaTest, AGroupChosenInTheSearchIsStoredOnLeavingTheGrid)
{
    TfmAssEquipamentoLocacao& form = novaLinhaDeGrupo();
    testsupport::OnScreenDialogs naTela;
    naTela.inspect([](QWidget& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        EXPECT_TRUE(p.dataSource()->dataset()->locate("CODIGO", "G77"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    QTest::keyClick(form.dbgdGrupos, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(naTela.seen().size(), 1u) << "the search opened";
    EXPECT_EQ(gravados(), QStringList{}) << "stored when the user leaves the row, not before";
    voltaAJanela(form);
    form.bbSalvar->setFocus();
    EXPECT_EQ(gravados(), QStringList{"G77"});
}

}  // namespace
}  // namespace moduletest
