// Service lines: a new line's defaults and item, the hour pricing and the
// worked minutes, the product rule, the checks and pricing of a save, the
// items a purchase order's line inserts, what follows saving and deleting,
// and what saving a line costs in statements.

#include "tests/tec/AndamentoFixture.h"

#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

namespace tectest {
namespace {

using host::data::DatasetState;

class ServicosTest : public AndamentoTest {};

// ---- new line ------------------------------------------------------------------------

TEST_F(ServicosTest, NewLineDefaultsByKindOfOrder)
{
    servico(7, 4, 10);   // the order's highest line
    abrirServicos();
    TdmTec& tec = *dmTec;
    tec.quOSAndamento->append();
    EXPECT_EQ(tec.quOSAndamentoAACODIGO->asInteger(), 5);
    EXPECT_EQ(tec.quOSAndamentoAOCODIGO->asInteger(), 7);
    EXPECT_EQ(tec.quOSAndamentoAOITCODIGO->asInteger(), 1) << "the current item";
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 1) << "kind A";
    EXPECT_EQ(texto(tec.quOSAndamentoAAAUTORIZADO), "S");
    EXPECT_EQ(texto(tec.quOSAndamentoAATIPO), "3");
    EXPECT_EQ(tec.quOSAndamentoAADATA->asDateTime().date(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAHHORA1), 0) << "every float zeroed";
    EXPECT_EQ(host::hookCalls().last().event, "ONNEWRECORD");
    tec.quOSAndamento->cancel();

    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 7");
    abrirServicos();
    tec.quOSAndamento->append();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 0) << "a remanufacture order starts without quantity";
    tec.quOSAndamento->cancel();
}

TEST_F(ServicosTest, AnOrderWithoutItemsTakesNoLineUnlessItsDefaultItemCanBeMade)
{
    exec("delete from AATC01AOIT");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (99, 'Extintor')");
    abrirServicos();
    TdmTec& tec = *dmTec;
    dialogos->acknowledge("Não há equipamento válido cadastrado");
    EXPECT_THROW(tec.quOSAndamento->append(), host::Abort);
    EXPECT_EQ(tec.quOSAndamento->state(), DatasetState::Browse) << "no row appended";

    parametro("ATREMANUFATURA", "S");
    parametro("ATEQUIPAMENTOPADRAO", "99");
    tec.quOSAndamento->append();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPCODIGO = 99").toInt(), 1);
    EXPECT_EQ(tec.quOSAndamentoAOITCODIGO->asInteger(), tec.quOSItemAOITCODIGO->asInteger())
        << "the line belongs to the default item";
    tec.quOSAndamento->cancel();
}

// ---- hour pricing and worked minutes -----------------------------------------------

TEST_F(ServicosTest, HourPricingOfTheWorkedExample)
{
    novoServico();
    precosHora("E", 50, 40, 30, 30, 20);
    EXPECT_DOUBLE_EQ(precoHoras("E", 150), 105.00) << "half of the third hour's 30, plus 50 and 40";
    EXPECT_DOUBLE_EQ(precoHoras("C", 150), 120.00) << "rounded up to three hours";
    EXPECT_DOUBLE_EQ(precoHoras("B", 150), 90.00) << "the half hour dropped";
    for (const char* tipo : {"E", "C", "B"})
        EXPECT_DOUBLE_EQ(precoHoras(tipo, 420), 210.00) << tipo << ": every hour after the fifth at the fifth's";
}

TEST_F(ServicosTest, HourPricingAtTheFirstHourAndWithoutPrices)
{
    novoServico();   // 1 x 40
    TdmTec& tec = *dmTec;
    precosHora("E", 50, 40, 30, 30, 20);
    EXPECT_DOUBLE_EQ(precoHoras("B", 59), 40) << "nothing by the hour: quantity x unit value";
    EXPECT_DOUBLE_EQ(precoHoras("C", 59), 50) << "one first hour";
    EXPECT_DOUBLE_EQ(precoHoras("E", 61), 50.66) << "50 + 40/60, cut to cents";
    EXPECT_DOUBLE_EQ(precoHoras("E", 0), 40);
    tec.quOSAndamentoAADESCONTO->setAsFloat(10);
    EXPECT_DOUBLE_EQ(precoHoras("E", 150), 94.50) << "the discount on the hours";
    precosHora("E", 0, 0, 0, 0, 0);
    tec.quOSAndamentoAAQUANTIDADE->setAsFloat(3);
    tec.quOSAndamentoAAQUANTIDADEREQUERIDA->setAsFloat(2);
    EXPECT_DOUBLE_EQ(precoHoras("E", 150), 108) << "an hour type without prices: 3 x 40 less 10 %";
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTALREQUERIDO), 80) << "requested: no discount";
}

TEST_F(ServicosTest, WorkedMinutesFromTypedTimes)
{
    novoServico();
    EXPECT_EQ(minutos("23:30", "00:15"), 45) << "across midnight";
    EXPECT_EQ(minutos("08:00", "12:00", "30"), 210) << "less the break";
    EXPECT_EQ(minutos("10:00", "09:00"), 1380) << "an earlier end is the next day";
    EXPECT_EQ(minutos("08:00", "08:20", "30"), 0) << "a break longer than the work leaves no minutes";
    dmTec->quOSAndamentoAAHORAINICIO->clear();
    EXPECT_EQ(minutos("  :  ", "01:00"), 60) << "an empty start counts as 0";
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoTotalHoraReferente), 1);
    dmTec->quOSAndamentoAATOTAL->setAsInteger(50);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoTotalHoraReferente), 0.83) << "hours cut to cents";
}

TEST_F(ServicosTest, SecondsBetweenTimes)
{
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(SegundosEntreHorarios(QDateTime(hoje, QTime(10, 0, 30)), QDateTime(hoje, QTime(10, 0))), 30);
    EXPECT_EQ(SegundosEntreHorarios(QDateTime(hoje, QTime(0, 0)), QDateTime(hoje, QTime(23, 59))), 60 - 86400 + 86400)
        << "the same day's later start: plus a day";
    EXPECT_EQ(SegundosEntreHorarios(QDateTime(), QDateTime()), 0);
}

TEST_F(ServicosTest, SavingPricesTheLineByItsHourType)
{
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAHCODIGO->setText("11");
    EXPECT_EQ(texto(tec.quOSAndamentoDESCHORA), "Normal");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAHHORA2), 40);
    minutos("08:00", "10:30");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 40) << "not priced by the hour before the save";
    tec.quOSAndamento->post();
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 105);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORSERVICO), 105) << "the order's services re-totalled";

    tec.quOSAndamento->edit();
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quOSAndamentoAHCODIGO->setText("12"), host::Abort);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAHHORA1), 50) << "the prices stay";
    tec.quOSAndamento->cancel();
}

TEST_F(ServicosTest, PricingByPrintedQuantity)
{
    parametro("ATHORAPORQTDEIMPRESSA", "S");
    exec("update AATC04AH set AHHORA1 = 60 where AHCODIGO = 11");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAHCODIGO->setAsInteger(11);
    tec.quOSAndamentoAAQUANTIDADEIMPRESSA->setAsFloat(1.5);
    tec.quOSAndamento->post();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALOR), 60);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 1);
    EXPECT_EQ(tec.quOSAndamentoAATOTAL->asInteger(), 90);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 90);

    UpdateCampo("AATC01AA", "AAVALORTOTAL", "77", "where AOCODIGO = 7");
    tec.quOSAndamento->refresh();
    tec.quOSAndamento->edit();
    tec.quOSAndamentoAAOBSERVACAO->setAsString("sem mudança de preço");
    tec.quOSAndamento->post();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 77) << "an unchanged line is not priced again";

    tec.quOSAndamento->edit();
    tec.quOSAndamentoAAQUANTIDADEIMPRESSA->setAsFloat(2);
    tec.quOSAndamento->post();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 120);

    novoServico();
    tec.quOSAndamentoAAQUANTIDADEIMPRESSA->setAsFloat(3);
    tec.quOSAndamento->post();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 40) << "no hour type: as entered";
}

TEST_F(ServicosTest, WorkedMinutesFromTheTimeEntriesInModeT)
{
    parametro("ATMODOEMPRESA", "T");
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITINICIO, AAITFIM) values"
         " (7, 1, 1, '2026-01-05 08:00', '2026-01-05 09:00')");
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITINICIO, AAITFIM) values"
         " (7, 1, 2, '2026-01-05 14:00', '2026-01-05 14:30')");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAHCODIGO->setAsInteger(11);
    tec.quOSAndamento->post();
    EXPECT_EQ(tec.quOSAndamentoAATOTAL->asInteger(), 90);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 70) << "50 + 40/60 x 30";
}

// The entries' span comes back as a fraction of a day: 13 minutes must not
// become 12.999... and be cut to 12.
TEST_F(ServicosTest, WorkedMinutesFromTheTimeEntriesAreNotCutShortByOneMinute)
{
    parametro("ATMODOEMPRESA", "T");
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITINICIO, AAITFIM) values"
         " (7, 1, 1, '2026-01-05 08:00', '2026-01-05 08:13')");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAHCODIGO->setAsInteger(11);
    tec.quOSAndamento->post();
    EXPECT_EQ(tec.quOSAndamentoAATOTAL->asInteger(), 13);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 10.83) << "50/60 x 13";

    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITINICIO, AAITFIM) values"
         " (7, 1, 2, '2026-01-05 09:00', '2026-01-05 09:26')");
    tec.quOSAndamento->edit();
    tec.quOSAndamento->post();
    EXPECT_EQ(tec.quOSAndamentoAATOTAL->asInteger(), 39);
}

// ---- product rule --------------------------------------------------------------------

TEST_F(ServicosTest, ChoosingAServiceProduct)
{
    novoServico();
    TdmTec& tec = *dmTec;
    EXPECT_EQ(texto(tec.quOSAndamentoDESCRICAO), "Mão de obra");
    EXPECT_EQ(texto(tec.quOSAndamentoDESCRICAOGRUPO), "Fixação") << "the group's look-up";
    EXPECT_EQ(texto(tec.quOSAndamentoUNIDADE_MEDIDA), "H");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALOR), 40);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 40);

    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quOSAndamentoPRCODIGO->setText("X1"), host::Abort) << "not a service product";
    EXPECT_TRUE(tec.quOSAndamentoPRCODIGO->isNull());
    parametro("ATREMANUFATURA", "S");
    tec.quOSAndamentoPRCODIGO->setText("X1");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALOR), 15) << "in remanufacture any product serves";
}

TEST_F(ServicosTest, PromotionEndsTheDayBeforeItsDate)
{
    exec("update ACEC1101 set PRPRECOPROMOCIONAL = 33.339 where CODIGO = 'S1'");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 33.33) << "no end date: always";
    dmTec->quOSAndamento->cancel();
    exec("update ACEC1101 set PRDATAPROMOCAO = '" + QDate::currentDate().toString("yyyy-MM-dd") +
         "' where CODIGO = 'S1'");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 40) << "its last day no longer";
    dmTec->quOSAndamento->cancel();
    exec("update ACEC1101 set PRDATAPROMOCAO = '" + QDate::currentDate().addDays(1).toString("yyyy-MM-dd") +
         "' where CODIGO = 'S1'");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 33.33);
    EXPECT_TRUE(texto(dmTec->quOSAndamentoAAPROMOCAO).isEmpty()) << "the flag is never set here";
}

TEST_F(ServicosTest, DiscountSourcesAndPriceTables)
{
    parametro("ATDESCONTOPECA", "C");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAADESCONTO), 3) << "the customer's";
    dmTec->quOSAndamento->cancel();
    parametro("ATDESCONTOPECA", "P");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAADESCONTO), 4) << "the product's";
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALORTOTAL), 38.4);
    dmTec->quOSAndamento->cancel();
    parametro("ATDESCONTOPECA", "E");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAADESCONTO), 0) << "E is a source of parts lines only";
    dmTec->quOSAndamento->cancel();

    parametro("ATDESCONTOPECA", "");
    parametro("ATTABELAPRECO", "S");
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDDESCONTO, PDVALOR) values ('S1', '00001', 5, 80)");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAADESCONTO), 5);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 40) << "a discount: the value stays";
    dmTec->quOSAndamento->cancel();
    exec("update ACEC11PD set PDDESCONTO = 0");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 80);
    dmTec->quOSAndamento->cancel();

    parametro("ATTABELAPRECO", "R");
    exec("update or insert into RAMO (COD_RAMO, RADESCONTOSERV, RADESCONTOPROD) values ('R1', 6, 9)"
         " matching (COD_RAMO)");
    novoServico();
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAADESCONTO), 6) << "the line of business's service discount";
}

TEST_F(ServicosTest, KindOfServicePricesTheLineInRemanufacture)
{
    parametro("ATREMANUFATURA", "S");
    exec("update ACEC1101 set COD_LISTA_PRECO = 'CO2' where CODIGO = 'S1'");
    exec("insert into ACEC11DA (PRCODIGO, DAESPECIE, DAVALOR) values ('S1', 'CO2', 55)");
    exec("insert into ACEC11DA (PRCODIGO, DAESPECIE, DAVALOR) values ('S1', 'PQS', 0)");
    novoServico();
    EXPECT_EQ(texto(dmTec->quOSAndamentoAAESPECIE), "CO2");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 55);
    dmTec->quOSAndamentoAAESPECIE->setAsString("PQS");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSAndamentoAAVALOR), 55) << "a kind without value keeps the value";
}

TEST_F(ServicosTest, TypedQuantity)
{
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAAQUANTIDADE->setText("2,5");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 2.5);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 100);
    dialogos->acknowledge("Valor abc inválido.");
    EXPECT_THROW(tec.quOSAndamentoAAQUANTIDADE->setText("abc"), host::Abort);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 2.5);
}

TEST_F(ServicosTest, LookUpsOfTechnicianCheckItemAndEquipment)
{
    tecnico(3, "Ana", "S");
    exec("insert into AUGC20IV (IVCODIGO, IVDESCRICAO, PRCODIGO) values (4, 'Freios', 'S1')");
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 21, AOITEQUIPDESCRICAO = 'Furadeira' where AOITCODIGO = 1");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoATCODIGO->setAsInteger(3);
    EXPECT_EQ(texto(tec.quOSAndamentoATNOME), "Ana");
    tec.quOSAndamentoIVCODIGO->setAsInteger(4);
    EXPECT_EQ(texto(tec.quOSAndamentoIVDESCRICAO), "Freios");
    tec.quOSAndamentoAOITEQUIPCODIGO->setText("21");
    EXPECT_EQ(texto(tec.quOSAndamentoEQUIPAMENTO), "Furadeira");
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quOSAndamentoAOITEQUIPCODIGO->setText("22"), host::Abort);
}

// ---- checks before saving ----------------------------------------------------------

TEST_F(ServicosTest, RequiredItemDescriptionAndKind)
{
    abrirServicos();
    TdmTec& tec = *dmTec;
    tec.quOSAndamento->append();
    tec.quOSAndamentoAOITCODIGO->clear();
    dialogos->acknowledge("Preenchimento do equipamento obrigatório");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    tec.quOSAndamentoAOITCODIGO->setAsInteger(1);
    dialogos->acknowledge("Preenchimento da descrição do serviço obrigatório");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    EXPECT_EQ(tec.quOSAndamento->state(), DatasetState::Insert) << "the row stays in edit";
    parametro("ATUTILIZACONTRATOS", "S");
    // With contracts a line may go without a description, not without a service as well.
    dialogos->acknowledge("Preenchimento da descrição do serviço obrigatório");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    tec.quOSAndamentoPRCODIGO->setAsString("S1");
    tec.quOSAndamentoDESCRICAO->clear();
    parametro("ATREMANUFATURA", "S");
    dialogos->acknowledge("Preenchimento da Espécie de Recarga obrigatório");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    tec.quOSAndamentoAAESPECIE->setAsString("CO2");
    tec.quOSAndamento->post();
    EXPECT_EQ(one("select count(*) from AATC01AA where AOCODIGO = 7").toInt(), 1) << "no description with contracts";
}

TEST_F(ServicosTest, KeyTakenAgainAndStandardQuantityPassword)
{
    parametro("ATMODOEMPRESA", "P");
    parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
    exec("update ACEC1101 set PRQUANTIDADEPADRAO = 2 where CODIGO = 'S1'");
    novoServico();
    TdmTec& tec = *dmTec;
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 2) << "the standard quantity";
    servico(7, 1, 10);   // another station saved line 1 meanwhile
    tec.quOSAndamentoAAQUANTIDADE->setAsFloat(3);
    dialogos->enter("errada", "difere da qtde. padrão").acknowledge("Senha inválida!");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    dialogos->enter("segredo", "difere da qtde. padrão");
    tec.quOSAndamento->post();
    EXPECT_EQ(tec.quOSAndamentoAACODIGO->asInteger(), 2) << "the key read again before the insert";
}

TEST_F(ServicosTest, CheckItemRecordsTheVehiclesLastVerification)
{
    parametro("ATSITUACAOPORITEM", "S");
    exec("insert into AUGC20EVIV (EVCODIGO, IVCODIGO) values (8, 4)");
    exec("insert into AUGC20EVIV (EVCODIGO, IVCODIGO) values (8, 5)");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoEVCODIGO->setAsInteger(8);
    tec.quOSAndamentoIVCODIGO->setAsInteger(4);
    tec.quOSAndamento->post();
    EXPECT_EQ(one("select EVIVDATAULTIMAVERIFICACAO from AUGC20EVIV where IVCODIGO = 4").toDateTime().date(),
              QDate::currentDate());
    EXPECT_TRUE(one("select EVIVDATAULTIMAVERIFICACAO from AUGC20EVIV where IVCODIGO = 5").isNull());

    novoServico();
    tec.quOSAndamentoEVCODIGO->setAsInteger(8);
    tec.quOSAndamentoIVCODIGO->setAsInteger(5);
    tec.quOSAndamentoAAQUANTIDADE->setAsFloat(0);
    tec.quOSAndamento->post();
    EXPECT_TRUE(one("select EVIVDATAULTIMAVERIFICACAO from AUGC20EVIV where IVCODIGO = 5").isNull())
        << "a check item without quantity was not done";
}

TEST_F(ServicosTest, ALineNotSavedRecordsNoVerification)
{
    parametro("ATSITUACAOPORITEM", "S");
    parametro("ATMODOEMPRESA", "P");
    parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
    exec("update ACEC1101 set PRQUANTIDADEPADRAO = 2 where CODIGO = 'S1'");
    exec("insert into AUGC20EVIV (EVCODIGO, IVCODIGO) values (8, 4)");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoEVCODIGO->setAsInteger(8);
    tec.quOSAndamentoIVCODIGO->setAsInteger(4);
    tec.quOSAndamentoAAQUANTIDADE->setAsFloat(3);
    dialogos->enter("errada", "difere da qtde. padrão").acknowledge("Senha inválida!");
    EXPECT_THROW(tec.quOSAndamento->post(), host::Abort);
    tec.quOSAndamento->cancel();
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_TRUE(one("select EVIVDATAULTIMAVERIFICACAO from AUGC20EVIV where IVCODIGO = 4").isNull())
        << "the save was refused: the vehicle was not verified";

    // A line whose write fails records nothing either.
    novoServico();
    tec.quOSAndamentoEVCODIGO->setAsInteger(8);
    tec.quOSAndamentoIVCODIGO->setAsInteger(4);
    exec("create exception E_TESTE 'servico travado'");
    exec("create trigger TR_TESTE for AATC01AA before insert as begin exception E_TESTE; end");
    EXPECT_ANY_THROW(tec.quOSAndamento->post());
    tec.quOSAndamento->cancel();
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_TRUE(one("select EVIVDATAULTIMAVERIFICACAO from AUGC20EVIV where IVCODIGO = 4").isNull());
}

// ---- items inserted by a service -----------------------------------------------------

TEST_F(ServicosTest, ARequestedQuantityOfAPurchaseOrderInsertsOneItemPerUnit)
{
    parametro("ATEQUIPAMENTOPADRAO", "99");
    exec("set generator gen_aoitcodigo to 100");
    exec("update AATC01AO set AOREMANUFATURA = 'C' where AOCODIGO = 7");
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 99 where AOITCODIGO = 1");   // the placeholder
    novoServico();
    TdmTec& tec = *dmTec;
    dialogos->enter("2,5", "Informe a quantidade desejada:").answer("Sim", "Deseja inserir itens desse serviço?");
    tec.quOSAndamento->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADEREQUERIDA), 2.5);
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPCODIGO = 99").toInt(), 0)
        << "the placeholder gives way";
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPDESCRICAO = 'S1'"
                  " and AACODIGO = 1 and AOITORIGINAL = 'S' and AOITQUANTIDADE = 1").toInt(),
              3)
        << "2.5 gives 3";
    EXPECT_EQ(tec.quOSAndamentoAOITCODIGO->asInteger(), tec.quOSItemAOITCODIGO->asInteger());
    EXPECT_NE(tec.quOSAndamentoAOITCODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quOSItem->beforePost != nullptr && tec.quOSItem->afterPost != nullptr, true)
        << "the item handlers attached again";

    novoServico();
    dialogos->enter("1").answer("Não");
    tec.quOSAndamento->post();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7").toInt(), 3) << "no items without Sim";
}

TEST_F(ServicosTest, ALineWhoseWriteFailsTakesBackTheItemsItInserted)
{
    parametro("ATEQUIPAMENTOPADRAO", "99");
    exec("set generator gen_aoitcodigo to 100");
    exec("update AATC01AO set AOREMANUFATURA = 'C' where AOCODIGO = 7");
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 99 where AOITCODIGO = 1");   // the placeholder
    exec("create exception E_TESTE 'servico travado'");
    exec("create trigger TR_TESTE for AATC01AA before insert as begin exception E_TESTE; end");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAAQUANTIDADEREQUERIDA->setAsFloat(2);
    dialogos->answer("Sim", "Deseja inserir itens desse serviço?");
    EXPECT_ANY_THROW(tec.quOSAndamento->post());
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPDESCRICAO = 'S1'").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPCODIGO = 99").toInt(), 1)
        << "the placeholder is back";
    EXPECT_EQ(tec.quOSAndamentoAOITCODIGO->asInteger(), 1) << "the line points at an item that exists";
    EXPECT_EQ(tec.quOSItem->recordCount(), 1);

    // Saved again once the table accepts it: the items of this save only.
    exec("drop trigger TR_TESTE");
    dialogos->answer("Sim", "Deseja inserir itens desse serviço?");
    tec.quOSAndamento->post();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPDESCRICAO = 'S1'").toInt(), 2);
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7").toInt(), 2);
}

TEST_F(ServicosTest, ItemsOfAServiceAreAllOrNone)
{
    exec("update AATC01AO set AOREMANUFATURA = 'C' where AOCODIGO = 7");
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamentoAAQUANTIDADEREQUERIDA->setAsFloat(2);
    // The second item's key is taken: its insert fails.
    exec("set generator gen_aoitcodigo to 100");
    item(102, 7);
    dialogos->answer("Sim");
    EXPECT_ANY_THROW(tec.quOSAndamento->post());
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 7 and AOITEQUIPDESCRICAO = 'S1'").toInt(), 0);
    EXPECT_EQ(tec.quOSItem->beforePost != nullptr, true);
}

// ---- after saving and deleting ---------------------------------------------------------

TEST_F(ServicosTest, SavingCommitsAndDeletingLeavesAnAuditAndANewTotal)
{
    servico(7, 1, 30);
    novoServico();
    TdmTec& tec = *dmTec;
    tec.quOSAndamento->post();
    EXPECT_EQ(texto(tec.quOSAndamentoDESCRICAO), "Mão de obra") << "read again with its joined columns";
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORSERVICO), 70);
    EXPECT_EQ(host::hookCalls().last().event, "AFTERPOST");
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one("select count(*) from AATC01AA where AOCODIGO = 7").toInt(), 2) << "committed by the post";

    abrirServicos();
    tec.quOSAndamento->last();
    tec.quOSAndamento->remove();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORSERVICO), 30);
    EXPECT_EQ(one("select count(*) from ARQLOG where ACAO = 'Deletou Serviço da O.S.'"
                  " and OBSERVACAO = 'Número O.S./Código:7/S1'").toInt(),
              1);
    EXPECT_EQ(host::hookCalls().last().event, "AFTERDELETE");
}

// A line number is reused (the order's highest plus one): the time entries
// and defects of a deleted line must not pass to the next line, whose worked
// minutes are summed from its entries under company mode "T".
class ExclusaoServicoTest : public ServicosTest {
protected:
    void SetUp() override
    {
        ServicosTest::SetUp();
        servico(7, 1, 30);
        servico(7, 2, 40);
        for (int linha : {1, 2}) {
            exec(QString("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITINICIO, AAITFIM)"
                         " values (7, %1, 1, '2026-03-02 08:00', '2026-03-02 10:00')")
                     .arg(linha));
            exec(QString("insert into AATC01AAAD (AAADSEQUENCIA, ADCODIGO, AACODIGO, AOCODIGO, AOITCODIGO)"
                         " values (%1, 1, %1, 7, 1)")
                     .arg(linha));
        }
        abrirServicos();
        ASSERT_TRUE(dmTec->quOSAndamento->locate("AACODIGO", 2));
    }
    int detalhes(int linha)
    {
        return one(QString("select count(*) from AATC01AAIT where AOCODIGO = 7 and AACODIGO = %1").arg(linha)).toInt() +
               one(QString("select count(*) from AATC01AAAD where AOCODIGO = 7 and AACODIGO = %1").arg(linha)).toInt();
    }
    // Seen from another connection: what is committed.
    int gravadas(const QString& condicao)
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction transacao(outra);
        return host::db::selectValue(transacao, "select count(*) from AATC01AAIT where " + condicao).toInt();
    }
};

TEST_F(ExclusaoServicoTest, ADeletedLineTakesItsTimeEntriesAndDefects)
{
    dmTec->quOSAndamento->remove();
    EXPECT_EQ(detalhes(2), 0);
    EXPECT_EQ(detalhes(1), 2) << "another line keeps its own";
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(gravadas("AOCODIGO = 7 and AACODIGO = 2"), 0) << "durable with the deletion";

    // The next line takes number 2 again and starts without worked time.
    dmGlobal->SetParametro("ATMODOEMPRESA", "T");
    novoServico();
    ASSERT_EQ(dmTec->quOSAndamentoAACODIGO->asInteger(), 2);
    dmTec->quOSAndamento->post();
    EXPECT_EQ(dmTec->quOSAndamentoAATOTAL->asInteger(), 0);
}

TEST_F(ExclusaoServicoTest, ALineWhoseDeletionFailsKeepsItsTimeEntriesAndDefects)
{
    exec("create exception E_TESTE 'servico travado'");
    exec("create trigger TR_TESTE for AATC01AA before delete as begin exception E_TESTE; end");
    EXPECT_ANY_THROW(dmTec->quOSAndamento->remove());
    EXPECT_EQ(dmTec->quOSAndamentoAACODIGO->asInteger(), 2);
    EXPECT_EQ(detalhes(2), 2);
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(gravadas("AOCODIGO = 7 and AACODIGO = 2"), 1);
}

TEST_F(ServicosTest, OpeningTheLinesCommitsNothing)
{
    abrirServicos();
    UpdateCampo("AATC01AO", "AOLOCAL", "'99'", "where AOCODIGO = 7");   // pending work of the window
    dmTec->CarregaOSAndamento(7, 0);
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one("select AOLOCAL from AATC01AO where AOCODIGO = 7").toString(), "01") << "still undoable";
}

TEST_F(ServicosTest, TypingAServiceAndSavingTheLineCostsAFixedNumberOfStatements)
{
    modo("");
    abrirServicos();
    TdmTec& tec = *dmTec;
    testsupport::StatementCounter contador;
    tec.quOSAndamento->append();
    tec.quOSAndamentoPRCODIGO->setText("S1");
    EXPECT_EQ(contador.count(), 4) << "number, code, product, group";
    tec.quOSAndamento->post();
    // The parts line's 7 (insert, commit, refresh, the services' sum and the
    // header's post with its own commit), the number taken again, the read
    // of whether the order was billed, the savepoint taken and released
    // that keeps the line and the header's totals one unit, and the order's
    // row held as the line is written.
    EXPECT_EQ(contador.count(), 16);
}

}  // namespace
}  // namespace tectest
