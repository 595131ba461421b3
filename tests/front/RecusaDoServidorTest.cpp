// A server that refuses the connection at once, or a name no machine has:
// the start tells which at once, in Portuguese, and says nothing of a wait
// it did not make. (A server that never answers: InicioNasBordasTest.)

#include "tests/front/ExecutavelNoBanco.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

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
    const testfront::InicioComBanco i = testfront::iniciarComBanco(banco);
    EXPECT_EQ(i.codigo, 3);
    EXPECT_TRUE(i.erros.contains("O servidor " + servidor + " do banco de dados " + banco + " recusou a conexão"))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("aguarda")) << i.erros.toStdString();
}

TEST(RecusaDoServidor, AServerNameNoMachineHasIsToldAsNotFound)
{
    const QString banco = "servidor-que-nao-existe.invalid:/srv/banco/empresa.fdb";
    const testfront::InicioComBanco i = testfront::iniciarComBanco(banco);
    EXPECT_EQ(i.codigo, 3);
    EXPECT_TRUE(i.erros.contains("O servidor servidor-que-nao-existe.invalid do banco de dados " + banco +
                                 " não foi encontrado na rede."))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("aguardados")) << i.erros.toStdString();
}

}  // namespace
