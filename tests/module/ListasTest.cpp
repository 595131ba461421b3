// The ad-hoc lists on the host's search window: coverages, a customer's
// equipment, the details of a contract item, the equipment picker and the
// defects of an order item.

#include "tests/module/ModuleFixture.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Upesq.h"
#include "host/data/Query.h"
#include "module/uPackageAss.h"

#include "host/ui/Components.h"

#include <QCoreApplication>
#include <QMenu>

namespace moduletest {
namespace {

using host::data::Query;
using host::ui::Form;
using uPackageAss::ShowJanelaTec;

struct Lista {
    QString caption;
    int largura = 0;
    int tipo = 0;
    QStringList campos;
    QList<QStringList> escolhas;
    QString menu;   // the pop-up menu lent to the grid
};

Lista descrever(Form& form)
{
    auto& pesquisa = static_cast<TfmPesquisa&>(form);
    Lista lista{pesquisa.caption(), pesquisa.width(), pesquisa.searchKind(), {}, {}, {}};
    if (QMenu* menu = host::ui::popupMenu(pesquisa.grid()))
        lista.menu = menu->objectName();
    for (const auto& coluna : pesquisa.grid()->columns()) {
        lista.campos << coluna->fieldName();
        lista.escolhas << coluna->pickList();
    }
    return lista;
}

class ListasTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        for (const char* sql : {
                 "insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (71, 5, '00001', 'S1')",
                 "insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (72, 5, '00001', 'S2')",
                 "insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (73, 6, '00001', 'S3')",
                 "insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (74, 5, '00002', 'S4')",
             })
            exec(sql);
    }
    void eliminarLiberadas() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ListasTest, EquipmentPickerConfirmedGivesTheChosenRow)
{
    Lista vista;
    dialogs->modal({}, [&](Form& form) {
        vista = descrever(form);
        static_cast<TfmPesquisa&>(form).dataSource()->dataset()->last();
        form.setModalResult(host::ui::ModalResult::Ok);
    });
    int escolhido = -1;
    EXPECT_TRUE(uPackageAss::SelecionaEquipamentoCliente(5, "00001", escolhido));
    EXPECT_EQ(escolhido, 72);
    EXPECT_EQ(vista.caption, "Equipamentos do Cliente");
    EXPECT_EQ(vista.tipo, 37);
    EXPECT_EQ(vista.campos, (QStringList{"AECLCODIGO", "aeDESCRICAO", "AECLNUMEROSERIE", "AECLNUMEROPATRIMONIO"}));
    EXPECT_EQ(vista.menu, "puPesq");
    // Closed and freed, whichever way it went.
    EXPECT_FALSE(dmTec->quEquipCli->active());
    EXPECT_EQ(fmPesquisa.get(), nullptr);
}

TEST_F(ListasTest, EquipmentPickerCancelledStillWritesTheCurrentRow)
{
    dialogs->modal({}, [](Form& form) { static_cast<TfmPesquisa&>(form).dataSource()->dataset()->next(); });
    int escolhido = -1;
    EXPECT_FALSE(uPackageAss::SelecionaEquipamentoCliente(5, "00001", escolhido));
    EXPECT_EQ(escolhido, 72);
    EXPECT_FALSE(dmTec->quEquipCli->active());
    EXPECT_EQ(fmPesquisa.get(), nullptr);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ListasTest, CoverageListEditsEveryCoverageAndClosesItsDataset)
{
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
    Lista vista;
    dialogs->modal({}, [&](Form& form) { vista = descrever(form); });
    ShowJanelaTec("fmAssContCob");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vista.caption, "Cadastro de Coberturas");
    EXPECT_EQ(vista.campos, (QStringList{"ABCODIGO", "ABDESCRICAO", "ABPECAS", "ABMDO", "ABDESLOCA"}));
    EXPECT_EQ(vista.menu, "");
    const QStringList simNao{"Sim", "Não"};
    EXPECT_EQ(vista.escolhas, (QList<QStringList>{{}, {}, simNao, simNao, simNao}));
    EXPECT_FALSE(dmTecContrato->quCtrCobertura->active());
    EXPECT_EQ(fmPesquisa.get(), nullptr);
}

TEST_F(ListasTest, CustomerEquipmentListOfNoCurrentCustomerIsModalAndFreed)
{
    Lista vista;
    dialogs->modal({}, [&](Form& form) { vista = descrever(form); });
    ShowJanelaTec("fmAssEquipCli");
    EXPECT_EQ(vista.caption, "Equipamentos do Cliente");
    EXPECT_EQ(vista.tipo, 29);
    EXPECT_EQ(vista.campos, (QStringList{"AECODIGO", "aeDESCRICAO"}));
    EXPECT_EQ(vista.menu, "puGeral");
    EXPECT_FALSE(dmTec->quEquipCli->active());
    EXPECT_EQ(fmPesquisa.get(), nullptr);
}

TEST_F(ListasTest, ItemDetailListStaysOpenOnTheCurrentItemsDetails)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (1, '00001')");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (10, '00001', 'P', 1)");
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (10, 1, 'P')");
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (10, 2, 'P')");
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (11, 1, 'P')");
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
    dmTecContrato->CarregaContratoItem("00001", "1");
    ShowJanelaTec("fmAssContCadDet");
    TfmPesquisa* lista = fmPesquisa.get();
    ASSERT_NE(lista, nullptr);
    EXPECT_TRUE(lista->isVisible());
    EXPECT_FALSE(lista->showingModal());
    EXPECT_TRUE(lista->stayOnTop());
    const Lista vista = descrever(*lista);
    EXPECT_EQ(vista.caption, "Detalhe/Composição de Item do Contrato");
    EXPECT_EQ(vista.tipo, 31);
    EXPECT_EQ(vista.campos, (QStringList{"PRCODIGO", "DESCRICAO", "ACDTQUANTIDADE", "ACDTOBSERVACAO"}));
    EXPECT_EQ(dmTecContrato->quCtrCadastroDet->recordCount(), 2);
    // Closing it frees it.
    lista->close();
    eliminarLiberadas();
    EXPECT_EQ(fmPesquisa.get(), nullptr);
}

TEST_F(ListasTest, ItemDetailListWithoutAnItemLoadedIsEmpty)
{
    ShowJanelaTec("fmAssContCadDet");
    ASSERT_NE(fmPesquisa.get(), nullptr);
    EXPECT_TRUE(dmTecContrato->quCtrCadastroDet->active());
    EXPECT_TRUE(dmTecContrato->quCtrCadastroDet->isEmpty());
}

TEST_F(ListasTest, ItemDefectsKeepTheirKeysForNewRowsAndCloseTheirDataset)
{
    Lista vista;
    dialogs->modal({}, [&](Form& form) {
        vista = descrever(form);
        EXPECT_EQ(form.objectName(), "SelecionaDefeitoItem");
        EXPECT_TRUE(dmTec->quOSItemDef->active());
    });
    uPackageAss::SelecionaDefeitoItem(42, 7, 1234.5, 3);
    EXPECT_EQ(dmTec->iDefeitoAOCODIGO, 42);
    EXPECT_EQ(dmTec->iDefeitoAOITCODIGO, 7);
    EXPECT_EQ(dmTec->rDefeitoMECHAVE, 1234.5);
    EXPECT_EQ(dmTec->iDefeitoMEITSEQUENCIA, 3);
    EXPECT_EQ(vista.caption, "Defeitos do Item");
    EXPECT_EQ(vista.tipo, 42);
    EXPECT_EQ(vista.campos, (QStringList{"ADCODIGO", "ADDESCRICAO", "AOADQUANTIDADE"}));
    EXPECT_EQ(vista.menu, "puGeral");
    EXPECT_FALSE(dmTec->quOSItemDef->active());
}

// The coverages, a customer's equipment and an item's details on the
// search window, as a person sees them.
TEST_F(ListasTest, PicturesOfTheLists)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (1, '00001')");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (10, '00001', 'P0001', 1)");
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO, ACDTQUANTIDADE, ACDTOBSERVACAO)"
         " values (10, 1, 'P0001', 2, 'Trocar a cada visita')");
    exec("update or insert into AATC03AE (AECODIGO, AEDESCRICAO) values (5, 'Impressora laser') matching (AECODIGO)");
    exec("update or insert into AATC03AE (AECODIGO, AEDESCRICAO) values (6, 'Nobreak 1400 VA') matching (AECODIGO)");
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
    exec("insert into AATC10AB (ABCODIGO, ABDESCRICAO, ABPECAS, ABMDO, ABDESLOCA) values ('TOT', 'Total', 'S', 'S', 'S')");
    exec("insert into AATC10AB (ABCODIGO, ABDESCRICAO, ABPECAS, ABMDO, ABDESLOCA) values ('MDO', 'Mão de obra', 'N', 'S',"
         " 'N')");
    dialogs->modal({}, [](Form& form) { guardaFoto(form, "fmAssContCob.png"); });
    ShowJanelaTec("fmAssContCob");
    dialogs->modal({}, [](Form& form) { guardaFoto(form, "fmAssEquipCli.png"); });
    ShowJanelaTec("fmAssEquipCli");
    dmTecContrato->CarregaContratoItem("00001", "1");
    ShowJanelaTec("fmAssContCadDet");
    ASSERT_NE(fmPesquisa.get(), nullptr);
    EXPECT_EQ(dmTecContrato->quCtrCadastroDet->recordCount(), 1);
    guardaFoto(*fmPesquisa.get(), "fmAssContCadDet.png");
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
