// The header of a service order on a real database: the defaults of a new
// order under the parameters that change them, the customer, the priority's
// exit date, numbering and the refusals of a save, the history of a plate,
// the dead situation's exit date, the after-save in its order, and the cost
// of saving a new order.

#include "tests/tec/OSRegrasFixture.h"

#include "host/HostLog.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/ui/Form.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>

namespace tectest {
namespace {

using host::data::DatasetState;

class OSCabecalhoTest : public OSRegrasTest {
protected:
    void SetUp() override
    {
        OSRegrasTest::SetUp();
        cliente("00001", "Oficina Central");
    }
    // A new order appended to quOS (opened empty first, as the window does).
    void novaOrdem()
    {
        CarregaOrdemServico(0);
        dmTec->quOS->append();
    }
    QDate data(host::data::Field* campo) const { return campo->asDateTime().date(); }
};

TEST_F(OSCabecalhoTest, ANewOrderTakesTheDefaultsAndTheLastOrdersObservation)
{
    situacaoCom(3, "N");
    situacaoCom(4, "I");
    situacaoCom(5, "I");
    ordem(40);
    exec("update AATC01AO set AOOBSERVACAO = 'Ligar antes' where AOCODIGO = 40");
    ordem(12);
    parametro("ATLOCALPADRAO", "03");
    novaOrdem();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    EXPECT_TRUE(dmTec->quOSAOCODIGO->isNull()) << "numbered at the first save";
    EXPECT_EQ(dmTec->quOSAOLOCAL->asString(), "03");
    EXPECT_EQ(data(dmTec->quOSAODATAENTRADA), QDate::currentDate());
    EXPECT_FALSE(dmTec->quOSAOHORAENTRADA->isNull());
    EXPECT_EQ(dmTec->quOSAOPRIORIDADE->asString(), "A");
    EXPECT_EQ(dmTec->quOSAOATENDIMENTO->asString(), "I");
    EXPECT_EQ(dmTec->quOSAOBAIXA->asString(), "A");
    EXPECT_EQ(dmTec->quOSAOIMPRIMIRLAUDO->asString(), "S");
    EXPECT_EQ(dmTec->quOSAOOBSERVACAO->asString(), "Ligar antes");
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 4) << "the first initial situation";
    EXPECT_EQ(dmTec->quOSAOREMANUFATURA->asString(), "A");
    EXPECT_DOUBLE_EQ(dmTec->quOSAOVALORTOTAL->asFloat(), 0);
    EXPECT_TRUE(dmTec->quOSCLCODIGO->isNull());
    EXPECT_TRUE(dmTec->quOSAODATASAIDA->isNull());
    EXPECT_EQ(host::hookCallTexts().filter("quOS:").last(), "quOS:ONNEWRECORD");
}

TEST_F(OSCabecalhoTest, ModeOOrBCopiesNoObservation)
{
    ordem(40);
    exec("update AATC01AO set AOOBSERVACAO = 'Ligar antes' where AOCODIGO = 40");
    for (const char* modo : {"O", "B"}) {
        parametro("ATMODOEMPRESA", modo);
        novaOrdem();
        EXPECT_TRUE(dmTec->quOSAOOBSERVACAO->isNull()) << modo;
        dmTec->quOS->cancel();
    }
}

TEST_F(OSCabecalhoTest, RemanufactureAsksTheKindAndPurchaseTakesItsSituationAndTomorrow)
{
    situacaoCom(1, "I");
    situacaoCom(2, "R");
    situacaoCom(3, "C");
    parametro("ATREMANUFATURA", "S");
    dialogos->answer("Compra", "A ordem de serviço se refere à remanufatura ou assistência");
    novaOrdem();
    EXPECT_EQ(dmTec->quOSAOREMANUFATURA->asString(), "C");
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 3);
    EXPECT_EQ(data(dmTec->quOSAODATASAIDA), QDate::currentDate().addDays(1));
    EXPECT_EQ(dialogos->shown().front().options, (QStringList{"Remanufatura", "Assistência", "Compra"}));
    EXPECT_FALSE(dmTec->quOSSituacao->locate("ASCODIGO", 2)) << "remanufacture situations are not offered";
    dmTec->quOS->cancel();

    dialogos->answer("Remanufatura");
    novaOrdem();
    EXPECT_EQ(dmTec->quOSAOREMANUFATURA->asString(), "R");
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 2);
}

TEST_F(OSCabecalhoTest, TheDefaultCustomerBringsItsDataAndItsContractsDefaults)
{
    exec("insert into RAMO (COD_RAMO, RACOR) values ('01', 'clRed')");
    exec("update AUGC0301 set CGC_CNPJ = '12.345', TELEFONE1 = '3333-0000', CIDADE = 'Curitiba', RAMO = '01',"
         " CONTATO = 'Ana', TABELA_VENCIMENTO = '03', CODIGO_REPRESENTACAO = '00009', OBSERVACAO = 'Paga em dia',"
         " LIMITE_CREDITO = 1500, ORCTCODIGO = 4 where CODIGO_CLIENTE = '00001'");
    exec("insert into AUGC0501 (FCOD, FNOME) values ('00009', 'Carlos Vendas')");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACPRIORIDADE, ACATENDIMENTO) values (1, '00001', 'M', null)");
    parametro("ATCLIENTEPADRAOOS", " 00001 ");
    parametro("ATMOSTRAOBSCLIENTE", "S");
    parametro("ATHORASPRIORIDADEMEDIA", "48");
    dialogos->acknowledge("Paga em dia");
    novaOrdem();
    EXPECT_EQ(dmTec->quOSCLCODIGO->asString(), "00001");
    EXPECT_EQ(dmTec->quOSCLIENTE->asString(), "Oficina Central");
    EXPECT_EQ(dmTec->quOSCGC_CNPJ->asString(), "12.345");
    EXPECT_EQ(dmTec->quOSCIDADE->asString(), "Curitiba");
    EXPECT_EQ(dmTec->quOSRACOR->asString(), "clRed");
    EXPECT_EQ(dmTec->quOSTVCODIGO->asString(), "03");
    EXPECT_EQ(dmTec->quOSFOCODIGOVENDEDOR->asString(), "00009");
    EXPECT_EQ(dmTec->quOSNOMEVENDEDOR->asString(), "Carlos Vendas");
    EXPECT_EQ(dmTec->quOSORCTCODIGO->asInteger(), 4);
    EXPECT_DOUBLE_EQ(dmTec->quOSLIMITE_CREDITO->asFloat(), 1500);
    EXPECT_EQ(dmTec->quOSAOPRIORIDADE->asString(), "M") << "the contract's priority";
    EXPECT_EQ(dmTec->quOSAOATENDIMENTO->asString(), "I") << "an empty contract value changes nothing";
    EXPECT_EQ(dmTec->quOSAOCONTATO->asString(), "Ana");
    EXPECT_EQ(data(dmTec->quOSAODATASAIDA), QDate::currentDate().addDays(2)) << "priority M with 48 hours";
    EXPECT_EQ(dialogos->pending(), 0);

    dmTec->quOSFOCODIGOVENDEDOR->clear();
    EXPECT_TRUE(dmTec->quOSNOMEVENDEDOR->isNull());
}

TEST_F(OSCabecalhoTest, ABlockedCustomerIsRefusedBeforeAnyOfItsDataIsCopied)
{
    cliente("00002", "Devedor", "3");
    cliente("00003", "Novo Cliente", "N");
    parametro("ATMOSTRATIPOCLIENTE", "L");
    novaOrdem();
    dialogos->acknowledge("Cliente Bloqueado. Verifique no cadastro de clientes. ");
    EXPECT_THROW(dmTec->quOSCLCODIGO->setText("00002"), host::Abort);
    EXPECT_TRUE(dmTec->quOSCLCODIGO->isNull());
    EXPECT_TRUE(dmTec->quOSCLIENTE->isNull());

    dialogos->acknowledge("Novo");
    dmTec->quOSCLCODIGO->setText("00003");
    EXPECT_EQ(dmTec->quOSCLIENTE->asString(), "Novo Cliente");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSCabecalhoTest, LatePaymentBlocksTheCustomerOnValidationOrOnChangeByMode)
{
    exec("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, DATA_VENCIMENTO, VALOR_DOCUMENTO,"
         " SITUACAO_DOCUMENTO) values ('00001', '000001', 1, '2020-01-10', 100, 'A')");
    for (const char* modo : {"S", "O", "A"}) {
        parametro("ATBLOQUEIOATRASO", modo);
        novaOrdem();
        dialogos->acknowledge("Cliente com parcelas em atraso!");
        EXPECT_THROW(dmTec->quOSCLCODIGO->setText("00001"), host::Abort) << modo;
        EXPECT_EQ(dialogos->pending(), 0) << modo;
        dmTec->quOS->cancel();
    }
}

TEST_F(OSCabecalhoTest, PriorityHoursGiveWholeDaysAtTheEntryTime)
{
    struct {
        const char* parametro;
        const char* horas;
        const char* prioridade;
        int dias;   // -1: exit date untouched
    } casos[] = {
        {"ATHORASPRIORIDADEALTA", "36", "A", 1},  {"ATHORASPRIORIDADEALTA", "23", "A", 0},
        {"ATHORASPRIORIDADEBAIXA", "72", "B", 3}, {"ATHORASPRIORIDADEMEDIA", "24", "U", -1},
        {"ATHORASPRIORIDADEALTA", "0", "A", -1},
    };
    for (const auto& caso : casos) {
        parametro(caso.parametro, caso.horas);
        novaOrdem();
        dmTec->quOSAODATAENTRADA->setValue(QDate(2026, 3, 10));
        dmTec->quOSAOHORAENTRADA->setValue(QTime(14, 30));
        dmTec->quOSAODATASAIDA->clear();
        dmTec->quOSAOPRIORIDADE->setAsString(caso.prioridade);
        if (caso.dias < 0) {
            EXPECT_TRUE(dmTec->quOSAODATASAIDA->isNull()) << caso.horas << caso.prioridade;
        } else {
            EXPECT_EQ(data(dmTec->quOSAODATASAIDA), QDate(2026, 3, 10).addDays(caso.dias)) << caso.horas;
            EXPECT_EQ(dmTec->quOSAOHORASAIDA->asDateTime().time(), QTime(14, 30));
        }
        dmTec->quOS->cancel();
        parametro(caso.parametro, "0");
    }
}

TEST_F(OSCabecalhoTest, PlateModeCancelledLeavesNoValidity)
{
    parametro("ATMODOOS", "A");
    dialogos->cancel("Informe a placa para abertura de Ordem de Serviço");
    novaOrdem();
    EXPECT_TRUE(dmTec->quOSAOVALIDADEORCAMENTO->isNull());

    dmTec->quOS->cancel();
    dialogos->enter("ABC1234");
    // No item has the plate: the vehicle-model search opens, here cancelled.
    dialogos->modal("fmPesquisa", [](host::ui::Form&) {});
    novaOrdem();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    EXPECT_EQ(data(dmTec->quOSAOVALIDADEORCAMENTO), QDate::currentDate().addDays(30));
    EXPECT_EQ(sAuxiliarGeral, "ABC-1234");
}

TEST_F(OSCabecalhoTest, AUserWhoIsNoTechnicianCannotStartAnOrderInTechnicianMode)
{
    tecnicoCom(1, "JOAO", "S");
    entrarComo("PEDRO");
    parametro("ATCONTROLEOS", "S");
    CarregaOrdemServico(0);
    host::clearHookCalls();
    dialogos->acknowledge("Usuário conectado não está cadastrado como Técnico.");
    EXPECT_THROW(dmTec->quOS->append(), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_TRUE(dmTec->quOS->isEmpty());
    EXPECT_FALSE(host::hookCallTexts().contains("quOS:ONNEWRECORD")) << "nothing runs after the cancel";

    entrarComo("JOAO");
    parametro("ATCONTROLEOS", "C");
    novaOrdem();
    EXPECT_EQ(dmTec->quOSAOATENDENTE->asString(), "JOAO");
}

TEST_F(OSCabecalhoTest, NumberingGivesTheNextNumberAndRefusesBadOnes)
{
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 1) << "the first order of an empty table";
    ordem(41);
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    EXPECT_EQ(one("select CLCODIGO from AATC01AO where AOCODIGO = 42").toString(), "00001");

    novaOrdem();
    dialogos->acknowledge("Preenchimento do cliente obrigatório");
    EXPECT_THROW(dmTec->quOS->post(), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    dmTec->quOS->cancel();

    parametro("ATNUMEROOSDIGITADO", "S");
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dialogos->acknowledge("Número da Ordem de Serviço Inválido.");
    EXPECT_THROW(dmTec->quOS->post(), host::Abort);
    dmTec->quOSAOCODIGO->setAsInteger(41);
    dialogos->acknowledge("Número da Ordem de Serviço já cadastrado.");
    EXPECT_THROW(dmTec->quOS->post(), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert) << "the user's values stay";
    dmTec->quOSAOCODIGO->setAsInteger(500);
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(contar("AATC01AO", "AOCODIGO = 500"), 1);
    EXPECT_EQ(dialogos->pending(), 0);
}

// Two desks save new orders at once: each reads the same last number, and
// the one that writes second takes the next free number instead of failing.
TEST_F(OSCabecalhoTest, ANumberAnotherDeskIsSavingIsSkippedAndTheOrderStillSaved)
{
    ordem(41);
    host::db::Connection outraMesa;
    outraMesa.open({dbPath});
    host::db::Transaction gravando(outraMesa);
    host::db::executeSql(gravando, "insert into AATC01AO (AOCODIGO, CLCODIGO) values (42, '00002')");

    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43) << "42 is the other desk's, not yet committed";
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    gravando.commit();
    EXPECT_EQ(one("select list(AOCODIGO || ':' || CLCODIGO, ' ') from (select AOCODIGO, CLCODIGO from AATC01AO"
                  " where AOCODIGO > 41 order by AOCODIGO)").toString(),
              "42:00002 43:00001");

    // Stored by the other desk since this one read the last number: skipped too.
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    host::db::executeSql(gravando, "insert into AATC01AO (AOCODIGO, CLCODIGO) values (44, '00002')");
    gravando.commit();
    dmTec->quOSAOCODIGO->setAsInteger(44);   // as if read before that commit
    {
        host::data::DetachHandler semNumerar(dmTec->quOS->beforePost);
        SalvarAlteracoes(*dmTec->quOS);
    }
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 45);

    // A number the user typed is the user's: taken, it is refused as before.
    parametro("ATNUMEROOSDIGITADO", "S");
    host::db::executeSql(gravando, "insert into AATC01AO (AOCODIGO, CLCODIGO) values (90, '00002')");
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dmTec->quOSAOCODIGO->setAsInteger(90);
    EXPECT_ANY_THROW(dmTec->quOS->post());
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    dmTec->quOS->cancel();
    gravando.rollback();
}

TEST_F(OSCabecalhoTest, ALockedPeriodRefusesTheSaveSilently)
{
    parametro("ATDATABLOQUEIOOS", "31/12/2030");
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    EXPECT_THROW(dmTec->quOS->post(), host::Abort);
    EXPECT_TRUE(dialogos->shown().empty());
}

TEST_F(OSCabecalhoTest, TechnicianModeSRequiresASituationAndFillsTheAttendant)
{
    parametro("ATCONTROLEOS", "S");
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dialogos->acknowledge("Preenchimento da Situação obrigatório. Verifique no sistema se há alguma situação "
                          "cadastrada com tipo Inicial.");
    EXPECT_THROW(dmTec->quOS->post(), host::Abort);
    EXPECT_EQ(dmTec->quOSAOATENDENTE->asString(), "SYSDBA") << "the master user has no technician: blank attendant";
}

TEST_F(OSCabecalhoTest, ADeadSituationStampsTheExitDateOnEverySave)
{
    situacaoCom(9, "M");
    ordem(7, "00001", "A", 9);
    exec("update AATC01AO set AODATASAIDA = '2020-01-01' where AOCODIGO = 7");
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(one("select cast(AODATASAIDA as date) from AATC01AO where AOCODIGO = 7").toDate(),
              QDate::currentDate());
    EXPECT_FALSE(one("select AOHORASAIDA from AATC01AO where AOCODIGO = 7").isNull());
}

TEST_F(OSCabecalhoTest, EmailModeMarksTheItemsUnreportedWhenTheSituationChanged)
{
    situacaoCom(1, "I");
    situacaoCom(2, "N");
    ordem(7, "00001", "A", 1);
    item(1, 7);
    item(2, 7);
    exec("update AATC01AOIT set AOITEMAILENVIADO = 'S'");
    parametro("ATMODOOS", "E");
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Rui");
    dmTec->quOS->post();
    EXPECT_EQ(contar("AATC01AOIT", "AOITEMAILENVIADO = 'S'"), 2) << "same situation: the flags stay";
    dmTec->quOSASCODIGO->setAsInteger(2);   // saved at once
    EXPECT_EQ(contar("AATC01AOIT", "AOITEMAILENVIADO = 'N'"), 2);
}

TEST_F(OSCabecalhoTest, TheHistoryOfOrder120ListsItsLastThreeOrdersOfThePlate)
{
    parametro("ATMODOEMPRESA", "H");
    int dia = 1;
    for (int numero : {100, 105, 110, 115}) {
        ordem(numero);
        exec(QString("update AATC01AO set AODATAENTRADA = '2026-02-%1' where AOCODIGO = %2").arg(dia++).arg(numero));
        item(numero, numero);
        exec(QString("update AATC01AOIT set AOITPLACA = 'ABC-1234' where AOITCODIGO = %1").arg(numero));
    }
    exec("update AATC01AO set AOCAUSA = 'Freio gasto' where AOCODIGO = 110");
    ordem(120);
    item(120, 120);
    exec("update AATC01AOIT set AOITPLACA = 'ABC-1234' where AOITCODIGO = 120");
    CarregaOrdemServico(120);
    dmTec->quOS->edit();
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(dmTec->quOSAOHISTORICO->asString(),
              "OS: 115 04/02/26 - Solução: não informado. "
              "OS: 110 03/02/26 - Solução: Freio gasto"
              "OS: 105 02/02/26 - Solução: não informado. ");
}

TEST_F(OSCabecalhoTest, TheAfterSaveCommitsAuditsAndResetsTheMarker)
{
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dmTec->quOS->setTag(8);
    dmTec->quOS->post();
    EXPECT_EQ(dmTec->quOS->tag(), 0) << "the internal-change marker is reset";
    const int ordem = dmTec->quOSAOCODIGO->asInteger();
    EXPECT_EQ(one("select ACAO || '|' || OBSERVACAO || '|' || TABELA from ARQLOG where TABELA = 'AATC01AO'")
                  .toString(),
              QString("Alterou Ordem de Serviço %1|Cliente/Data/Operação: %1/00001|AATC01AO").arg(ordem));

    // Stored for good: another attachment sees the order.
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    EXPECT_EQ(host::db::selectValue(transacao, QString("select count(*) from AATC01AO where AOCODIGO = %1").arg(ordem))
                  .toInt(),
              1);
}

TEST_F(OSCabecalhoTest, SavingANewOrderCostsAFixedNumberOfStatements)
{
    situacaoCom(1, "I");
    novaOrdem();
    dmTec->quOSCLCODIGO->setAsString("00001");
    testsupport::StatementCounter contador;
    dmTec->quOS->post();
    const int custo = contador.count();
    std::printf("[ cost ] saving a new order header (default parameters): %d statements\n", custo);
    // Number (max + 1), the insert, the audit record, the row read again; the
    // situation was read when the new order took it, a new order has no lines
    // to sum, and the commit and the hook cost none.
    EXPECT_EQ(custo, 1 + 1 + 1 + 1);
    EXPECT_EQ(dmTec->quOSAOVALORTOTAL->asFloat(), 0.0);
    EXPECT_EQ(one("select AOVALORTOTAL + AOVALORSERVICO + AOVALORPECAS + AODESPDIVERSAS + AODESPVIAGEM"
                  " + AOVALORPROJETO + AOVALORIPI + AOVALORPECASREQUERIDO + AOVALORSERVICOSREQUERIDO from AATC01AO")
                  .toDouble(),
              0.0);
}

TEST_F(OSCabecalhoTest, TheStatusTextsTellWhatBecameOfTheSalesOrders)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF, OPERACAO) values ('000101', '00001', 'S', '51020')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF, OPERACAO) values ('000102', '00001', 'N', '51020')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF, OPERACAO) values ('000103', '00001', 'S', '00000')");
    exec("insert into ACEM1401 (DOCUMENTO, COD_PEDIDO, DATA) values ('777', '000101', '2026-01-02')");
    exec("insert into ACEM1401 (DOCUMENTO, COD_PEDIDO, DATA) values ('778', '000101', '2026-01-05')");
    ordem(7);
    exec("update AATC01AO set VECODIGO = '000101', VECODIGODEVOLUCAO = '000102' where AOCODIGO = 7");
    ordem(8);
    exec("update AATC01AO set VECODIGO = '000103', VECODIGODEVOLUCAO = '000999' where AOCODIGO = 8");
    CarregaOrdemServico(7);
    EXPECT_EQ(dmTec->quOSStatusPV->asString(), "Impresso Documento 778") << "the newest document";
    EXPECT_EQ(dmTec->quOSStatusPedidoDevolucao->asString(), "Pedido na fila de Impressão");
    CarregaOrdemServico(8);
    EXPECT_EQ(dmTec->quOSStatusPV->asString(), "Pedido de Pendência");
    EXPECT_EQ(dmTec->quOSStatusPedidoDevolucao->asString(), "Pedido não impresso");

    // A rule holding the shared auxiliary query open keeps it while the texts are read.
    dmGlobal->quAuxiliar->setSql("select AOCODIGO from AATC01AO order by AOCODIGO");
    dmGlobal->quAuxiliar->open();
    CarregaOrdemServico(7);
    EXPECT_TRUE(dmGlobal->quAuxiliar->active());
    dmGlobal->quAuxiliar->close();
}

}  // namespace
}  // namespace tectest
