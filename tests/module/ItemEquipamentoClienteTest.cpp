// An order item whose model the order's customer owns opens the front door's
// customer-equipment list (registered with the data module when the module
// loads) and takes the chosen equipment's serial number and observation.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Upesq.h"
#include "module/uPackageAss.h"

namespace moduletest {
namespace {

class ItemEquipamentoClienteTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        uPackageAss::CriarDataTec();
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (900, '00001')");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE, AECLOBSERVACAO) "
             "values (81, 5, '00001', 'S-81', 'Com maleta')");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (82, 5, '00001', 'S-82')");
        CarregaOrdemServico(900);
        dmTec->quOSItem->append();
    }
};

TEST_F(ItemEquipamentoClienteTest, ChosenEquipmentGivesTheItemItsSerialAndObservation)
{
    dialogs->modal({}, [](host::ui::Form& form) {
        static_cast<TfmPesquisa&>(form).dataSource()->dataset()->last();
        form.setModalResult(host::ui::ModalResult::Ok);
    });
    dmTec->quOSItemAOITEQUIPCODIGO->setText("5");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dmTec->quOSItemAOITSERIE->asString(), "S-82");
    EXPECT_TRUE(dmTec->quOSItemAOITOBSERVACAO->isNull());
    EXPECT_EQ(fmPesquisa.get(), nullptr);
}

TEST_F(ItemEquipamentoClienteTest, CancelledListLeavesTheItemAlone)
{
    dialogs->modal({}, [](host::ui::Form&) {});
    dmTec->quOSItemAOITEQUIPCODIGO->setText("5");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dmTec->quOSItemAOITSERIE->isNull());
    EXPECT_EQ(dmTec->quOSItem->state(), host::data::DatasetState::Insert);
}

}  // namespace
}  // namespace moduletest
