// A company's second login: once the database's owner has started, every
// user the database admits starts, saves an order (the order keeps who
// saved it) and opens every window; what that user may do stays the
// application's rules (the parameters are the master user's).

#include "tests/front/ExecutavelNoBanco.h"

#include "host/Udatamod.h"
#include "host/Uprincipal.h"
#include "host/db/Database.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct CasoOutroUsuario {
    const char* nome;
    bool bancoPadrao;   // the default database of a first start; else the test's, as an earlier version left it
};

const CasoOutroUsuario kCasosOutroUsuario[] = {{"PrimeiroInicio", true}, {"VersaoAnterior", false}};

class OutroUsuario : public testfront::ExecutavelNoBanco, public testing::WithParamInterface<CasoOutroUsuario> {
protected:
    const QStringList maria{"--usuario", "MARIA", "--senha", "x"};

    // The default database of the program's data folder, made by its first
    // start; the fixture's copy is not used.
    void usarBancoPadrao()
    {
        QFile::remove(dbPath);
        dbPath = dados.filePath("AssistenciaTecnica/techassist.fdb");
    }
};

TEST_P(OutroUsuario, StartsSavesAnOrderAndIsRefusedTheParameters)
{
    if (GetParam().bancoPadrao)
        usarBancoPadrao();
    else
        comoVersaoAnterior();
    int codigo = -1;
    const QString doDono = executar({"--autoteste"}, codigo, "offscreen");   // the owner's start
    ASSERT_EQ(codigo, 0) << doDono.toStdString() << erros.toStdString();

    // The order keeps who saved it: its attendant is asked, and only a
    // technician's login may save one.
    global->SetParametro("ATCONTROLEOS", "S");
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATALTERAROS, ATACESSORESTRITO, ATATIVO, ATUSUARIO)"
         " values (90, 'MARIA', 'S', 'N', 'S', 'MARIA')");
    contratoDevido(9001);
    const QString ordens = executar(maria + QStringList{"--os-contratos"}, codigo);
    EXPECT_EQ(codigo, 0) << ordens.toStdString() << erros.toStdString();
    EXPECT_EQ(one("select list(distinct o.AOATENDENTE) from AATC01AO o"
                  " where exists (select 1 from AATC01AOIT i where i.AOCODIGO = o.AOCODIGO and i.ACCODIGO = 9001)")
                  .toString(),
              "MARIA");

    const QString autoteste = executar(maria + QStringList{"--autoteste"}, codigo, "offscreen");
    EXPECT_EQ(codigo, 0) << autoteste.toStdString() << erros.toStdString();

    global.reset();
    global = std::make_unique<TdmGlobal>(dbPath, "MARIA", "x");
    // Every table, the upgrades' included, as the windows that use them read it.
    QStringList semLeitura;
    const QString tabelas =
        one("select list(trim(RDB$RELATION_NAME)) from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0").toString();
    for (const QString& tabela : tabelas.split(','))
        try {
            one("select first 1 1 from " + tabela);
        } catch (const host::db::DbError&) {
            semLeitura << tabela;
        }
    EXPECT_EQ(semLeitura, QStringList());
    ASSERT_FALSE(UsuarioMestre());
    TfmPrincipal janela;
    dialogs->acknowledge("Apenas o usuário mestre");
    janela.miParametros->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, OutroUsuario, testing::ValuesIn(kCasosOutroUsuario),
                         [](const testing::TestParamInfo<CasoOutroUsuario>& info) { return info.param.nome; });

}  // namespace
