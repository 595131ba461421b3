// The registers and the basic contracts: hour prices filled forward, the
// technicians' report permission, one key sequence for the contract's
// equipment and service rows, the contract address carried to the next row
// and the service product created when the contract is saved.

#include "tests/tec/LoadersFixture.h"

#include "data/uDataTecCadastros.h"
#include "host/PilvCpr70.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"

namespace tectest {
namespace {

class CadastrosTest : public LoadersTest {
protected:
    void SetUp() override
    {
        LoadersTest::SetUp();
        uDataTec::esquecerEnderecoContrato();
        dmGlobal->SetParametro("ATMODOVEICULO", "");
    }
    void TearDown() override
    {
        uDataTec::esquecerEnderecoContrato();
        LoadersTest::TearDown();
    }
    // A saved contract 1 with its service product, loaded with its rows.
    void contratoGravado()
    {
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('S1', 'Manutenção', 90, '7')");
        exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO, ACNUMEROCONTRATO, PRCODIGO) values (1, 'Básico', '10', 'S1')");
        dmTec->CarregaContrato(1);
    }
    // A new technician "Rui" with a new model row being inserted; model 7 exists.
    void novoTecnicoComModelo7()
    {
        TdmTec& tec = *dmTec;
        modelo(7, "E");
        tec.CarregarTecnicos(0, false);
        tec.quTecnicos->append();
        tec.quTecnicosATNOME->setAsString("Rui");
        tec.quTecEquip->append();
    }
    void horas(double h1, double h2, double h3, double h4, double h5)
    {
        TdmTec& tec = *dmTec;
        tec.quHoraTecnicaAHDESCRICAO->setAsString("Normal");
        tec.quHoraTecnicaAHHORA1->setAsFloat(h1);
        tec.quHoraTecnicaAHHORA2->setAsFloat(h2);
        tec.quHoraTecnicaAHHORA3->setAsFloat(h3);
        tec.quHoraTecnicaAHHORA4->setAsFloat(h4);
        tec.quHoraTecnicaAHHORA5->setAsFloat(h5);
    }
};

TEST_F(CadastrosTest, EmptyLaterHourPricesRepeatTheLastPriceAndAFirstHourOfZeroIsRefused)
{
    TdmTec& tec = *dmTec;
    exec("insert into AATC04AH (AHCODIGO, AHDESCRICAO, AHHORA1) values (4, 'Antiga', 10)");
    tec.quHoraTecnica->open();
    tec.quHoraTecnica->append();
    EXPECT_EQ(tec.quHoraTecnicaAHCODIGO->asInteger(), 5);
    EXPECT_EQ(tec.quHoraTecnicaAHTIPO->asString(), "E");
    EXPECT_DOUBLE_EQ(tec.quHoraTecnicaAHHORA3->asFloat(), 0);

    horas(0, 50, 0, 0, 0);
    dialogos->acknowledge("Valor da 1º hora deve ser informada.");
    EXPECT_THROW(tec.quHoraTecnica->post(), host::Abort);
    EXPECT_TRUE(tec.quHoraTecnica->editing()) << "the row stays for the user to mend";

    horas(80, 0, 70, 0, 0);
    tec.quHoraTecnica->post();
    QStringList gravadas;
    for (const char* hora : {"AHHORA1", "AHHORA2", "AHHORA3", "AHHORA4", "AHHORA5"})
        gravadas << QString::number(one(QString("select %1 from AATC04AH where AHCODIGO = 5").arg(hora)).toDouble());
    EXPECT_EQ(gravadas.join('/'), "80/80/70/70/70");
}

TEST_F(CadastrosTest, TechnicianDefaultsAndWhoChangesOrdersMayWriteReports)
{
    TdmTec& tec = *dmTec;
    tecnico(3, "Ana", "S");
    tec.CarregarTecnicos(0, false);
    host::clearHookCalls();
    tec.quTecnicos->append();
    EXPECT_EQ(tec.quTecnicosATCODIGO->asInteger(), 4);
    EXPECT_EQ(tec.quTecnicosATALTERAROS->asString() + tec.quTecnicosATALTERARLAUDO->asString() +
                  tec.quTecnicosATACESSORESTRITO->asString() + tec.quTecnicosATATIVO->asString() +
                  tec.quTecnicosATALTERARSITUACAO->asString(),
              "NNSST");
    tec.quTecnicosATNOME->setAsString("Rui");
    tec.quTecnicosATALTERAROS->setAsString("S");
    tec.quTecnicos->post();
    EXPECT_EQ(one("select ATALTERARLAUDO from AATC06AT where ATCODIGO = 4").toString(), "S");
    EXPECT_EQ(host::hookCallTexts(),
              (QStringList{"quTecnicos:ONNEWRECORD", "quTecnicos:BEFOREPOST", "quTecnicos:AFTERPOST"}));
}

TEST_F(CadastrosTest, EquipmentOfANewTechnicianSavesTheTechnicianFirstAndLooksUpTheModel)
{
    TdmTec& tec = *dmTec;
    novoTecnicoComModelo7();
    EXPECT_EQ(one("select count(*) from AATC06AT where ATNOME = 'Rui'").toInt(), 1) << "saved before its detail";
    EXPECT_EQ(tec.quTecEquipATCODIGO->asInteger(), tec.quTecnicosATCODIGO->asInteger());
    EXPECT_EQ(tec.quTecEquipATITSEQUENCIA->asInteger(), 1);
    tec.quTecEquipAECODIGO->setText("7");
    EXPECT_EQ(tec.quTecEquipEQUIPAMENTO->asString(), "Modelo 7");
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quTecEquipAECODIGO->setText("99"), host::Abort);
    EXPECT_EQ(tec.quTecEquipAECODIGO->asInteger(), 99) << "the typed code stays";
    EXPECT_EQ(tec.quTecEquipEQUIPAMENTO->asString(), "Modelo 7") << "nothing else is filled";
}

TEST_F(CadastrosTest, ADeletedTechnicianTakesItsModelsAndTheNextOneStartsWithNone)
{
    TdmTec& tec = *dmTec;
    novoTecnicoComModelo7();
    tec.quTecEquipAECODIGO->setText("7");
    tec.quTecEquip->post();
    const int codigo = tec.quTecnicosATCODIGO->asInteger();
    ASSERT_EQ(one("select count(*) from AATC06ATIT where ATCODIGO = " + QString::number(codigo)).toInt(), 1);

    tec.quTecnicos->remove();
    EXPECT_EQ(one("select count(*) from AATC06ATIT where ATCODIGO = " + QString::number(codigo)).toInt(), 0);
    // The next technician must not inherit the models; its code is a new one,
    // so nothing stored under the deleted code is ever read as its own.
    tec.quTecnicos->append();
    EXPECT_GT(tec.quTecnicosATCODIGO->asInteger(), codigo);
    tec.quTecnicosATNOME->setAsString("Ana");
    tec.quTecnicos->post();
    tec.quTecnicosAfterScroll(*tec.quTecnicos);
    EXPECT_TRUE(tec.quTecEquip->isEmpty());
}

TEST_F(CadastrosTest, ContractEquipmentAndServiceRowsShareOneKeySequence)
{
    TdmTec& tec = *dmTec;
    contratoGravado();
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COIDENTIFICADOR, COCIDADE) values (7, 1, 'S', 'S1')");
    tec.quContEquip->append();
    EXPECT_EQ(tec.quContEquipCOCODIGO->asInteger(), 8) << "after a service row with 7";
    EXPECT_EQ(tec.quContEquipACCODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quContEquipCOIDENTIFICADOR->asString(), "E");
    tec.quContEquip->post();
    tec.quContServ->append();
    EXPECT_EQ(tec.quContServCOCODIGO->asInteger(), 9);
    EXPECT_EQ(tec.quContServCOIDENTIFICADOR->asString(), "S");
    tec.quContServCOCIDADE->setText("S1");
    EXPECT_EQ(tec.quContServCOENDERECO->asString(), "Manutenção");
    EXPECT_DOUBLE_EQ(tec.quContServCOVALOR->asFloat(), 90);
    tec.quContServ->post();
    EXPECT_EQ(one("select count(*) from AUGC03CO where ACCODIGO = 1").toInt(), 3);

    exec("insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS) values ('P1', 'Peça', '0')");
    tec.quContServ->append();
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quContServCOCIDADE->setText("P1"), host::Abort) << "only services";
}

TEST_F(CadastrosTest, EquipmentRowsCarryTheLastSavedAddressExceptInVehicleMode)
{
    TdmTec& tec = *dmTec;
    contratoGravado();
    tec.quContEquip->append();
    EXPECT_EQ(tec.quContEquipCOENDERECO->asString(), "") << "the first row after loading";
    tec.quContEquipCOENDERECO->setAsString("Rua A, 10");
    tec.quContEquipCOBAIRRO->setAsString("Centro");
    tec.quContEquipCOCIDADE->setAsString("Campinas");
    tec.quContEquipCOESTADO->setAsString("SP");
    tec.quContEquip->post();
    tec.quContEquip->append();
    EXPECT_EQ(tec.quContEquipCOENDERECO->asString() + "|" + tec.quContEquipCOBAIRRO->asString() + "|" +
                  tec.quContEquipCOCIDADE->asString() + "|" + tec.quContEquipCOESTADO->asString(),
              "Rua A, 10|Centro|Campinas|SP");
    tec.quContEquip->cancel();

    dmGlobal->SetParametro("ATMODOVEICULO", "O");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AEIDENTIFICADOR)"
         " values (5, 'Caminhão', 'Volvo', 'FH', 'V')");
    tec.quContEquip->append();
    EXPECT_EQ(tec.quContEquipCOENDERECO->asString(), "") << "no address for vehicles";
    tec.quContEquipAECODIGO->setText("5");
    EXPECT_EQ(tec.quContEquipDESCEQUIP->asString(), "Caminhão");
    EXPECT_EQ(tec.quContEquipCOENDERECO->asString() + "/" + tec.quContEquipCOBAIRRO->asString(), "Volvo/FH");
    tec.quContEquip->post();
    dmGlobal->SetParametro("ATMODOVEICULO", "");
    tec.quContEquip->append();
    EXPECT_EQ(tec.quContEquipCOENDERECO->asString(), "Rua A, 10") << "a vehicle row is not remembered";
}

TEST_F(CadastrosTest, NewContractCreatesItsServiceProductWhenAskedAndIsRefusedWithoutOne)
{
    TdmTec& tec = *dmTec;
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS) values ('S1', 'Existente', '7')");
    tec.CarregaContrato(0);
    tec.quContrato->append();
    EXPECT_EQ(tec.quContratoACCODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quContratoACDATAIMPLANTACAO->asDateTime().date(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(tec.quContratoACLIMITEHORA->asFloat(), 0);
    tec.quContratoACDESCRICAO->setAsString("Suporte");
    tec.quContratoACVALOR->setAsFloat(150);
    tec.quContratoACNUMEROCONTRATO->setAsString("2026/1");

    dialogos->answer("Não", "Deseja salvar este contrato no cadastro de serviço?")
        .acknowledge("Informe um código do cadastro de serviço para este contrato");
    EXPECT_THROW(tec.quContrato->post(), host::Abort);

    dialogos->answer("Sim").enter("S1", "Informe o código para o contrato no cadastro de serviço")
        .acknowledge("Código informado já existe.");
    EXPECT_THROW(tec.quContrato->post(), host::Abort);
    EXPECT_EQ(one("select DESCRICAO from ACEC1101 where CODIGO = 'S1'").toString(), "Existente");

    dialogos->answer("Sim").enter("S9").acknowledge("Cadastro efetuado com sucesso.");
    tec.quContrato->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(one("select DESCRICAO || '/' || cast(PCO_VENDA as integer) || '/' || COM_FAB_S_FS from ACEC1101"
                  " where CODIGO = 'S9'").toString(),
              "Suporte/150/7");
    EXPECT_EQ(one("select cast(DATA_CADASTRO as date) from ACEC1101 where CODIGO = 'S9'").toDate(),
              QDate::currentDate());
    EXPECT_EQ(one("select PRCODIGO from AATC05AC where ACCODIGO = 1").toString(), "S9");

    tec.quContratoACNUMEROCONTRATO->setAsString("");
    dialogos->acknowledge("Preenchimento do Nº do Contrato obrigatório");
    EXPECT_THROW(tec.quContrato->post(), host::Abort) << "an edit is not asked about the product";
}

TEST_F(CadastrosTest, DetailsOfANewContractSaveTheContractFirst)
{
    TdmTec& tec = *dmTec;
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS) values ('S1', 'Serviço', '7')");
    tec.CarregaContrato(0);
    tec.quContrato->append();
    tec.quContratoPRCODIGO->setAsString("S1");
    tec.quContratoACNUMEROCONTRATO->setAsString("5");
    tec.quContServ->open();
    tec.quContServ->append();
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 1);
    EXPECT_EQ(tec.quContServACCODIGO->asInteger(), 1);
}

TEST_F(CadastrosTest, ContractPriorityAndServiceCaptions)
{
    TdmTec& tec = *dmTec;
    contratoGravado();
    tec.quContrato->edit();
    tec.quContratoACATENDIMENTO->setAsString("E");
    tec.quContratoACPRIORIDADE->setAsString("M");
    EXPECT_EQ(tec.quContratoACATENDIMENTO->displayText(), "Externo");
    EXPECT_EQ(tec.quContratoACPRIORIDADE->displayText(), "Média");
    tec.quContratoACATENDIMENTO->setAsString("X");
    tec.quContratoACPRIORIDADE->setAsString("X");
    EXPECT_EQ(tec.quContratoACATENDIMENTO->displayText(), "");
    EXPECT_EQ(tec.quContratoACPRIORIDADE->displayText(), "");
    tec.quContrato->cancel();
}

TEST_F(CadastrosTest, DefectAndModelKeysAndTheVehicleKindOfNewModels)
{
    TdmTec& tec = *dmTec;
    modelo(7, "E");
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (12, 'Queimado')");
    tec.CarregaDefeito(0);
    tec.quDefeito->append();
    EXPECT_EQ(tec.quDefeitoADCODIGO->asInteger(), 13);
    tec.quDefeito->cancel();
    dmGlobal->SetParametro("ATMODOVEICULO", "O");
    tec.CarregaEquipamento(0);
    tec.quEquipamento->append();
    EXPECT_EQ(tec.quEquipamentoAECODIGO->asInteger(), 8);
    EXPECT_EQ(tec.quEquipamentoAEIDENTIFICADOR->asString(), "V");
}

}  // namespace
}  // namespace tectest
