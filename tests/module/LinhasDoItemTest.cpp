// A new order typed through the service-order window: an equipment row
// inserted in the items grid and left unsaved, then a parts line and a
// service line typed on their tabs, then "Salvar". Each line belongs to the
// item it was typed under, as another attachment reads the rows.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>
#include <QTabBar>

namespace moduletest {
namespace {

using host::ui::DataGrid;

class LinhasDoItemTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('PEC01', 'Wcorreia', 10, 4)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, COM_FAB_S_FS) values"
             " ('SRV01', 'Wmaodeobra', 50, 0, '7')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (7, 'Impressora')");
    }
    static void clicaAba(TfmAssOrdemServico& form, host::ui::TabSheet* pagina)
    {
        QTabBar* barra = form.pcOrdemServico->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
        ASSERT_EQ(form.pcOrdemServico->activePage(), pagina);
    }
};

TEST_F(LinhasDoItemTest, LinesTypedUnderAnUnsavedItemAreStoredWithIt)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (41, '00003', '2026-11-02', 'A', 'M')");
    TfmAssOrdemServico& form = abrir();
    form.bbNovo->click();
    dmTec->quOSCLCODIGO->setAsString("00004");   // as the customer combo writes it

    clicaAba(form, form.tsItens);
    novaLinhaNaGrade(form.dbgdOrdemServicoItens, "AOITEQUIPCODIGO", "7");
    ASSERT_EQ(dmTec->quOSItem->state(), host::data::DatasetState::Insert) << "the item is still being typed";

    clicaAba(form, form.tsPecasOS);
    novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "PEC01");
    clicaAba(form, form.tsServico);
    novaLinhaNaGrade(form.dbgdOrdemServicoServicos, "PRCODIGO", "SRV01");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);

    const QStringList itens = lido("select AOITCODIGO from AATC01AOIT where AOCODIGO = 42");
    ASSERT_EQ(itens.size(), 1);
    EXPECT_NE(itens[0], "0");
    EXPECT_EQ(lido("select AOITCODIGO from AATC01AP where AOCODIGO = 42"), itens) << "the parts line";
    EXPECT_EQ(lido("select AOITCODIGO from AATC01AA where AOCODIGO = 42"), itens) << "the service line";
    EXPECT_EQ(dmTec->quOSAndamento->fieldByName("DescEquipOS")->asString().isEmpty(), false)
        << "the service grid shows the equipment";
}

TEST_F(LinhasDoItemTest, AnItemRefusedOnSaveKeepsTheLineFromBeingTyped)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (42, '00003', '2026-11-02', 'A', 'M')");
    TfmAssOrdemServico& form = abrir();
    clicaAba(form, form.tsItens);
    // A row with no equipment cannot be saved: the line is not typed under it.
    form.dbgdOrdemServicoItens->setFocus();
    QTest::keyClick(form.dbgdOrdemServicoItens, Qt::Key_Insert);
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Ruído");
    clicaAba(form, form.tsPecasOS);
    dialogs->acknowledge("Preenchimento do equipamento obrigatório");
    form.dbgdOrdemServicoPecas->setFocus();
    QTest::keyClick(form.dbgdOrdemServicoPecas, Qt::Key_Insert);
    EXPECT_NE(dmTec->quOSPecas->state(), host::data::DatasetState::Insert);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(lido("select AOITCODIGO from AATC01AP where AOCODIGO = 42").isEmpty());
}

// Going to another window ends the order window's lines: the one being typed
// is stored, not dropped.
TEST_F(LinhasDoItemTest, ALineBeingTypedIsStoredWhenTheUserGoesToAnotherWindow)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    clicaAba(form, form.tsPecasOS);
    novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "PEC01");
    ASSERT_EQ(dmTec->quOSPecas->state(), host::data::DatasetState::Insert);
    uPackageAss::ShowJanelaTec("fmAssDefeito");
    ASSERT_TRUE(QTest::qWaitForWindowActive(host::ui::WindowRegistry::find("fmAssDefeito")));
    EXPECT_EQ(lido("select PRCODIGO || '/' || AOITCODIGO from AATC01AP where AOCODIGO = 42"), QStringList{"PEC01/1"});
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
