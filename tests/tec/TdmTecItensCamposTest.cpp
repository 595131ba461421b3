// Field rules of the order items: filling from the equipment register, the
// vehicle models and the vehicles; the item-grid focus rule for typed codes;
// the customer's own equipment; internal code, technician, dealer, plate and
// the customer's approval.

#include "tests/tec/ItensFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/ui/DataGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace tectest {
namespace {

class TdmTecItensCamposTest : public ItensTest {
protected:
    void SetUp() override
    {
        ItensTest::SetUp();
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AECARROCERIAMARCA, AEIDENTIFICADOR, "
             "AETIPO, AECODIGOINTERNO) values (7, 'Furadeira', 'Bosch', 'GSB 13', 'Nenhuma', 'E', 'Elétrico', 'F-7')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEIDENTIFICADOR) values (8, 'Caminhão', 'V')");
        novoItem("");
    }
};

TEST_F(TdmTecItensCamposTest, EquipmentCodeFillsTheItemFromTheRegister)
{
    dmTec->quOSItemAOITEQUIPCODIGO->setText("7");
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
    EXPECT_EQ(tec.quOSItemAOITMARCA->asString(), "Bosch");
    EXPECT_EQ(tec.quOSItemAOITMODELO->asString(), "GSB 13");
    EXPECT_EQ(tec.quOSItemAOITCARROCERIAMARCA->asString(), "Nenhuma");
    EXPECT_EQ(tec.quOSItemAETIPO->asString(), "Elétrico");
    // A code not in the register empties them.
    tec.quOSItemAOITEQUIPCODIGO->setAsInteger(99);
    EXPECT_TRUE(tec.quOSItemAOITEQUIPDESCRICAO->isNull());
    EXPECT_TRUE(tec.quOSItemAOITMARCA->isNull());
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());
}

TEST_F(TdmTecItensCamposTest, InternalCodeFindsTheModel)
{
    dmTec->quOSItemAECODIGOINTERNO->setText("F-7");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPCODIGO->asInteger(), 7);
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
}

TEST_F(TdmTecItensCamposTest, VehicleModeFillsTheItemFromTheVehicleAndItsLatestReading)
{
    parametro("ATSITUACAOPORITEM", "S");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVPLACA, EVMARCA, EVMODELO, EVANO, EVCOMBUSTIVEL, EVCOR, "
         "EVDATACOMPRA, EVCHASSI) values (5, 'V', 'ABC1234', 'Fiat', 'Uno', '2010', 'Flex', 'Prata', "
         "'2011-02-03', '9BWZZZ377VT004251')");
    exec("insert into ACOC81PM (EVCODIGO, PMDATA, PMDESTINOODOMETRO) values (5, '2024-01-10', 50000)");
    exec("insert into ACOC81PM (EVCODIGO, PMDATA, PMDESTINOODOMETRO) values (5, '2024-06-10', 61234)");
    exec("insert into ACOC81PM (EVCODIGO, PMDATA, PMDESTINOODOMETRO) values (6, '2025-01-10', 99999)");
    dmTec->quOSItemAOITEQUIPCODIGO->setText("5");
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOSItemAOITEQUIPDESCRICAO->asString(), "Veículo - Placa ABC1234");
    EXPECT_EQ(tec.quOSItemAOITMARCA->asString(), "Fiat");
    EXPECT_EQ(tec.quOSItemAOITMODELO->asString(), "Uno");
    EXPECT_EQ(tec.quOSItemAOITANOFABRICACAO->asString(), "2010");
    EXPECT_EQ(tec.quOSItemAOITCOMBUSTIVEL->asString(), "Flex");
    EXPECT_EQ(tec.quOSItemAOITCOR->asString(), "Prata");
    EXPECT_EQ(tec.quOSItemAOITDATACOMPRA->asDateTime().date(), QDate(2011, 2, 3));
    EXPECT_EQ(tec.quOSItemAOITPLACA->asString(), "ABC1234");
    EXPECT_EQ(tec.quOSItemAOITSERIE->asString(), "9BWZZZ377VT004251");
    EXPECT_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 61234.0);
}

TEST_F(TdmTecItensCamposTest, VehicleModelModeNamesTheVehicleByBrandAndModel)
{
    parametro("ATSITUACAOPORITEM", "M");
    exec("insert into AUGC24ER (ERCODIGO, ERDESCRICAO) values ('3', 'Volkswagen')");
    exec("insert into AUGC23EN (ENCODIGO, ENDESCRICAO, ERCODIGO) values (40, 'Gol', '3')");
    exec("insert into AUGC23EN (ENCODIGO, ENDESCRICAO, ERCODIGO) values (41, 'Kombi', null)");
    dmTec->quOSItemAOITEQUIPCODIGO->setText("40");
    EXPECT_EQ(dmTec->quOSItemAOITMARCA->asString(), "Volkswagen");
    EXPECT_EQ(dmTec->quOSItemAOITMODELO->asString(), "Gol");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Veículo Volkswagen Gol");
    // A model without a brand keeps the brand the item had.
    dmTec->quOSItemAOITEQUIPCODIGO->setText("41");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Veículo Volkswagen Kombi");
}

class TdmTecItensFocoTest : public TdmTecItensCamposTest {
protected:
    void SetUp() override
    {
        TdmTecItensCamposTest::SetUp();
        parametro("ATQUANTIDADEREQUERIDA", "S");
    }
    // The service-order window's two item grids, with the focus in one of
    // them ("" for a plain edit of the window).
    void focarGrade(const QString& nome)
    {
        janela = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(janela.get());
        for (const char* grade : {"dbgdOrdemServicoItens", "dbgdOrdemServicoItensVeiculo", "dbedObservacao"}) {
            auto* controle = new QWidget(janela.get());
            controle->setObjectName(grade);
            controle->setFocusPolicy(Qt::StrongFocus);
            // What really holds the focus is the cell editor inside the grid.
            auto* editor = new QLineEdit(controle);
            layout->addWidget(controle);
            if (nome == grade)
                alvo = editor;
        }
        janela->show();
        QApplication::setActiveWindow(janela.get());
        alvo->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), alvo);
    }
    std::unique_ptr<QWidget> janela;
    QWidget* alvo = nullptr;
};

TEST_F(TdmTecItensFocoTest, TypedEquipmentOutsideTheItemsGridIsRefused)
{
    dialogos->acknowledge();
    EXPECT_THROW(dmTec->quOSItemAOITEQUIPCODIGO->setText("7"), host::Abort);
    EXPECT_EQ(dialogos->texts(),
              QStringList{"Não foi possível inserir equipamento. Para inserir selecione a aba \"Itens da OS\"."});
    EXPECT_TRUE(dmTec->quOSItemAOITEQUIPDESCRICAO->isNull());

    focarGrade("dbgdOrdemServicoItensVeiculo");
    dialogos->acknowledge();
    EXPECT_THROW(dmTec->quOSItemAOITEQUIPCODIGO->setText("7"), host::Abort);

    focarGrade("dbedObservacao");
    dialogos->acknowledge();
    EXPECT_THROW(dmTec->quOSItemAOITEQUIPCODIGO->setText("7"), host::Abort);

    focarGrade("dbgdOrdemServicoItens");
    dmTec->quOSItemAOITEQUIPCODIGO->setText("7");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
}

TEST_F(TdmTecItensFocoTest, TypedVehicleNeedsTheVehiclesGrid)
{
    focarGrade("dbgdOrdemServicoItens");
    dialogos->acknowledge();
    EXPECT_THROW(dmTec->quOSItemAOITEQUIPCODIGO->setText("8"), host::Abort);
    EXPECT_EQ(dialogos->texts(),
              QStringList{"Não foi possível inserir veículo. Para inserir selecione a aba \"Veículos\"."});

    focarGrade("dbgdOrdemServicoItensVeiculo");
    dmTec->quOSItemAOITEQUIPCODIGO->setText("8");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Caminhão");
}

TEST_F(TdmTecItensFocoTest, CodeSetByProgramPassesWhateverHasTheFocus)
{
    // Automatic orders, the default item and copies set the code themselves.
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(7);
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
    focarGrade("dbgdOrdemServicoItens");
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(8);
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Caminhão");
    EXPECT_TRUE(dialogos->texts().isEmpty());
    // Without the setting nothing is refused, typed or not.
    parametro("ATQUANTIDADEREQUERIDA", "");
    focarGrade("dbedObservacao");
    dmTec->quOSItemAOITEQUIPCODIGO->setText("7");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
}

TEST_F(TdmTecItensFocoTest, CodesTypedInTheItemGridsOfTheWindow)
{
    // The window's two grids on the items, each typed into while it has the focus.
    host::data::DataSource itens{nullptr, "dsOSItem", dmTec->quOSItem};
    auto digitarNaGrade = [&](const QString& nome, const QString& codigo) {
        host::ui::DataGrid grade{nome};
        grade.setDataSource(&itens);
        grade.show();
        QApplication::setActiveWindow(&grade);
        grade.setFocus();
        QApplication::processEvents();
        const QModelIndex celula =
            grade.model()->index(dmTec->quOSItem->recNo() - 1, grade.columnByField("AOITEQUIPCODIGO")->index());
        return grade.model()->setData(celula, codigo);
    };
    EXPECT_TRUE(digitarNaGrade("dbgdOrdemServicoItens", "7"));
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira");
    EXPECT_TRUE(digitarNaGrade("dbgdOrdemServicoItensVeiculo", "8"));
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Caminhão");

    dialogos->acknowledge("Não foi possível inserir equipamento.");
    EXPECT_FALSE(digitarNaGrade("dbgdOrdemServicoItensVeiculo", "7"));
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Caminhão");
}

class TdmTecItensEquipClienteTest : public TdmTecItensCamposTest {
protected:
    void SetUp() override
    {
        TdmTecItensCamposTest::SetUp();
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE, AECLOBSERVACAO) "
             "values (71, 7, '00001', 'S-771', 'Cabo emendado')");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (72, 8, '00002', 'S-8')");
        dmTec->quOSItemAOITOBSERVACAO->setAsString("Trazida pelo filho");
    }
};

TEST_F(TdmTecItensEquipClienteTest, OwnedModelOpensTheListAndTakesTheChosenSerialAndObservation)
{
    listaEquipamentoCliente(71);
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(7);
    EXPECT_EQ(chamadasLista, 1);
    EXPECT_EQ(dmTec->quOSItemAOITSERIE->asString(), "S-771");
    EXPECT_EQ(dmTec->quOSItemAOITOBSERVACAO->asString(), "Cabo emendado");
}

TEST_F(TdmTecItensEquipClienteTest, CancelledListKeepsSerialAndObservation)
{
    listaEquipamentoCliente(0);
    dmTec->quOSItemAOITSERIE->setAsString("Antiga");
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(7);
    EXPECT_EQ(chamadasLista, 1);
    EXPECT_EQ(dmTec->quOSItemAOITSERIE->asString(), "Antiga");
    EXPECT_EQ(dmTec->quOSItemAOITOBSERVACAO->asString(), "Trazida pelo filho");
}

TEST_F(TdmTecItensEquipClienteTest, ModelTheCustomerDoesNotOwnAsksNothing)
{
    listaEquipamentoCliente(72);
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(8);   // owned by another customer
    EXPECT_EQ(chamadasLista, 0);
    EXPECT_TRUE(dmTec->quOSItemAOITSERIE->isNull());
}

TEST_F(TdmTecItensCamposTest, TechnicianDealerPlateAndApproval)
{
    tecnico(4, "Ana", "S");
    exec("insert into AUGC0501 (FCOD, FNOME) values ('00009', 'Concessionária Sul')");
    TdmTec& tec = *dmTec;

    tec.quOSItemATCODIGO->setText("4");
    EXPECT_EQ(tec.quOSItemTECNICOITEM->asString(), "Ana");

    tec.quOSItemFOCONSECIONARIA->setText("00009");
    EXPECT_EQ(tec.quOSItemDESCRICAOCONSECIONARIA->asString(), "Concessionária Sul");
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quOSItemFOCONSECIONARIA->setText("00010"), host::Abort);
    EXPECT_EQ(tec.quOSItemDESCRICAOCONSECIONARIA->asString(), "Concessionária Sul");
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());
    tec.quOSItemFOCONSECIONARIA->setText("");   // the dealer removed: no message
    EXPECT_TRUE(tec.quOSItemDESCRICAOCONSECIONARIA->isNull());

    tec.quOSItemAOITPLACA->setText("abc-1234");
    EXPECT_EQ(tec.quOSItemAOITPLACA->asString(), "ABC-1234");

    tec.quOSItemAOITAPROVADO->setText("R");
    EXPECT_EQ(tec.quOSItemAOITUSUARIO->asString(), IbUserName());
    EXPECT_EQ(tec.quOSItemAOITAPROVADO->displayText(), "Rejeitado");
    EXPECT_EQ(tec.quOSItemAOITAPROVADO->text(), "Rejeitado");
    for (auto [codigo, legenda] : {std::pair{"S", "Sim"}, {"N", "Não"}, {"X", "X"}, {"", ""}}) {
        tec.quOSItemAOITAPROVADO->setAsString(codigo);
        EXPECT_EQ(tec.quOSItemAOITAPROVADO->displayText(), legenda) << codigo;
    }
}

}  // namespace
}  // namespace tectest
