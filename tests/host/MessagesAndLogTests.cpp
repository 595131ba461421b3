// Messages (shown through the dialogs service, muted by the switch, and the
// abandon that ends the operation), the trace and the audit record.

#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "tests/support/HostDatabase.h"

#include "host/data/Abort.h"
#include "host/ui/ProgressWindow.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <cstdlib>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::HostDatabaseTest;

class MessagesTest : public HostDatabaseTest {};

TEST_F(MessagesTest, InformationWithoutAbandonReturns)
{
    dialogs->acknowledge("Gravado");
    EXPECT_NO_THROW(dmGlobal->MostraAviso("Gravado com sucesso."));
    EXPECT_EQ(dialogs->texts(), QStringList{"Gravado com sucesso."});
}

TEST_F(MessagesTest, AbandonAndErrorShowThenEndTheOperation)
{
    dialogs->acknowledge().acknowledge();
    EXPECT_THROW(dmGlobal->MostraAviso("Aviso: operação abortada.\rSem cliente.", true), host::Abort);
    EXPECT_THROW(dmGlobal->MostraErro("Falhou."), host::Abort);
    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown()[0].text, "Aviso: operação abortada.\nSem cliente.") << "\\r is a line break";
    EXPECT_EQ(dialogs->shown()[1].kind, host::ui::DialogKind::Error);
}

TEST_F(MessagesTest, MutedMessagesAreNotShownButStillAbandonAndAreLogged)
{
    bDesligarMensagens = true;
    EXPECT_NO_THROW(dmGlobal->MostraAviso("informativo"));
    EXPECT_THROW(dmGlobal->MostraAviso("abandona", true), host::Abort);
    EXPECT_THROW(dmGlobal->MostraErro("erro"), host::Abort);
    EXPECT_NO_THROW(dmGlobal->MostraAvisoExtenso("titulo", "detalhe"));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(host::logTraceTexts(), (QStringList{"[MostraAviso]|informativo", "[MostraAviso]|abandona",
                                                  "[MostraErro]|erro", "[MostraAvisoExtenso]|titulo"}));
}

TEST_F(MessagesTest, QuestionsAreNeverMutedAndOfferTheCaptionsUpToTheLastIndex)
{
    bDesligarMensagens = true;
    dialogs->answer("Não", "inserir equipamento");
    EXPECT_EQ(MostraPergunta("Deseja inserir equipamento no cadastro?", {"Sim", "Não"}), "Não");
    dialogs->answer("Assistência");
    EXPECT_EQ(dmGlobal->MostraPergunta("Tipo?", {"Remanufatura", "Assistência", "Compra"}, 1), "Assistência");
    EXPECT_EQ(dialogs->shown()[1].options, (QStringList{"Remanufatura", "Assistência"}));
    EXPECT_EQ(dialogs->shown()[0].options, (QStringList{"Sim", "Não"}));
}

TEST_F(MessagesTest, LongTextCarriesItsDetail)
{
    dialogs->acknowledge();
    EXPECT_THROW(dmGlobal->MostraAvisoExtenso("SQL com erro", "select *\rfrom X", true, "Depuração"), host::Abort);
    EXPECT_EQ(dialogs->shown()[0].kind, host::ui::DialogKind::LongText);
    EXPECT_EQ(dialogs->shown()[0].title, "Depuração");
    EXPECT_EQ(dialogs->shown()[0].detail, "select *\nfrom X");
}

TEST_F(MessagesTest, LogKeepsOriginTextAndDetailInMemoryAndInTheSystemFolder)
{
    dmGlobal->Log("[CriarDataTec]", "***INICIO");
    dmGlobal->Log("[quOS Open]", "select *\nfrom AATC01AO", "AOCODIGO=5");
    ASSERT_EQ(host::logTrace().size(), 2);
    EXPECT_EQ(host::logTrace()[1].detail, "AOCODIGO=5");
    EXPECT_TRUE(host::logFilePath().startsWith(systemFolder));
    host::flushLog();
    QFile file(host::logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << "a line break inside a text stays on its line";
    EXPECT_TRUE(lines[0].endsWith("\t[CriarDataTec]\t***INICIO\t"));
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\t").match(lines[0]).hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].startsWith(QDate::currentDate().toString("dd/MM/yyyy ")));
    EXPECT_TRUE(lines[1].endsWith("\tselect * from AATC01AO\tAOCODIGO=5"));
    host::clearLogTrace();
    EXPECT_TRUE(host::logTrace().isEmpty());
}

// Accents, characters outside the basic plane and a lone surrogate reach
// the file as UTF-8 (the lone one as the replacement character); the
// origin keeps its text, the text and detail keep to their line.
TEST_F(MessagesTest, LogWritesEveryCharacterAsUtf8)
{
    const QString emoji = QString::fromUcs4(U"\U0001F527");
    const QString sozinho(QChar(0xD800));
    dmGlobal->Log("[Geração]", "Ordem de Serviço nº 5 " + emoji + "\r\nfim", "Observação " + sozinho + "\n€");
    host::flushLog();
    QFile file(host::logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray conteudo = file.readAll();
    ASSERT_TRUE(conteudo.endsWith('\n'));
    const QList<QByteArray> linhas = conteudo.split('\n');
    ASSERT_EQ(linhas.size(), 2) << conteudo.toStdString();
    const QByteArray esperado = QString("\t[Geração]\tOrdem de Serviço nº 5 " + emoji + "  fim\tObservação " +
                                        QChar(0xFFFD) + " €")
                                    .toUtf8();
    EXPECT_TRUE(linhas[0].endsWith(esperado)) << linhas[0].toStdString();
    EXPECT_EQ(linhas[0].size(), 23 + esperado.size());
}

// The file stays open between lines: another system folder gets its own
// file, and a file removed meanwhile is made again.
TEST_F(MessagesTest, LogFollowsTheSystemFolderAndARemovedFile)
{
    auto linhas = [](const QString& path) {
        host::flushLog();
        QFile file(path);
        return file.open(QIODevice::ReadOnly | QIODevice::Text)
                   ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts).size()
                   : -1;
    };
    dmGlobal->Log("[A]", "primeira");
    const QString primeiro = host::logFilePath();
    const QString outraPasta = systemFolder + "/outra";
    sCaminhoSistema = outraPasta;
    dmGlobal->Log("[B]", "segunda");
    const QString segundo = host::logFilePath();
    sCaminhoSistema = systemFolder;
    dmGlobal->Log("[A]", "terceira");
    EXPECT_NE(primeiro, segundo);
    EXPECT_EQ(linhas(primeiro), 2);
    EXPECT_EQ(linhas(segundo), 1);

    ASSERT_TRUE(QFile::remove(primeiro));
    QThread::msleep(1100);   // a removed file is looked for once a second
    dmGlobal->Log("[A]", "quarta");
    EXPECT_EQ(linhas(primeiro), 1);
}

// A log line written where no system folder was set lands under the test's
// own folder: no test writes into the invoking user's data folder.
TEST_F(MessagesTest, WithoutASystemFolderTheLogStaysInTheTestFolder)
{
    sCaminhoSistema.clear();
    dmGlobal->Log("[A]", "sem pasta do sistema");
    const QString caminho = host::logFilePath();
    sCaminhoSistema = systemFolder;
    EXPECT_TRUE(caminho.startsWith(testsupport::testFolder() + "/")) << caminho.toStdString();
    // The invoking user's own home, not the one the test program gives itself.
    const QString casaDoUsuario = QFile::decodeName(::getpwuid(::geteuid())->pw_dir);
    EXPECT_FALSE(caminho.startsWith(casaDoUsuario + "/.local/")) << caminho.toStdString();
    EXPECT_TRUE(QFile::exists(caminho));
}

namespace {
QByteArray conteudoDoLog()
{
    QFile file(host::logFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

// Lines logged close together reach the file together: with no other line
// after them, the event loop writes them within a moment; many lines (more
// than the room kept for them) all arrive, in their order.
TEST_F(MessagesTest, LoggedLinesReachTheFileWhenTheWorkPausesAndNoneIsLost)
{
    for (int i = 1; i <= 3000; ++i)
        dmGlobal->Log("[Lote]", QString("linha %1 ").arg(i) + QString(40, 'x'));
    dmGlobal->Log("[Lote]", "ultima");
    QElapsedTimer espera;
    espera.start();
    while (!conteudoDoLog().contains("\tultima\t") && espera.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QList<QByteArray> linhas = conteudoDoLog().split('\n');
    ASSERT_EQ(linhas.size(), 3002) << "every line once, and the file ends with a line break";
    for (int i = 1; i <= 3000; ++i)
        ASSERT_TRUE(linhas[i - 1].contains(QString("\t[Lote]\tlinha %1 x").arg(i).toUtf8())) << i;
    EXPECT_TRUE(linhas[3000].endsWith("\tultima\t"));
}

// A program that crashes right after logging still leaves the line in the
// file (it is what one reads to know what the program was doing).
TEST_F(MessagesTest, ALineLoggedJustBeforeACrashIsInTheFile)
{
    dmGlobal->Log("[Antes]", "gravada");
    host::flushLog();
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        const rlimit semNucleo{0, 0};
        setrlimit(RLIMIT_CORE, &semNucleo);
        host::writeLog("[Lote]", "ultima antes da falha");
        std::abort();
    }
    // The child of a threaded process may hang on a lock a thread held at the fork: waited for 30 s.
    int estado = 0;
    pid_t terminou = 0;
    for (int espera = 0; espera < 3000 && terminou == 0; ++espera) {
        terminou = waitpid(filho, &estado, WNOHANG);
        if (terminou == 0)
            QThread::msleep(10);
    }
    if (terminou == 0) {
        ::kill(filho, SIGKILL);
        waitpid(filho, &estado, 0);
    }
    ASSERT_EQ(terminou, filho) << "the child that logs and aborts did not end in 30 s";
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGABRT) << estado;
    const QList<QByteArray> linhas = conteudoDoLog().split('\n');
    ASSERT_EQ(linhas.size(), 3);
    EXPECT_TRUE(linhas[1].endsWith("\t[Lote]\tultima antes da falha\t"));
}

TEST_F(MessagesTest, AuditRecordGoesToArqlogWithTodayWhenNoDateIsGiven)
{
    dmGlobal->GravaLog("SYSDBA", "EXCLUSAO", "AOCODIGO=12", "AATC01AO");
    EXPECT_EQ(one("select count(*) from ARQLOG where USUARIO = 'SYSDBA' and ACAO = 'EXCLUSAO'"
                  " and OBSERVACAO = 'AOCODIGO=12' and TABELA = 'AATC01AO' and DATA = 'TODAY'").toInt(),
              1);
    dmGlobal->GravaLog("U", "A", QString(300, 'x'), "T", QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    EXPECT_EQ(one("select char_length(OBSERVACAO) from ARQLOG where DATA = '2024-02-29'").toInt(), 255);
}

TEST_F(MessagesTest, ProgressWindowFollowsTheClassicActions)
{
    dmGlobal->PreparaSplashForm(3, "Gerando", "Mostrar");
    dmGlobal->PreparaSplashForm(1, "Passo", "Incrementar");
    EXPECT_EQ(host::ui::ProgressWindow::instance().position(), 1);
    EXPECT_EQ(host::ui::ProgressWindow::instance().total(), 3);
    dmGlobal->PreparaSplashForm(0, "", "Ocultar");
    EXPECT_FALSE(host::ui::ProgressWindow::instance().isShown());
}
