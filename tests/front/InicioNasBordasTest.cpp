// Starts that cannot go on, as the person (or the scheduled job) meets them:
// each is told once, in Portuguese, naming the user, the file or the
// server, with the engine's text only as the detail, and nothing of Qt's.

#include "tests/front/ExecutavelNoBanco.h"

#include "host/db/Database.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include <functional>

namespace {

struct Execucao {
    int codigo = -1;
    QString saida, erros;
};

// A socket listening on a free port of this machine (-1 when none); the
// system takes its connections whether anyone answers them or not.
int escutar(int& porta)
{
    const int escuta = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in endereco {};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    if (escuta < 0 || ::bind(escuta, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) != 0 ||
        ::listen(escuta, 8) != 0 || ::getsockname(escuta, reinterpret_cast<sockaddr*>(&endereco), &tamanho) != 0) {
        if (escuta >= 0) ::close(escuta);
        return -1;
    }
    porta = ntohs(endereco.sin_port);
    return escuta;
}

// The executable as a scheduled job or a person starts it, with no runtime
// folder (as cron gives none) and the environment changed by `ajuste`.
Execucao iniciar(const QStringList& argumentos, const std::function<void(QProcessEnvironment&)>& ajuste = {})
{
    QTemporaryDir dados;
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove("XDG_RUNTIME_DIR");
    ambiente.insert("XDG_DATA_HOME", dados.path());
    if (ajuste)
        ajuste(ambiente);
    processo.setProcessEnvironment(ambiente);
    processo.start(TA_HOST_PATH, argumentos);
    Execucao e;
    if (!processo.waitForFinished(180000)) {
        processo.kill();
        processo.waitForFinished();
    }
    e.codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    e.saida = QString::fromUtf8(processo.readAllStandardOutput());
    e.erros = QString::fromUtf8(processo.readAllStandardError());
    return e;
}

TEST(InicioNasBordas, ARefusedStartSaysItOnceAndNothingOfQts)
{
    QTemporaryDir pasta;
    const QString banco = pasta.filePath("digitado-errado.fdb");
    for (const char* modo : {"--os-contratos", "--autoteste"}) {
        const Execucao e = iniciar({"--banco", banco, modo});
        EXPECT_EQ(e.codigo, 3) << modo;
        EXPECT_EQ((e.erros + e.saida).count("não existe"), 1) << modo << ": " << e.erros.toStdString();
        EXPECT_FALSE(e.erros.contains("QObject") || e.erros.contains("QStandardPaths")) << e.erros.toStdString();
        EXPECT_TRUE(e.erros.startsWith("Erro: ")) << e.erros.toStdString();
    }
}

// A server that takes the connection and never answers: the start tells
// within seconds what it waits for, then gives up naming the server. The
// server is named with its port, a form of the engine's own.
TEST(InicioNasBordas, AServerThatNeverAnswersIsToldAndGivenUp)
{
    // The system takes the connections of a listening socket; nobody ever answers them.
    int porta = 0;
    const int mudo = escutar(porta);
    ASSERT_GE(mudo, 0);
    const QString servidor = QString("127.0.0.1/%1").arg(porta);
    const QString banco = servidor + ":/srv/banco/empresa.fdb";
    const Execucao e = iniciar({"--banco", banco, "--os-contratos"});
    EXPECT_EQ(e.codigo, 3);
    const QStringList linhas = e.erros.split('\n');
    EXPECT_TRUE(linhas.size() > 1 && linhas[0].contains("aguardando") && linhas[0].contains("servidor " + servidor))
        << e.erros.toStdString();
    EXPECT_TRUE(e.erros.contains("O servidor " + servidor + " do banco de dados " + banco + " não respondeu"))
        << e.erros.toStdString();
    // The tests' environment shortens the server wait to 5 s (cmake/Globbed.cmake).
    EXPECT_TRUE(e.erros.contains(QRegularExpression(R"(\(aguardados [5-7] s\))")))
        << "the 5 s it waited: " << e.erros.toStdString();
    EXPECT_FALSE(e.erros.contains("não existe")) << "taken for a local file: " << e.erros.toStdString();
    ::close(mudo);
}

TEST(InicioNasBordas, WithoutADisplayTheWindowsSaySoInPortuguese)
{
    const Execucao e = iniciar({}, [](QProcessEnvironment& ambiente) {
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            ambiente.remove(nome);
    });
    EXPECT_EQ(e.codigo, 8);
    EXPECT_TRUE(e.erros.contains("precisam de uma tela") && e.erros.contains("--autoteste") &&
                e.erros.contains("--os-contratos"))
        << e.erros.toStdString();
    EXPECT_FALSE(e.erros.contains("xcb")) << e.erros.toStdString();
}

// A start with windows whose server answers and goes away shows its error
// box: SIGTERM, as a logout sends it, still ends the program.
TEST(InicioNasBordas, SigtermEndsAStartThatShowsItsErrorBox)
{
    int porta = 0;
    const int servidor = escutar(porta);
    ASSERT_GE(servidor, 0);
    QTemporaryDir dados;
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_DATA_HOME", dados.path());
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    processo.setProcessEnvironment(ambiente);
    processo.start(TA_HOST_PATH, {"--banco", QString("127.0.0.1/%1:/srv/empresa.fdb").arg(porta)});
    // The client library is loaded and connecting: its connection is dropped,
    // and the start shows why.
    pollfd espera{servidor, POLLIN, 0};
    ASSERT_EQ(::poll(&espera, 1, 60000), 1) << "the start never connected";
    ::close(::accept(servidor, nullptr, nullptr));
    ::close(servidor);
    ::kill(pid_t(processo.processId()), SIGTERM);
    const bool terminou = processo.waitForFinished(20000);
    EXPECT_TRUE(terminou) << "SIGTERM did not end the start";
    if (!terminou) {
        processo.kill();
        processo.waitForFinished();
    }
}

class InicioNoBanco : public testfront::ExecutavelNoBanco {};

// A database user without rights on the host's tables (an earlier
// version's database, which no start of its owner has granted yet): told by
// name, with what was refused and how to mend it, not the engine's English.
TEST_F(InicioNoBanco, ADatabaseUserWithoutRightsIsToldByName)
{
    comoVersaoAnterior();
    int codigo = -1;
    executar({"--usuario", "MARIA", "--senha", "x", "--os-contratos"}, codigo);
    EXPECT_EQ(codigo, 3);
    const QString mensagem = testfront::primeiraMensagem(erros);
    EXPECT_TRUE(mensagem.contains("O usuário MARIA do banco de dados não tem permissão para ler a tabela") &&
                mensagem.contains("Inicie o sistema uma vez como SYSDBA ou como o dono do banco de dados"))
        << erros.toStdString();
    EXPECT_TRUE(erros.contains("no permission")) << "the engine's text as the detail: " << erros.toStdString();
}

// An update that changes the database's structure, met first by a user who
// may not change it: told which table and that the owner's start completes
// it; after that start the same user starts.
struct CasoAtualizacaoSemDono {
    const char* nome;
    const char* faltando;   // what the update adds again
    const char* recusa;     // what the user is told they may not do
};
const CasoAtualizacaoSemDono kCasosAtualizacaoSemDono[] = {
    {"ColunaDoSistema", "alter table AATC01AO drop AOATENDENTE", "alterar a tabela AATC01AO"},
    {"TabelaDosContratos", "drop table AATC05FG", "criar a tabela AATC05FG"},
};

class AtualizacaoSemDono : public testfront::ExecutavelNoBanco,
                           public testing::WithParamInterface<CasoAtualizacaoSemDono> {};

TEST_P(AtualizacaoSemDono, IsToldToTheOtherUserAndDoneByTheOwnersStart)
{
    const QStringList maria{"--usuario", "MARIA", "--senha", "x", "--autoteste"};
    int codigo = -1;
    executar({"--autoteste"}, codigo, "offscreen");
    ASSERT_EQ(codigo, 0) << erros.toStdString();
    host::db::executeSql(*global->IBTransaction1, GetParam().faltando);
    global->IBTransaction1->commitRetaining();

    executar(maria, codigo, "offscreen");
    EXPECT_NE(codigo, 0);
    EXPECT_TRUE(erros.contains(QString("O usuário MARIA do banco de dados não tem permissão para ") + GetParam().recusa) &&
                erros.contains("Inicie o sistema uma vez como SYSDBA ou como o dono do banco de dados"))
        << erros.toStdString();

    executar({"--autoteste"}, codigo, "offscreen");
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    executar(maria, codigo, "offscreen");
    EXPECT_EQ(codigo, 0) << erros.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Casos, AtualizacaoSemDono, testing::ValuesIn(kCasosAtualizacaoSemDono),
                         [](const testing::TestParamInfo<CasoAtualizacaoSemDono>& info) { return info.param.nome; });

}  // namespace
