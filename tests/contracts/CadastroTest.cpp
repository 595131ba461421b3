// The contract header's rules: a new contract's key and defaults, the steps
// of a post and their order, the cancellation of a contract's receivables,
// what a deletion takes with it, and a refused post that leaves nothing.

#include "tests/contracts/CadastroFixture.h"

#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

namespace contractstest {
namespace {

using CadastroTest = CadastroFixture;

TEST_F(CadastroTest, NewContractTakesItsDefaultsWithoutRunningTheDueDayRuleOnTheZeroing)
{
    global->SetParametro("ATLOCALPADRAO", "03");
    CarregaContrato(0);
    dm->quCtrCadastro->append();
    // Day 0 would have warned "Dia inválido para vencimento".
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(campo("ACVENCIMENTO")->asInteger(), 1);
    EXPECT_EQ(campo("ACSITUACAO")->asString(), "A");
    EXPECT_EQ(campo("ACLOCAL")->asString(), "03");
    QString letras;
    for (const char* nome : {"ACSEPARASERVICO", "ACVALORFIXO", "ACTIPO", "ACMODALIDADE", "ACNATUREZA", "ACPERIODO",
                             "ACTIPOPAGAMENTO", "ACPORTADORPREVISAO", "ACJUROAPLICAR", "ACINDICEREAJUSTE",
                             "ACRENOVACAO", "ACJUROAPLICARPARCELA"})
        letras += campo(nome)->asString();
    EXPECT_EQ(letras, "NNIAAA2PPSNN");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), 0);
    EXPECT_FALSE(campo("ACLIMITE")->isNull());
    dm->quCtrCadastro->cancel();

    global->SetParametro("ATMODOPEDIDOASSISTENCIA", "C");
    dm->quCtrCadastro->append();
    EXPECT_EQ(campo("ACSITUACAO")->asString(), "2");
}

TEST_F(CadastroTest, KeysComeFromOneSourceAboveEveryStoredContract)
{
    exec("insert into AATC05AC (ACCODIGO) values (41)");
    CarregaContrato(0);
    dm->quCtrCadastro->append();
    EXPECT_EQ(dm->quCtrCadastroACCODIGO->asInteger(), 42);
    // A second desk drawing before the first has posted gets another key.
    EXPECT_EQ(ProximaChave("GEN_ACCODIGO", "ACCODIGO", "AATC05AC"), 43);
    campo("CLCODIGO")->setAsString("C0001");
    dm->quCtrCadastro->post();
    exec("insert into AATC05AC (ACCODIGO) values (60)");
    EXPECT_EQ(ProximaChave("GEN_ACCODIGO", "ACCODIGO", "AATC05AC"), 61);
}

TEST_F(CadastroTest, PostRunsItsStepsInOrder)
{
    global->SetParametro("ATSITUACAOPORITEM", "S");
    setOption("E");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACTIPODESC) values (2, 'C0001', 'Locação')");
    contratoGravado("ACTIPODESC = 'Locação', ACDATAIMPLANTACAO = '01/01/2020', ACDATAVALIDADE = '01/01/2021'");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (1, 7, 1, 'A')");
    abreContrato();
    dialogs->answer("Não", "Deseja excluir provisões do contrato?");
    campo("ACSITUACAO")->setAsString("C");
    campo("ACDATAVALIDADE")->setAsDateTime(QDateTime(QDate(2021, 1, 1), QTime(0, 0)));
    dialogs->answer("Sim", "Deseja inativar todos veículos")
        .answer("Não", "Deseja excluir contas a receber")
        .answer("Não", "não possui veículos ativos");
    host::clearLogTrace();
    host::clearHookCalls();
    dm->quCtrCadastro->post();
    EXPECT_EQ(dialogs->pending(), 0);
    QStringList passos;
    for (const host::LogEntry& linha : host::logTrace())
        if (linha.origin == "[quCtrCadastroBeforePost]")
            passos << linha.text;
    EXPECT_EQ(passos, (QStringList{"1 veículos", "2 sem veículos", "3 cancelamento", "4 sem veículos ativos",
                                   "5 datas", "6 local", "7 valor da parcela", "8 valor líquido",
                                   "9 serviços e peças", "10 campos obrigatórios", "11 tipo e número",
                                   "12 motivo"}));
    EXPECT_EQ(host::hookCallTexts().value(0), "quCtrCadastro:BEFOREPOST");
    EXPECT_EQ(one("select ACEVSITUACAO || ' ' || extract(year from ACEVDATAFIM) from AATC05ACEV").toString(),
              "I 2021");
}

TEST_F(CadastroTest, EndDateMayEqualTheStartButNotPrecedeIt)
{
    contratoGravado();
    abreContrato();
    campo("ACDATAIMPLANTACAO")->setAsDateTime(QDateTime(QDate(2030, 5, 10), QTime(0, 0)));
    campo("ACDATAVALIDADE")->setAsDateTime(QDateTime(QDate(2030, 5, 10), QTime(0, 0)));
    dm->quCtrCadastro->post();
    dm->quCtrCadastro->edit();
    campo("ACDATAVALIDADE")->setAsDateTime(QDateTime(QDate(2030, 5, 9), QTime(0, 0)));
    EXPECT_THROW(dm->quCtrCadastro->post(), host::Abort);
    EXPECT_EQ(messages().last(), "Data inicial do contrato deve ser menor que a data de término.");
    campo("ACDATAVALIDADE")->clear();
    dm->quCtrCadastro->post();
    EXPECT_EQ(dm->quCtrCadastro->state(), host::data::DatasetState::Browse);
}

TEST_F(CadastroTest, InstalmentValueIsRecomputedUnlessFixed)
{
    contratoGravado("ACVALORPARCELA = 50");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'S1', 80)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (2, 7, 'C0001', 'P1', 20.5)");
    abreContrato();
    campo("ACVALORPARCELA")->setAsFloat(123);
    dm->quCtrCadastro->post();
    EXPECT_DOUBLE_EQ(one("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7").toDouble(), 100.5);
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELALIQUIDO")->asFloat(), 100.5);
    // Services and parts are split by the product's kind.
    EXPECT_DOUBLE_EQ(one("select ACVALORSERVICO from AATC05AC where ACCODIGO = 7").toDouble(), 80);
    EXPECT_DOUBLE_EQ(one("select ACVALORPECA from AATC05AC where ACCODIGO = 7").toDouble(), 20.5);

    exec("update AATC05AC set ACVALORFIXO = 'S'");
    abreContrato();
    campo("ACVALORPARCELA")->setAsFloat(123);
    dm->quCtrCadastro->post();
    EXPECT_DOUBLE_EQ(one("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7").toDouble(), 123);
}

TEST_F(CadastroTest, ContractNumberAndTypeChecksUnderTheEquipmentOption)
{
    setOption("E");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACTIPODESC) values (2, 'N-1', 'Locação')");
    exec("insert into AATC05AC (ACCODIGO, ACTIPODESC) values (3, 'Locação')");
    CarregaContrato(0);
    auto novo = [&](const QString& numero, const QString& tipo) {
        dm->quCtrCadastro->append();
        campo("CLCODIGO")->setAsString("C0001");
        campo("ACNUMEROCONTRATO")->setAsString(numero);
        campo("ACTIPODESC")->setAsString(tipo);
        dm->quCtrCadastro->post();
    };
    EXPECT_THROW(novo("N-1", "Locação"), host::Abort);
    EXPECT_EQ(messages().last(), "Aviso: operação abortada.\nNúmero do Contrato já cadastrado!");
    dm->quCtrCadastro->cancel();
    // An empty number collides with nothing (a stored contract has none too).
    novo("", "Locação");
    novo("", "Locação");
    // A new free-text type: only the database account KORVAN may bring it in.
    EXPECT_THROW(novo("N-9", "Venda"), host::Abort);
    EXPECT_EQ(messages().last(),
              "Aviso: operação abortada.\nCadastro de Novos Tipos de Contrato só é permitido pelo usuário KORVAN!");
    dm->quCtrCadastro->cancel();
    global->SetParametro("ATMODOCOMPOSICAO", "9");
    novo("N-9", "Venda");
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 5);
}

// ---- cancellation ----

class CancelamentoTest : public CadastroFixture {
protected:
    void SetUp() override
    {
        CadastroFixture::SetUp();
        contratoGravado("ACDATACANCELAMENTO = '06/15/2031'");
        int n = 0;
        auto receber = [&](const QString& cliente, int contrato, const QString& situacao, const QString& vencimento) {
            ++n;
            exec(QString("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL,"
                         " AOCODIGO, SITUACAO_DOCUMENTO, DATA_VENCIMENTO, VALOR_DOCUMENTO)"
                         " values ('%1', '%2', 1, '01', %3, %4, '%5', 10)")
                     .arg(cliente)
                     .arg(n, 6, 10, QChar('0'))
                     .arg(contrato)
                     .arg(situacao.isNull() ? QString("null") : "'" + situacao + "'")
                     .arg(vencimento));
            exec(QString("insert into ACXC94XP (XPCHAVE, XPDOCUMENTO, XPID, XPEMITENTE, XPLOCAL, CRSEQUENCIA, XPVALOR)"
                         " values (%1, '%2', 'R', '%3', '01', 1, 10)")
                     .arg(n)
                     .arg(n, 6, 10, QChar('0'))
                     .arg(cliente));
        };
        receber("C0001", 7, {}, "06/15/2031");      // open, on the cut-off: goes
        receber("C0001", 7, " ", "07/15/2031");     // open: goes
        receber("C0001", 7, "X", "08/15/2031");     // any other situation: goes
        receber("C0001", 7, {}, "06/14/2031");      // before the cut-off: stays
        for (const char* situacao : {"*", "D", "#", "C", "V", "E"})
            receber("C0001", 7, situacao, "09/15/2031");   // stay
        receber("C0002", 7, {}, "09/15/2031");      // another customer: stays
        receber("C0001", 8, {}, "09/15/2031");      // another contract: stays
    }

    void cancela()
    {
        abreContrato();
        dialogs->answer("Não", "Deseja excluir provisões do contrato?");
        campo("ACSITUACAO")->setAsString("C");
    }
    QStringList restantes()
    {
        QStringList out;
        host::db::Statement st(*global->IBTransaction1, "select NUMERO_DOCUMENTO from ACRC5001 order by 1");
        st.execute();
        while (st.fetch())
            out << st.value(0).toString().trimmed().right(2);
        return out;
    }
};

TEST_F(CancelamentoTest, OpenReceivablesFromTheStoredCutOffGoWithTheirCashRows)
{
    cancela();
    dialogs->answer("Sim", "Deseja excluir contas a receber em aberto após data do cancelamento?");
    dm->quCtrCadastro->post();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(messages().last(), "3 parcela(s) excluída(s) com sucesso!");
    EXPECT_EQ(restantes(), (QStringList{"04", "05", "06", "07", "08", "09", "10", "11", "12"}));
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 9);
    EXPECT_EQ(one("select ACSITUACAO from AATC05AC where ACCODIGO = 7").toString(), "C");

    // Posting the cancelled contract again asks nothing.
    abreContrato();
    dm->quCtrCadastro->post();
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(CancelamentoTest, AskedDateIsTheCutOffAndACountOfZeroIsShown)
{
    exec("update AATC05AC set ACDATACANCELAMENTO = null");
    cancela();
    dialogs->answer("Sim", "Deseja excluir contas a receber").enter("01/01/2032", "Informe a data de cancelamento");
    dm->quCtrCadastro->post();
    EXPECT_EQ(messages().last(), "0 parcela(s) excluída(s) com sucesso!");
    EXPECT_EQ(restantes().size(), 12);
    EXPECT_EQ(one("select ACDATACANCELAMENTO from AATC05AC").toDateTime().date(), QDate(2032, 1, 1));
}

TEST_F(CancelamentoTest, DismissedDateAbandonsThePostAndAnswerNoKeepsEverything)
{
    exec("update AATC05AC set ACDATACANCELAMENTO = null");
    cancela();
    dialogs->answer("Sim", "Deseja excluir contas a receber").cancel("Informe a data de cancelamento");
    EXPECT_THROW(dm->quCtrCadastro->post(), host::Abort);
    EXPECT_EQ(dm->quCtrCadastro->state(), host::data::DatasetState::Edit);
    dialogs->answer("Não", "Deseja excluir contas a receber");
    dm->quCtrCadastro->post();
    EXPECT_EQ(restantes().size(), 12);
    EXPECT_EQ(one("select ACSITUACAO from AATC05AC where ACCODIGO = 7").toString(), "C");
}

TEST_F(CancelamentoTest, RefusedPostLeavesTheDatabaseAsItWas)
{
    global->SetParametro("ATSITUACAOPORITEM", "S");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (1, 7, 1, 'A')");
    cancela();
    campo("ACDATAIMPLANTACAO")->setAsDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
    campo("ACDATAVALIDADE")->setAsDateTime(QDateTime(QDate::currentDate().addDays(-1), QTime(0, 0)));
    dialogs->answer("Sim", "Deseja inativar todos veículos")
        .answer("Sim", "Deseja excluir contas a receber")
        .answer("Não", "não possui veículos ativos");
    EXPECT_THROW(dm->quCtrCadastro->post(), host::Abort);
    EXPECT_EQ(messages().last(), "Data inicial do contrato deve ser menor que a data de término.");
    EXPECT_FALSE(messages().contains("3 parcela(s) excluída(s) com sucesso!"))
        << "the deletions are taken back with the refused post: they are not told as done";
    // Nothing of the inactivation or the deletions stays, committed or not.
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(restantes().size(), 12);
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 12);
    EXPECT_EQ(one("select ACEVSITUACAO from AATC05ACEV").toString(), "A");
    EXPECT_EQ(one("select ACSITUACAO from AATC05AC where ACCODIGO = 7").toString(), "A");
}

TEST_F(CancelamentoTest, FailedWriteTakesTheDeletionsBack)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (8, 'C0002')");
    cancela();
    campo("ACCODIGO")->setAsInteger(8);   // another contract's key: the write fails
    dialogs->answer("Sim", "Deseja excluir contas a receber");
    EXPECT_ANY_THROW(dm->quCtrCadastro->post());
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(restantes().size(), 12);
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 12);
}

// ---- deletion ----

class ExclusaoTest : public CadastroFixture {
protected:
    void SetUp() override
    {
        CadastroFixture::SetUp();
        global->SetParametro("ATSENHAEXCLUSAO", "321");
        contratoGravado();
        exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'S1', 80)");
        exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0002', 'S')");
        exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (1, 7, 1, 'A')");
        exec("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL, AOCODIGO,"
             " SITUACAO_DOCUMENTO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('C0001', '000001', 1, '01', 7, 'V',"
             " '06/15/2031', 10)");
        CarregaContrato(7);
    }
    void exclui()
    {
        dialogs->enter("321", "Senha de Exclusão de Contrato");
        dm->quCtrCadastro->remove();
    }
};

TEST_F(ExclusaoTest, WrongPasswordAbandonsAndBilledReceivablesRefuse)
{
    dialogs->enter("000", "Senha de Exclusão de Contrato");
    EXPECT_THROW(dm->quCtrCadastro->remove(), host::Abort);
    exec("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL, AOCODIGO,"
         " DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('C0001', '000002', 1, '01', 7, '06/15/2031', 10)");
    EXPECT_THROW(exclui(), host::Abort);
    EXPECT_EQ(messages().last(), "Contrato possui parcelas faturadas!");
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 1);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 2);
}

TEST_F(ExclusaoTest, ForecastsCustomersAndLinesGoAndItemsAreKeptUnlinked)
{
    setOption("T");
    exclui();
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC05ACCL").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC05ACEV").toInt(), 0);
    EXPECT_EQ(one("select ACCODIGO from AATC05ACIT").toInt(), 0);
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou Contrato da Assistência Técnica'").toString(),
              "Número 7");
    EXPECT_EQ(host::hookCallTexts().filter("quCtrCadastro:").join(","),
              "quCtrCadastro:BEFOREDELETE,quCtrCadastro:AFTERDELETE");
}

TEST_F(ExclusaoTest, RefusedHeaderDeleteKeepsTheVehicleLinesAndEverythingBefore)
{
    global->SetParametro("ATMODOVEICULO", "O");
    exec("create exception E_CONTRATO_PRESO 'contrato preso'");
    exec("create trigger T_CONTRATO_PRESO for AATC05AC active before delete position 0 as begin"
         " exception E_CONTRATO_PRESO; end");
    EXPECT_ANY_THROW(exclui());

    global->IBTransaction1->commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 1);
    EXPECT_EQ(one("select count(*) from AATC05ACEV").toInt(), 1);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 1);
    EXPECT_EQ(one("select count(*) from AATC05ACCL").toInt(), 1);
    EXPECT_EQ(one("select ACCODIGO from AATC05ACIT").toInt(), 7);
}

TEST_F(ExclusaoTest, VehicleLinesGoThroughTheirOwnDatasetAndTheDeleteIsStored)
{
    global->SetParametro("ATMODOVEICULO", "O");
    exclui();
    global->IBTransaction1->rollbackRetaining();   // all of it was committed by the header's own handler
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC05ACEV").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 0);
}

TEST_F(ExclusaoTest, ItemsAreDeletedUnderTheOneContractOptions)
{
    setOption("M");
    exclui();
    EXPECT_EQ(one("select count(*) from AATC05ACIT").toInt(), 0);
}

// ---- reason for a change ----

TEST_F(CadastroTest, NonMasterUserGivesAReasonButTheProgramsRepostAsksNothing)
{
    contratoGravado("ACVALORFIXO = 'S', ACVALORPARCELA = 50");
    entrarComo("JOAO");
    abreContrato();
    campo("ACDESCRICAO")->setAsString("Novo texto");
    dialogs->enter("   ", "Informe o motivo para a alteração do contrato:");
    EXPECT_THROW(dm->quCtrCadastro->post(), host::Abort);
    EXPECT_EQ(one("select count(*) from CADCOM").toInt(), 0);
    dialogs->enter("Pedido do cliente", "Informe o motivo para a alteração do contrato:");
    dm->quCtrCadastro->post();
    EXPECT_EQ(one("select RESUMIDA || '|' || CTUSUARIO || '|' || IDORIGEM || '|' || CONTRATO from CADCOM").toString(),
              "[Geral] Motivo: Pedido do cliente|JOAO|C|7");
    EXPECT_EQ(one("select ACDESCRICAO from AATC05AC").toString(), "Novo texto");

    exec("update AATC05AC set ACVALORFIXO = 'N'");
    CarregaContrato(7);
    dm->RegravarContratoCorrente();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_NE(one("select ACVALORPARCELA from AATC05AC").toDouble(), 50);
}

// ---- after scroll and calculated fields ----

TEST_F(CadastroTest, LinksLoadByTheirKindAndTheTotalAddsTheComplements)
{
    contratoGravado("ACVINCULO = 'P', ACVALORFIXO = 'S', ACVALORPARCELA = 100, ACHORACREDITO = 2.75");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACVALORPARCELA, ACVINCULO) values (8, 'C0002', 30, 'C')");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACVALORPARCELA, ACVINCULO) values (9, 'C0002', 20.5, 'C')");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 8)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 9)");
    CarregaContrato(7);
    EXPECT_DOUBLE_EQ(campo("TOTCONTRATOSVINC")->asFloat(), 150.5);
    EXPECT_EQ(campo("HoraCreditoMin")->asInteger(), 2);
    EXPECT_EQ(dm->quContratoVin->recordCount(), 2);
    CarregaContrato(8);
    EXPECT_EQ(dm->quContratoVin->recordCount(), 1);
    EXPECT_DOUBLE_EQ(campo("TOTCONTRATOSVINC")->asFloat(), 30);
    dm->quCtrCadastro->edit();
    campo("ACVINCULO")->setAsString("N");
    EXPECT_FALSE(dm->quContratoVin->active());
}

TEST_F(CadastroTest, SavingAContractCostsAFixedNumberOfStatements)
{
    contratoGravado();
    for (int i = 1; i <= 5; ++i)
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR)"
                     " values (%1, 7, 'C0001', 'S1', 10)")
                 .arg(i));
    abreContrato();
    campo("ACDESCRICAO")->setAsString("Outro");
    const auto antes = host::db::statementCount();
    dm->quCtrCadastro->post();
    EXPECT_LE(host::db::statementCount() - antes, 14u) << host::db::statementCount() - antes;
}

}  // namespace
}  // namespace contractstest
