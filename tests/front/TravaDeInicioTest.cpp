// The turn marker of a start ("<database>.inicio") that another user's
// start left in a shared folder, and ended without removing: the start of
// this user tells it at once and goes on, instead of waiting for it.

#include "tests/front/ExecutavelNoBanco.h"

#include "tests/support/OutrosUsuarios.h"
#include "tests/support/TestDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {


class TravaDeInicio : public testfront::ExecutavelNoBanco {};

QByteArray caminho8(const QString& caminho) { return QFile::encodeName(caminho); }

TEST_F(TravaDeInicio, AnotherUsersMarkerOfAnEndedStartIsToldAtOnce)
{
    const QString porque = testsupport::garantirUsuarios();
    if (!porque.isEmpty())
        GTEST_SKIP() << porque.toStdString();
    global->IBTransaction1->commit();
    global.reset();
    // A folder the users share, as the temporary one is.
    QTemporaryDir pasta(testsupport::pastaParaOutrosUsuarios() + "/compartilhada-XXXXXX");
    ASSERT_TRUE(pasta.isValid());
    ::chmod(caminho8(pasta.path()).constData(), 01777);
    const QString banco = pasta.path() + "/banco.fdb";
    ASSERT_TRUE(QFile::copy(dbPath, banco));
    ASSERT_EQ(::chown(caminho8(banco).constData(), testsupport::uidDe(testsupport::donoTeste()), testsupport::grupoTeste()), 0);
    ::chmod(caminho8(banco).constData(), 0600);
    for (const char* sub : {"/dados", "/tmp"}) {
        ASSERT_TRUE(QDir().mkpath(pasta.path() + sub));
        ::chmod(caminho8(pasta.path() + sub).constData(), 01777);
    }
    {
        QFile marca(banco + ".inicio");
        ASSERT_TRUE(marca.open(QIODevice::WriteOnly));
        marca.write(QByteArray::number(testsupport::processoTerminado()) + "\ntechassist\n" + QSysInfo::machineHostName().toUtf8() +
                    "\n");
    }
    ASSERT_EQ(::chown(caminho8(banco + ".inicio").constData(), testsupport::uidDe(testsupport::outroTeste()),
                      testsupport::grupoTeste()),
              0);

    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"FIREBIRD", "FIREBIRD_LOCK", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "HOME"})
        ambiente.remove(nome);
    ambiente.insert("XDG_DATA_HOME", pasta.path() + "/dados");
    ambiente.insert("TMPDIR", pasta.path() + "/tmp");
    ambiente.insert("TECHASSIST_PASTA_TRAVAS", pasta.path() + "/tmp");
    processo.setProcessEnvironment(ambiente);
    QElapsedTimer relogio;
    relogio.start();
    processo.start("setpriv", testsupport::comoUsuario(testsupport::donoTeste(), TA_HOST_PATH) +
                                  QStringList{"--banco", banco, "--os-contratos"});
    const bool terminou = processo.waitForFinished(90000);
    if (!terminou) {
        processo.kill();
        processo.waitForFinished();
    }
    const QString erros = QString::fromLocal8Bit(processo.readAllStandardError());
    const QString saida = QString::fromLocal8Bit(processo.readAllStandardOutput());
    EXPECT_TRUE(terminou) << "the start waited for the marker: " << erros.toStdString();
    EXPECT_TRUE(erros.contains(banco + ".inicio") && erros.contains(testsupport::outroTeste())) << erros.toStdString();
    EXPECT_FALSE(erros.contains("Aguardando")) << erros.toStdString();
    EXPECT_TRUE(saida.contains("ordens geradas")) << saida.toStdString() << erros.toStdString();
    global = std::make_unique<TdmGlobal>(dbPath);
}

}  // namespace
