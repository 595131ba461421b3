// The runs that show no window start where there is no display at all (a
// scheduled job, a remote shell), whatever platform the environment names.

#include "tests/front/ExecutavelNoBanco.h"

namespace {

class SemTela : public testfront::ExecutavelNoBanco {
protected:
    void SetUp() override
    {
        ExecutavelNoBanco::SetUp();
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY"}) {
            guardadas.append({nome, qgetenv(nome), qEnvironmentVariableIsSet(nome)});
            qunsetenv(nome);
        }
    }
    void TearDown() override
    {
        for (const Guardada& g : guardadas)
            if (g.definida)
                qputenv(g.nome, g.valor);
        ExecutavelNoBanco::TearDown();
    }
    struct Guardada {
        const char* nome;
        QByteArray valor;
        bool definida;
    };
    QList<Guardada> guardadas;
};

}  // namespace

TEST_F(SemTela, TheSelfTestAndTheJobRunWithADisplayPlatformAndNoDisplay)
{
    int codigo = -1;
    executar({"--os-contratos"}, codigo, "xcb");
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    executar({"--autoteste"}, codigo, "xcb");
    EXPECT_EQ(codigo, 0) << erros.toStdString();
}
