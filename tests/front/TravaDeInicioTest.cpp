// The turn marker of a start ("<database>.inicio") that another user's
// start left in a shared folder, and ended without removing (or that names
// no process): the start of this user tells it at once and goes on,
// instead of waiting for it.

#include "tests/front/ExecutavelNoBanco.h"

#include "tests/support/OutrosUsuarios.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray caminho8(const QString& caminho) { return QFile::encodeName(caminho); }

class TravaDeInicio : public testfront::ExecutavelNoBanco {
protected:
    // A start of one user on a copy of the database in a folder the users
    // share (sticky, as the temporary one is), beside a marker with
    // `conteudo` that the other user left.
    testfront::InicioComBanco iniciarAoLadoDaMarcaDoOutro(const QByteArray& conteudo)
    {
        global->IBTransaction1->commit();
        global.reset();
        QTemporaryDir pasta(testsupport::pastaParaOutrosUsuarios() + "/compartilhada-XXXXXX");
        EXPECT_TRUE(pasta.isValid());
        ::chmod(caminho8(pasta.path()).constData(), 01777);
        banco = pasta.path() + "/banco.fdb";
        EXPECT_TRUE(QFile::copy(dbPath, banco));
        EXPECT_EQ(::chown(caminho8(banco).constData(), testsupport::uidDe(testsupport::donoTeste()), testsupport::grupoTeste()), 0);
        ::chmod(caminho8(banco).constData(), 0600);
        {
            QFile marca(banco + ".inicio");
            EXPECT_TRUE(marca.open(QIODevice::WriteOnly));
            marca.write(conteudo);
        }
        EXPECT_EQ(::chown(caminho8(banco + ".inicio").constData(), testsupport::uidDe(testsupport::outroTeste()),
                          testsupport::grupoTeste()),
                  0);
        const testfront::InicioComBanco inicio =
            testfront::iniciarComBanco(banco, pasta.path(), testsupport::donoTeste(), 90000);
        global = std::make_unique<TdmGlobal>(dbPath);
        return inicio;
    }
    QString banco;
};

TEST_F(TravaDeInicio, AnotherUsersMarkerOfAnEndedStartIsToldAtOnce)
{
    const QString porque = testsupport::garantirUsuarios();
    if (!porque.isEmpty())
        GTEST_SKIP() << porque.toStdString();
    const testfront::InicioComBanco i = iniciarAoLadoDaMarcaDoOutro(
        QByteArray::number(testsupport::processoTerminado()) + "\ntechassist\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_TRUE(i.terminou) << "the start waited for the marker: " << i.erros.toStdString();
    EXPECT_TRUE(i.erros.contains(banco + ".inicio") && i.erros.contains(testsupport::outroTeste())) << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("Aguardando")) << i.erros.toStdString();
    EXPECT_TRUE(i.saida.contains("ordens geradas")) << i.saida.toStdString() << i.erros.toStdString();
}

// The same with a marker that names no process (what a machine stopped
// while a start was making it leaves).
TEST_F(TravaDeInicio, AnotherUsersMarkerThatNamesNoProcessIsToldAtOnce)
{
    const QString porque = testsupport::garantirUsuarios();
    if (!porque.isEmpty())
        GTEST_SKIP() << porque.toStdString();
    const testfront::InicioComBanco i = iniciarAoLadoDaMarcaDoOutro({});
    EXPECT_TRUE(i.terminou) << "the start waited for the marker: " << i.erros.toStdString();
    EXPECT_TRUE(i.erros.contains(banco + ".inicio") && i.erros.contains(testsupport::outroTeste()) &&
                i.erros.contains("sem nomear processo"))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("Aguardando")) << i.erros.toStdString();
    EXPECT_TRUE(i.saida.contains("ordens geradas")) << i.saida.toStdString() << i.erros.toStdString();
}

}  // namespace
