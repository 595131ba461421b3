// A start whose lock folder lies on a full file system (a small temporary
// folder filled up): told in words naming the folder, with the exit code of
// a database that could not be opened, never a "Bus error".

#include "host/db/Database.h"
#include "tests/front/ExecutavelNoBanco.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

extern const char* const TA_HOST_PATH;

namespace {

TEST(TravasSemEspaco, AFullLockFolderIsToldNamingItAndTheStartEndsWithThree)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a small file system is mounted only by root";
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString banco = pasta.filePath("banco.fdb");
    {
        host::db::Connection c;
        c.create({banco});
    }
    const QString cheia = pasta.filePath("cheia");
    ASSERT_TRUE(QDir().mkpath(cheia));
    // Mounted in a mount namespace of the start's own: it goes with it.
    const QStringList montada{"unshare", "-m", "sh", "-c",
                              "mount -t tmpfs -o size=2m,mode=1777 tmpfs \"$0\" || exit 99; "
                              "head -c 3000000 /dev/zero > \"$0/cheio\" 2>/dev/null; exec \"$@\"",
                              cheia};
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"XDG_RUNTIME_DIR", "FIREBIRD", "FIREBIRD_LOCK"})
        ambiente.remove(nome);
    ambiente.insert("XDG_DATA_HOME", pasta.filePath("dados"));
    ambiente.insert("TECHASSIST_PASTA_TRAVAS", cheia);
    processo.setProcessEnvironment(ambiente);
    processo.start(montada.first(), montada.mid(1) + QStringList{TA_HOST_PATH, "--banco", banco, "--os-contratos"});
    ASSERT_TRUE(processo.waitForFinished(60000));
    const QString erros = QString::fromUtf8(processo.readAllStandardError());
    ASSERT_NE(processo.exitCode(), 99) << "no file system could be mounted here: " << erros.toStdString();
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit) << "killed by a signal";
    EXPECT_EQ(processo.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(cheia + "/techassist-firebird-lock-0") && erros.contains("está cheio"))
        << erros.toStdString();
    EXPECT_TRUE(QDir(cheia).isEmpty()) << "the mount went with the start";
}

// The first start on a full disk (the home and its data, the engine's
// folder too): told that the disk is full, of the database the user knows,
// not of the name it is built under.
TEST(TravasSemEspaco, AFirstStartOnAFullDiskSaysSo)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a small file system is mounted only by root";
    struct Caso {
        const char* enchimento;   // bytes taken of the disk's 2 MB
        const char* dito;         // what names the full disk
    };
    for (const Caso& c : {Caso{"1000000", "/.local/share/AssistenciaTecnica/techassist.fdb"},
                          // a write cut short, which the engine tells with a stale reason
                          Caso{"1100000", "/.local/share/AssistenciaTecnica/techassist.fdb"},
                          Caso{"1900000", "/.cache/techassist-firebird"}}) {
        SCOPED_TRACE(c.enchimento);
        QTemporaryDir pasta;
        ASSERT_TRUE(pasta.isValid());
        const QString cheia = pasta.filePath("casa");
        ASSERT_TRUE(QDir().mkpath(cheia));
        const QStringList montada{"unshare", "-m", "sh", "-c",
                                  QString("mount -t tmpfs -o size=2m,mode=0700 tmpfs \"$0\" || exit 99; "
                                          "head -c %1 /dev/zero > \"$0/cheio\" 2>/dev/null; exec \"$@\"")
                                      .arg(c.enchimento),
                                  cheia};
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_DATA_HOME", "FIREBIRD", "FIREBIRD_LOCK"})
            ambiente.remove(nome);
        ambiente.insert("HOME", cheia);
        ambiente.insert("TMPDIR", pasta.path());
        ambiente.insert("TECHASSIST_PASTA_TRAVAS", pasta.path());
        processo.setProcessEnvironment(ambiente);
        processo.start(montada.first(), montada.mid(1) + QStringList{TA_HOST_PATH, "--os-contratos"});
        ASSERT_TRUE(processo.waitForFinished(60000));
        const QString erros = QString::fromUtf8(processo.readAllStandardError());
        ASSERT_NE(processo.exitCode(), 99) << "no file system could be mounted here: " << erros.toStdString();
        EXPECT_EQ(processo.exitCode(), 3) << erros.toStdString();
        const QString primeira = testfront::primeiraMensagem(erros);
        EXPECT_TRUE(primeira.contains("disco está cheio") && primeira.contains(cheia + c.dito)) << erros.toStdString();
        EXPECT_FALSE(erros.contains(".novo")) << erros.toStdString();
    }
}

}  // namespace
