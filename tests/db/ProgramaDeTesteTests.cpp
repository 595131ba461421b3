// A test program leaves the machine as it found it: what it writes stays in
// its own folders, the OS users and groups it makes go when it ends, and
// what a killed program left is removed by the next one.

#include "tests/db/PastasDoMotorFixture.h"
#include "tests/support/OutrosUsuarios.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// What a folder holds, as one line (empty: nothing).
std::string conteudo(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).join(' ').toStdString();
}

QString nomeDe(const char* marca, qint64 processo) { return QString("techassist-%1-%2").arg(marca).arg(processo); }
bool haUsuario(const QString& nome) { return ::getpwnam(QFile::encodeName(nome).constData()) != nullptr; }
bool haGrupo(const QString& nome) { return ::getgrnam(QFile::encodeName(nome).constData()) != nullptr; }

using pastasdomotor::EngineFolders;

// Run only by the test below, as a program of its own: one that ends
// without its cleanup inside a case that made its scratch folder.
TEST_F(EngineFolders, DISABLED_EndsWithoutItsCleanup) { ::_exit(0); }

TEST(ProgramaDeTeste, LeavesNothingOutsideItsFoldersAndRemovesWhatAKilledOneLeft)
{
    QTemporaryDir casa, temporaria, dosTestes;
    ASSERT_TRUE(casa.isValid() && temporaria.isValid() && dosTestes.isValid());
    const bool root = ::geteuid() == 0;
    // What a killed program left: its users, group and folders.
    const qint64 morto = testsupport::processoTerminado();
    const QString pastaMorta = QString("/tmp/techassist-outros-%1-abcdef").arg(morto);
    ASSERT_TRUE(QDir().mkpath(dosTestes.path() + QString("/casa-%1-0/casa").arg(morto)));
    if (root) {
        ASSERT_TRUE(testsupport::executarAteOFim("groupadd", {nomeDe("g", morto)}));
        ASSERT_TRUE(testsupport::executarAteOFim(
            "useradd", {"-M", "-N", "-g", nomeDe("g", morto), "-s", "/usr/sbin/nologin", nomeDe("t1", morto)}));
        ASSERT_TRUE(QDir().mkpath(pastaMorta));
    }

    // A program given nothing but a home and a temporary folder: one that
    // ends without its cleanup, then one case that runs a program as the
    // other users.
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                             "TECHASSIST_PASTA_TRAVAS", "FIREBIRD", "FIREBIRD_LOCK"})
        ambiente.remove(nome);
    ambiente.insert("HOME", casa.path());
    ambiente.insert("TMPDIR", temporaria.path());
    ambiente.insert("TA_TEST_TMP", dosTestes.path());
    qint64 filho = 0;
    for (const QStringList& argumentos :
         {QStringList{"--gtest_also_run_disabled_tests", "--gtest_filter=EngineFolders.DISABLED_EndsWithoutItsCleanup"},
          QStringList{"--gtest_filter=OutroUsuario.APrivateAndAGroupsDatabaseOfOneOwnerOpenSideBySide"}}) {
        QProcess programa;
        programa.setProcessEnvironment(ambiente);
        programa.start(QCoreApplication::applicationFilePath(), argumentos);
        ASSERT_TRUE(programa.waitForStarted());
        filho = programa.processId();
        ASSERT_TRUE(programa.waitForFinished(120000));
        EXPECT_EQ(programa.exitCode(), 0) << programa.readAllStandardOutput().toStdString();
    }

    EXPECT_EQ(conteudo(casa.path()), "") << "the invoking user's home";
    EXPECT_EQ(conteudo(temporaria.path()), "") << "the temporary folder";
    EXPECT_EQ(conteudo(dosTestes.path()), "") << "the tests' folder";
    EXPECT_FALSE(QFileInfo::exists(pastaMorta));
    for (const char* marca : {"t1", "t2"})
        EXPECT_FALSE(haUsuario(nomeDe(marca, morto)) || (filho && haUsuario(nomeDe(marca, filho)))) << marca;
    for (const char* marca : {"g", "s", "t1"})
        EXPECT_FALSE(haGrupo(nomeDe(marca, morto)) || (filho && haGrupo(nomeDe(marca, filho)))) << marca;
    EXPECT_TRUE(QDir("/tmp").entryList({QString("techassist-outros-%1-*").arg(filho)}, QDir::Dirs).isEmpty());
}

}  // namespace
