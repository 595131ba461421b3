// The handler conventions of TdmTec: delete audit with its texts, the hook's
// events and order, commit after post of the registers, the SQL dump, the
// open log and the order code kept when the search list closes.

#include "tests/tec/TecFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace tectest {
namespace {

// A basic contract is deleted by the contract data module's rules: it is
// there while the test runs, as the dispatcher makes it in the application.
struct ModuloDeContratos {
    ModuloDeContratos()
    {
        host::ui::ScriptedDialogs migracao;   // the contract tables' upgrade tells what it made
        migracao.setAutoAcknowledgeMessages(true);
        dmTecContrato.create(nullptr);
    }
    ~ModuloDeContratos() { dmTecContrato.free(); }
    ModuloDeContratos(const ModuloDeContratos&) = delete;
    ModuloDeContratos& operator=(const ModuloDeContratos&) = delete;
};

class TdmTecConventionsTest : public TecTest {
protected:
    void SetUp() override
    {
        TecTest::SetUp();
        createTec();
    }

    bool upgraded() const
    {
        return host::db::columnExists(*global->IBTransaction1, "AATC01AO", "ANCODIGO");
    }

    // The audit row written since the last look: each look takes what it
    // read away, so two rows written in the same millisecond never tie for
    // the last one. Anything but one row reads as its count.
    QStringList lastAudit()
    {
        host::db::Transaction& tr = *global->IBTransaction1;
        host::db::Statement statement(tr, "select ACAO, OBSERVACAO, TABELA, USUARIO from ARQLOG");
        statement.execute();
        QList<QStringList> rows;
        while (statement.fetch())
            rows.append({statement.value(0).toString(), statement.value(1).toString(), statement.value(2).toString(),
                         statement.value(3).toString()});
        host::db::executeSql(tr, "delete from ARQLOG");
        return rows.size() == 1 ? rows.first() : QStringList{QString("%1 audit rows").arg(rows.size())};
    }

    int committedRows(const QString& table, const QString& condition)
    {
        // A second attachment sees only what was committed.
        host::db::Connection other;
        other.open({dbPath});
        host::db::Transaction transaction(other);
        return host::db::selectValue(transaction, "select count(*) from " + table + " where " + condition).toInt();
    }
};

TEST_F(TdmTecConventionsTest, DeletingDefectSevenWritesItsAuditAndReportsBothEvents)
{
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (7, 'Tela quebrada', 'D')");
    dmTec->quDefeito->paramByName("adCodigo")->setValue(7);
    dmTec->quDefeito->open();
    host::clearHookCalls();

    dmTec->quDefeito->remove();

    EXPECT_EQ(lastAudit(), (QStringList{"Deletou Cadastro de Defeito", "Código/Descrição:7/Tela quebrada",
                                        "AATC02AD", IbUserName()}));
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quDefeito:BEFOREDELETE", "quDefeito:AFTERDELETE"}));
    EXPECT_EQ(sCodigoExcluido, "7/Tela quebrada");
}

TEST_F(TdmTecConventionsTest, SavingADefectReportsThenCommits)
{
    dmTec->quDefeito->paramByName("adCodigo")->setValue(3);
    dmTec->quDefeito->open();
    host::clearHookCalls();
    dmTec->quDefeito->append();
    dmTec->quDefeitoADCODIGO->setAsInteger(3);
    dmTec->quDefeitoADDESCRICAO->setAsString("Não liga");
    dmTec->quDefeito->post();

    EXPECT_EQ(host::hookCallTexts(),
              (QStringList{"quDefeito:ONNEWRECORD", "quDefeito:BEFOREPOST", "quDefeito:AFTERPOST"}));
    EXPECT_EQ(committedRows("AATC02AD", "ADCODIGO = 3"), 1);
    EXPECT_TRUE(dmTec->quDefeito->active());   // commit retaining keeps the rows
    dmTec->quDefeito->close();
    EXPECT_EQ(host::hookCallTexts().last(), "quDefeito:BEFORECLOSE");
}

TEST_F(TdmTecConventionsTest, RegisterAuditTextsTableDriven)
{
    ASSERT_TRUE(upgraded()) << "the registers select columns of the schema upgrade";
    const ModuloDeContratos contratos;
    struct Case {
        host::data::Query* TdmTec::*query;
        const char* param;
        int key;
        const char* insert;
        QStringList audit;
        QStringList hooks;
    };
    const QString user = IbUserName();
    const Case cases[] = {
        {&TdmTec::quContrato, "accodigo", 5,
         "insert into AATC05AC (ACCODIGO, ACDESCRICAO) values (5, 'Manutenção mensal')",
         {"Deletou Contrato", "Código/Decsrição:5/Manutenção mensal", "AATC05AC", user}, {}},
        {&TdmTec::quHoraTecnica, nullptr, 0,
         "insert into AATC04AH (AHCODIGO, AHDESCRICAO) values (2, 'Hora normal')",
         {"Deletou Hora Técnica", "Código/Descrição:2/Hora normal", "AATC04AH", user},
         {"quHoraTecnica:BEFOREDELETE", "quHoraTecnica:AFTERDELETE"}},
        {&TdmTec::quOSSituacao, nullptr, 0,
         "insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO) values (4, 'Aguardando peça', 'M')",
         {"Deletou Cadastro de Situação", "Código/Descrição:4/Aguardando peça", "AATC01AS", user},
         {"quOSSituacao:BEFOREDELETE", "quOSSituacao:AFTERDELETE"}},
        {&TdmTec::quContServ, "accodigo", 5,
         "insert into AUGC03CO (COCODIGO, ACCODIGO, COIDENTIFICADOR, COCIDADE, COENDERECO) "
         "values (9, 5, 'S', '000123', 'Limpeza')",
         {"Deletou Serviços do Contrato", "Código/Descrição:000123/Limpeza", "AUGC03CO", user}, {}},
    };
    for (const Case& c : cases) {
        host::data::Query& query = *(dmTec.get()->*c.query);
        SCOPED_TRACE(query.name().toStdString());
        exec(c.insert);
        query.close();   // a master's scroll may have opened it for another key
        if (c.param)
            query.paramByName(c.param)->setValue(c.key);
        query.open();
        query.last();
        host::clearHookCalls();
        query.remove();
        EXPECT_EQ(lastAudit(), c.audit);
        EXPECT_EQ(host::hookCallTexts(), c.hooks);
        query.close();
    }
}

TEST_F(TdmTecConventionsTest, SavingASituationCommitsAndATravelExpenseOnlyReports)
{
    ASSERT_TRUE(upgraded()) << "situations and expenses select columns of the schema upgrade";
    dmTec->quOSSituacao->open();
    dmTec->quOSSituacao->append();
    dmTec->quOSSituacaoASCODIGO->setAsInteger(11);
    dmTec->quOSSituacaoASDESCRICAO->setAsString("Em teste");
    host::clearHookCalls();
    dmTec->quOSSituacao->post();
    EXPECT_EQ(committedRows("AATC01AS", "ASCODIGO = 11"), 1);
    EXPECT_TRUE(host::hookCallTexts().contains("quOSSituacao:AFTERPOST"));

    exec("insert into AATC01AO (AOCODIGO) values (1)");
    dmTec->quOSDespViagem->paramByName("aocodigo")->setValue(1);
    dmTec->quOSDespViagem->open();
    dmTec->quOSDespViagem->append();
    dmTec->quOSDespViagemAOCODIGO->setAsInteger(1);
    dmTec->quOSDespViagemAVCODIGO->setAsInteger(1);
    host::clearHookCalls();
    dmTec->quOSDespViagem->post();
    EXPECT_EQ(host::hookCallTexts().value(0), "quOSDespViagem:BEFOREPOST");
    EXPECT_EQ(committedRows("AATC01AV", "AOCODIGO = 1"), 0);
}

TEST_F(TdmTecConventionsTest, RentalEquipmentDeleteReportsItselfWithTheRegisterText)
{
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO) values (3, 'L', 'Betoneira')");
    dmTec->quEquipamentoLocacao->open();
    host::clearHookCalls();
    dmTec->quEquipamentoLocacao->remove();
    EXPECT_EQ(host::hookCallTexts(), QStringList{"quEquipamentoLocacao:BEFOREDELETE"});
    EXPECT_EQ(sCodigoExcluido, "/");   // the register is not open: its row has no code
}

TEST_F(TdmTecConventionsTest, ClosingTheSearchListOnOrder25KeepsIt)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (25, '00001')");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (30, '00001')");
    dmTec->quPesqOS->setSql("select aoCodigo, clCodigo from AATC01AO order by aoCodigo");
    dmTec->quPesqOS->open();
    ASSERT_TRUE(dmTec->quPesqOS->locate("AOCODIGO", 25));
    dmTec->quPesqOS->close();
    EXPECT_EQ(dmTec->iOSPesquisaAtual, 25);

    dmTec->quPesqOS->open();
    dmTec->quPesqOS->last();
    dmTec->quPesqOS->close();
    EXPECT_EQ(dmTec->iOSPesquisaAtual, 30);
}

TEST_F(TdmTecConventionsTest, SqlDumpOnlyWithTheDetectionSwitch)
{
    const QDir folder(QDir(sCaminhoSistema).filePath("SQLQuery"));
    QDir().mkpath(folder.path());
    dmTec->quPesqOS->setSql("select aoCodigo from AATC01AO");

    bDetectarErroSQL = false;
    dmTec->quPesqOS->open();
    dmTec->quPesqOS->close();
    EXPECT_TRUE(folder.entryList(QDir::Files).isEmpty());

    bDetectarErroSQL = true;
    dmTec->quPesqOS->open();
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^quPesqOS\\d{6}_\\d{9}\\.SQL$").match(files.first()).hasMatch()) << files.first().toStdString();
    QFile dump(folder.filePath(files.first()));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(dump.readAll()), "select aoCodigo from AATC01AO");
}

TEST_F(TdmTecConventionsTest, SqlDumpWithoutItsFolderWritesNothingAndOpens)
{
    bDetectarErroSQL = true;
    dmTec->quPesqOS->setSql("select aoCodigo from AATC01AO");
    EXPECT_NO_THROW(dmTec->quPesqOS->open());
    EXPECT_FALSE(QDir(sCaminhoSistema).exists("SQLQuery"));
}

TEST_F(TdmTecConventionsTest, DumpFileNameCarriesDateAndTime)
{
    bDetectarErroSQL = true;
    QDir().mkpath(QDir(sCaminhoSistema).filePath("SQLQuery"));
    const QString before = QDateTime::currentDateTime().toString("ddMMyy");
    const QString file = dmTec->SalvarSQLQuery(*dmTec->quOSItemDef);
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith("quOSItemDef" + before)) << file.toStdString();
    EXPECT_TRUE(file.endsWith(".SQL"));
}

TEST_F(TdmTecConventionsTest, TechniciansSqlShownOnlyWithTheSwitch)
{
    host::ui::ScriptedDialogs dialogs;
    dialogs.setAutoAcknowledgeMessages(true);
    bDetectarErroSQL = false;
    dmTec->quTecnicosBeforeOpen(*dmTec->quTecnicos);
    EXPECT_TRUE(dialogs.texts().isEmpty());

    bDetectarErroSQL = true;
    dmTec->quTecnicosBeforeOpen(*dmTec->quTecnicos);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts().first().startsWith("Sql Tecnicos: ")) << dialogs.texts().first().toStdString();
    EXPECT_TRUE(dialogs.texts().first().endsWith(dmTec->quTecnicos->sql()));
}

TEST_F(TdmTecConventionsTest, CustomerPurchasesOpenLogsStartSqlWithValuesAndEnd)
{
    dmTec->quOSComprasCli->paramByName("cliente")->setValue("00042");
    dmTec->quOSComprasCli->open();
    const QList<host::LogEntry>& trace = host::logTrace();
    QList<host::LogEntry> open;
    for (const host::LogEntry& entry : trace)
        if (entry.origin == "[quOSComprasCli Open]")
            open << entry;
    ASSERT_EQ(open.size(), 3);
    EXPECT_EQ(open[0].text, "***INICIO");
    EXPECT_TRUE(open[1].text.contains("'00042'")) << open[1].text.toStdString();
    EXPECT_FALSE(open[1].text.contains(":cliente"));
    EXPECT_EQ(open[2].text, "***FIM");
    for (const host::LogEntry& entry : open)
        EXPECT_TRUE(entry.detail.isEmpty());
}

TEST_F(TdmTecConventionsTest, ContractHandlersReportNothingToTheHook)
{
    const ModuloDeContratos contratos;
    host::clearHookCalls();
    dmTec->quContratoBeforeDelete(*dmTec->quContrato);
    dmTec->quContratoAfterDelete(*dmTec->quContrato);
    dmTec->quContEquipAfterDelete(*dmTec->quContEquip);
    EXPECT_TRUE(host::hookCallTexts().isEmpty());
}

}  // namespace
}  // namespace tectest
