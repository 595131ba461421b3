// The batch run: its dialogs answered on nobody's behalf, its repeated
// statements kept prepared, its reads binding their compared values and
// remembering the tables it never writes.

#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/Ulote.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/ui/Form.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

class HostLote : public testsupport::HostDatabaseTest {};

TEST_F(HostLote, BatchRunLogsMessagesDeclinesPromptsAndPutsTheDialogsBack)
{
    host::clearLogTrace();
    {
        host::ExecucaoLote lote("[Teste]");
        lote.responder("Confirma a exclusão do registro?", "Sim");
        global->MostraAviso("Só um aviso.", false);
        EXPECT_THROW(global->MostraErro("Falhou."), host::Abort);
        EXPECT_EQ(lote.ultimoTexto(), "Falhou.");
        EXPECT_EQ(MostraPergunta("Confirma a exclusão do registro?", {"Sim", "Não"}), "Sim");
        // An answer that the question does not offer is no answer.
        EXPECT_EQ(MostraPergunta("Confirma a exclusão do registro?", {"OK"}), "");
        EXPECT_EQ(MostraPergunta("Outra pergunta?", {"Sim", "Não"}), "");
        EXPECT_FALSE(VerificaValidadeSenha("segredo", "Senha de Exclusão"));
        EXPECT_EQ(lote.ultimoTexto(), "Senha de Exclusão");
        lote.limpar();
        EXPECT_TRUE(lote.ultimoTexto().isEmpty());
        host::ui::Form janela;
        janela.setObjectName("fmQualquer");
        EXPECT_EQ(janela.showModal(), host::ui::ModalResult::Cancel);
    }
    QStringList linhas;
    for (const host::LogEntry& e : host::logTrace())
        if (e.origin == "[Teste]")
            linhas << e.text + "|" + e.detail;
    EXPECT_EQ(linhas, (QStringList{"Só um aviso.|mensagem em lote", "Falhou.|mensagem em lote",
                                   "Confirma a exclusão do registro?|respondida em lote: Sim",
                                   "Confirma a exclusão do registro?|sem resposta em lote (question)",
                                   "Outra pergunta?|sem resposta em lote (question)",
                                   "Senha de Exclusão|sem resposta em lote (password)",
                                   "fmQualquer|janela modal cancelada em lote"}));
    // The test's own scripted dialogs are back: this one is expected by them.
    dialogs->acknowledge("Depois do lote");
    global->MostraAviso("Depois do lote", false);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(HostLote, BatchRunKeepsItsRepeatedStatementsPrepared)
{
    global->SetParametro("ATDIASUTEIS", "23456");
    const auto lerDuasVezes = [] {
        const auto antes = host::db::prepareCount();
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(CarregaNumeroInteiro("count(*)", "PARAMETROS", "where NOME = 'ATDIASUTEIS'"), 1);
        return host::db::prepareCount() - antes;
    };
    EXPECT_EQ(lerDuasVezes(), 1u);   // a user's read is kept from the first time
    {
        host::ExecucaoLote lote("[Teste]");
        EXPECT_EQ(lerDuasVezes(), 0u);
        // With a query of the caller's, the query still ends with the text.
        auto consulta = CriarIbQuery();
        EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATDIASUTEIS'", consulta.get()), "23456");
        EXPECT_EQ(consulta->sql(), "select VALOR from PARAMETROS where NOME = 'ATDIASUTEIS'");
        EXPECT_FALSE(consulta->active());
    }
}

TEST_F(HostLote, BatchReadsBindTheValuesTheyCompareWithAColumn)
{
    global->SetParametro("ATDIASUTEIS", "23456");
    global->SetParametro("ATLOCALPADRAO", "01");
    exec("insert into FERIADOS (FEDATA, FEDESCRICAO, FEANUAL) values ('2024-03-02', 'Um', 'N')");
    exec("insert into FERIADOS (FEDATA, FEDESCRICAO, FEANUAL) values ('2024-02-03', 'Dois', 'N')");
    host::ExecucaoLote lote("[Teste]");
    const auto antes = host::db::prepareCount();
    // Another key of the same read is the same statement; a quote in the value stays one value.
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATDIASUTEIS'"), "23456");
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATLOCALPADRAO'"), "01");
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'AT''X'"), "");
    EXPECT_EQ(host::db::prepareCount() - antes, 1u);
    // Text that is no comparison with a column stays as written.
    EXPECT_EQ(CarregaNumeroInteiro("count(*)", "PARAMETROS", "where upper(NOME) = 'ATDIASUTEIS' and 'a' = 'a'"), 1);
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATDIAS' || 'UTEIS'"), "23456");
    // A bare number against a text column compares as a number ("01" is 1).
    EXPECT_EQ(CarregaDado("NOME", "PARAMETROS", "where VALOR = 1 and NOME = 'ATLOCALPADRAO'"), "ATLOCALPADRAO");
    // Quotes inside comments are no values; the text around them stays whole.
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATLOCALPADRAO' /* o 'local' */"), "01");
    EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATLOCALPADRAO' -- o 'local'\n and 1 = 1"), "01");
    // A date is read by the engine, month first with slashes: it stays in the text.
    EXPECT_EQ(CarregaDado("FEDESCRICAO", "FERIADOS", "where FEDATA = '03/02/2024'"), "Um");
    EXPECT_EQ(CarregaDado("FEDESCRICAO", "FERIADOS", "where FEDATA = '02/03/2024'"), "Dois");
}

TEST_F(HostLote, BatchReadsLeaveInTheTextTheValuesTheColumnCannotHold)
{
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COSERIE) values (7, 12, 'S1')");
    const QString serieLonga = QString(31, 'X');   // the column holds 30
    const QString nomeLongo = QString(61, 'A');    // the column holds 60
    const auto ler = [&] {
        return QStringList{CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = '40000'"),
                           CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = '-40000'"),
                           CarregaDado("COCODIGO", "AUGC03CO", "where COSERIE = '" + serieLonga + "'"),
                           CarregaDado("VALOR", "PARAMETROS", "where NOME = '" + nomeLongo + "'"),
                           CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = '12'")};
    };
    const QStringList semLote = ler();
    EXPECT_EQ(semLote, (QStringList{"", "", "", "", "7"}));
    host::ExecucaoLote lote("[Teste]");
    // The values that fit their columns still share the statements the
    // reads before the run prepared.
    const auto antes = host::db::prepareCount();
    EXPECT_EQ(CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = '32767'"), "");
    EXPECT_EQ(CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = '12'"), "7");
    EXPECT_EQ(CarregaDado("COCODIGO", "AUGC03CO", "where COSERIE = '" + QString(30, 'X') + "'"), "");
    EXPECT_EQ(CarregaDado("COCODIGO", "AUGC03CO", "where COSERIE = 'S1'"), "7");
    EXPECT_EQ(host::db::prepareCount() - antes, 0u);
    // A contract past a smallint, a text longer than its column: no row, as
    // without a run, where bound as parameters they would be refused.
    EXPECT_EQ(ler(), semLote);
}

// A whole number compared with an integer column is bound as a quoted value
// is; the reads go to their kept statements, prepared once and executed
// again for each read (never a value remembered), reading the same in a run.
TEST_F(HostLote, BatchReadsWithoutQuotesGoToTheirKeptStatement)
{
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COSERIE) values (7, 12, 'S1')");
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COSERIE) values (8, 13, 'S2')");
    const auto ler = [] {
        return QStringList{CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = 12"),
                           CarregaDado("COCODIGO", "AUGC03CO", "where ACCODIGO = 13 -- o contrato\n"),
                           CarregaDado("count(*)", "AUGC03CO", "where ACCODIGO > 11 /* todos */")};
    };
    const auto antes = host::db::prepareCount();
    const QStringList semLote = ler();
    EXPECT_EQ(semLote, (QStringList{"7", "8", "2"}));
    host::ExecucaoLote lote("[Teste]");
    for (int vez = 0; vez < 3; ++vez)
        EXPECT_EQ(ler(), semLote) << vez;
    EXPECT_EQ(host::db::prepareCount() - antes, 3u);
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COSERIE) values (9, 14, 'S3')");
    const auto depois = host::db::prepareCount();
    EXPECT_EQ(CarregaDado("count(*)", "AUGC03CO", "where ACCODIGO > 11 /* todos */"), "3");
    EXPECT_EQ(host::db::prepareCount(), depois);
}

// A fixed table is known by its name in any letter case, and only by it: a
// write into another table leaves what was kept of it, and a table whose
// name merely begins like it is read every time.
TEST_F(HostLote, BatchKnowsItsFixedTablesByNameInAnyCase)
{
    global->SetParametro("ATDIASUTEIS", "23456");
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COSERIE) values (7, 12, 'S1')");
    host::ExecucaoLote lote("[Teste]");
    lote.tabelasFixas({"parametros", "AUGC03"});
    const auto parametro = [](const QString& tabela) {
        return CarregaDado("VALOR", tabela, "where NOME = 'ATDIASUTEIS'");
    };
    EXPECT_EQ(parametro("Parametros"), "23456");
    const auto antes = host::db::statementCount();
    EXPECT_EQ(parametro("Parametros"), "23456");
    EXPECT_EQ(host::db::statementCount() - antes, 0u);
    for (int vez = 0; vez < 2; ++vez)
        EXPECT_EQ(CarregaDado("COSERIE", "AUGC03CO", "where COCODIGO = 7"), "S1");
    EXPECT_EQ(host::db::statementCount() - antes, 2u) << "AUGC03CO is not AUGC03";
    UpdateCampo("AUGC03CO", "COSERIE", "'S2'", "where COCODIGO = 7");
    EXPECT_EQ(CarregaDado("COSERIE", "augc03co", "where COCODIGO = 7"), "S2");
    const auto depois = host::db::statementCount();
    EXPECT_EQ(parametro("Parametros"), "23456");
    EXPECT_EQ(host::db::statementCount() - depois, 0u) << "a write elsewhere forgets nothing of it";
    UpdateCampo("parametros", "VALOR", "'2345'", "where NOME = 'ATDIASUTEIS'");
    EXPECT_EQ(parametro("Parametros"), "2345") << "a write in another letter case forgets it";
}

// A list of tables is never kept, even in two words; blanks around a
// fixed table's name still name it.
TEST_F(HostLote, BatchKeepsNoReadOfAListOfTables)
{
    global->SetParametro("ATDIASUTEIS", "23456");
    host::ExecucaoLote lote("[Teste]");
    lote.tabelasFixas({"PARAMETROS"});
    const auto antes = host::db::statementCount();
    for (int vez = 0; vez < 2; ++vez)
        EXPECT_EQ(CarregaNumeroInteiro("count(*)", "PARAMETROS P,RDB$DATABASE", "where P.NOME = 'ATDIASUTEIS'"), 1);
    EXPECT_EQ(host::db::statementCount() - antes, 2u) << "a list of tables is read every time";
    for (int vez = 0; vez < 2; ++vez)
        EXPECT_EQ(CarregaDado("VALOR", " PARAMETROS ", "where NOME = 'ATDIASUTEIS'"), "23456");
    EXPECT_EQ(host::db::statementCount() - antes, 3u) << "the fixed table, read once";
}

TEST_F(HostLote, BatchRemembersReadsOfItsFixedTablesUntilTheyAreWritten)
{
    global->SetParametro("ATDIASUTEIS", "23456");
    const auto ler = [] { return CarregaDado("VALOR", "PARAMETROS", "where NOME = 'ATDIASUTEIS'"); };
    {
        host::ExecucaoLote lote("[Teste]");
        lote.tabelasFixas({"PARAMETROS"});
        EXPECT_EQ(ler(), "23456");
        const auto antes = host::db::statementCount();
        EXPECT_EQ(ler(), "23456");
        EXPECT_EQ(CarregaDado("VALOR", "PARAMETROS P", "where NOME = 'ATDIASUTEIS'"), "23456");
        EXPECT_EQ(host::db::statementCount() - antes, 1u);   // the alias makes another text
        // A write through the host's routines forgets what was kept of the table.
        UpdateCampo("PARAMETROS", "VALOR", "'2345'", "where NOME = 'ATDIASUTEIS'");
        EXPECT_EQ(ler(), "2345");
        // A join is never kept: it may read a table the run writes.
        const auto depois = host::db::statementCount();
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(CarregaNumeroInteiro("count(*)", "PARAMETROS P join PARAMETROS Q on Q.NOME = P.NOME",
                                           "where P.NOME = 'ATDIASUTEIS'"),
                      1);
        EXPECT_EQ(host::db::statementCount() - depois, 2u);
    }
    // Without a run nothing is kept.
    exec("update PARAMETROS set VALOR = '23' where NOME = 'ATDIASUTEIS'");
    EXPECT_EQ(ler(), "23");
}
