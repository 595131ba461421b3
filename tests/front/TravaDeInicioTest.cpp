// Two starts at once on a database the module has not upgraded yet, of one
// user or of a group's owner and member (who may not add names to the
// database's folder): every upgrade runs in one start's turn, the other
// start waits for it, never for a message of it left unanswered, and runs
// on the upgraded database.

#include "tests/front/ExecutavelNoBanco.h"

#include "tests/support/OutrosUsuarios.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray caminho8(const QString& caminho) { return QFile::encodeName(caminho); }

struct Caso {
    const char* nome;
    const char* contratos;   // ATUTILIZACONTRATOS: "N" upgrades the contract tables at the first window
    const char* dono;        // the users of the two starts (nullptr: this one)
    const char* outro;
};

class TravaDeInicio : public testfront::ExecutavelNoBanco {
protected:
    // The test's database with the contracts option given, copied to a
    // folder of the database's owner its group may enter but not write.
    QString copiarParaPastaDoGrupo(const Caso& c, const QString& pasta)
    {
        global->SetParametro("ATUTILIZACONTRATOS", c.contratos);
        global->IBTransaction1->commit();
        global.reset();
        const QString pastaDoBanco = pasta + "/banco";
        EXPECT_TRUE(QDir().mkpath(pastaDoBanco));
        const QString banco = pastaDoBanco + "/empresa.fdb";
        EXPECT_TRUE(QFile::copy(dbPath, banco));
        if (c.dono) {
            const uid_t dono = testsupport::uidDe(c.dono);
            EXPECT_EQ(::chown(caminho8(pastaDoBanco).constData(), dono, testsupport::grupoTeste()), 0);
            EXPECT_EQ(::chown(caminho8(banco).constData(), dono, testsupport::grupoTeste()), 0);
        }
        ::chmod(caminho8(pasta).constData(), 0755);
        ::chmod(caminho8(pastaDoBanco).constData(), 02750);
        ::chmod(caminho8(banco).constData(), 0660);
        global = std::make_unique<TdmGlobal>(dbPath);
        return banco;
    }
};

// The start's log under `pasta` of `usuario`'s data folder.
QString logDoInicio(const QString& pasta, const char* usuario)
{
    QString texto;
    const QDir log(pasta + "/dados/" + (usuario ? usuario : "este") + "/AssistenciaTecnica/Log");
    for (const QFileInfo& arquivo : log.entryInfoList(QDir::Files)) {
        QFile f(arquivo.filePath());
        if (f.open(QIODevice::ReadOnly))
            texto += QString::fromUtf8(f.readAll());
    }
    return texto;
}

// Waits (at most a minute) until `pronto` holds or the process ends.
template <class Pronto>
void aguardar(QProcess& processo, Pronto pronto)
{
    for (int i = 0; i < 600 && !pronto(); ++i)
        if (processo.waitForFinished(100))
            return;
}

// A start with windows shows the messages of its upgrade (the contract
// tables', made at start whatever the contracts option says) once its turn
// is over: the other start, begun while the first upgrades, runs to its end
// while the first's message still waits for its OK.
TEST_F(TravaDeInicio, AStartNeverWaitsForAnotherStartsUnansweredMessage)
{
    const QString semUsuarios = testsupport::garantirUsuarios();
    for (const Caso& c : {Caso{"one user, contracts not in use", "N", nullptr, nullptr},
                          Caso{"a group's owner and member", "S", testsupport::donoTeste(), testsupport::outroTeste()}}) {
        SCOPED_TRACE(c.nome);
        if (c.dono && !semUsuarios.isEmpty())
            continue;
        QTemporaryDir pasta(testsupport::pastaParaOutrosUsuarios() + "/inicio-XXXXXX");
        ASSERT_TRUE(pasta.isValid());
        const QString banco = copiarParaPastaDoGrupo(c, pasta.path());
        if (c.dono) {   // the owner's lock folder, as the owner's first use makes it
            QProcess semModulo;
            testfront::comecarComBanco(semModulo, banco, pasta.path(), c.dono, {"--os-contratos", "--modulo=/nao/existe"});
            EXPECT_EQ(testfront::terminarComBanco(semModulo, banco).codigo, 4);
        }
        QProcess comJanelas, autoteste;
        testfront::comecarComBanco(comJanelas, banco, pasta.path(), c.dono, {});
        aguardar(comJanelas, [&] { return logDoInicio(pasta.path(), c.dono).contains("[CriarDataTec]"); });
        testfront::comecarComBanco(autoteste, banco, pasta.path(), c.outro, {"--autoteste"});
        const testfront::InicioComBanco i = testfront::terminarComBanco(autoteste, banco, 90000);
        EXPECT_EQ(comJanelas.state(), QProcess::Running) << "the first start's message no longer waits";
        ::kill(pid_t(comJanelas.processId()), SIGTERM);
        testfront::terminarComBanco(comJanelas, banco);
        EXPECT_EQ(i.codigo, 0) << i.saida.toStdString() << i.erros.toStdString();
        EXPECT_TRUE(i.saida.contains("falhas: 0")) << i.saida.toStdString();
    }
}

}  // namespace
