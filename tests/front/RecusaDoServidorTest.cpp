// A server that refuses the connection at once, or a name no machine has:
// the start tells which at once, in Portuguese, and says nothing of a wait
// it did not make. (A server that never answers: InicioNasBordasTest.)

#include "tests/front/ExecutavelNoBanco.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Inicio {
    int codigo = -1;
    QString erros;
};

Inicio iniciar(const QString& banco)
{
    QTemporaryDir dados;
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_DATA_HOME", dados.path());
    processo.setProcessEnvironment(ambiente);
    processo.start(TA_HOST_PATH, {"--banco", banco, "--os-contratos"});
    const bool terminou = processo.waitForFinished(180000);
    EXPECT_TRUE(terminou) << "techassist --banco " << banco.toStdString() << " did not end in 180 s";
    if (!terminou)
        processo.kill();
    Inicio i;
    i.codigo = terminou && processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    i.erros = QString::fromUtf8(processo.readAllStandardError());
    return i;
}

// A port of this machine nobody listens on: bound, then let go.
int portaFechada()
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    ::bind(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
    ::close(s);
    return ntohs(endereco.sin_port);
}

TEST(RecusaDoServidor, ARefusalAtOnceIsToldWithoutAWaitItDidNotMake)
{
    const QString servidor = QString("127.0.0.1/%1").arg(portaFechada());
    const QString banco = servidor + ":/srv/banco/empresa.fdb";
    const Inicio i = iniciar(banco);
    EXPECT_EQ(i.codigo, 3);
    EXPECT_TRUE(i.erros.contains("O servidor " + servidor + " do banco de dados " + banco + " recusou a conexão"))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("aguarda")) << i.erros.toStdString();
}

TEST(RecusaDoServidor, AServerNameNoMachineHasIsToldAsNotFound)
{
    const QString banco = "servidor-que-nao-existe.invalid:/srv/banco/empresa.fdb";
    const Inicio i = iniciar(banco);
    EXPECT_EQ(i.codigo, 3);
    EXPECT_TRUE(i.erros.contains("O servidor servidor-que-nao-existe.invalid do banco de dados " + banco +
                                 " não foi encontrado na rede."))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("aguardados")) << i.erros.toStdString();
}

}  // namespace
