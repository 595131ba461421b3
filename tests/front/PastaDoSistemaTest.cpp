// The system folder (the default database, the log) of a user whose home
// another user may write: the other user's folders on the way, or a link
// where the log goes, must never receive the database or the lines.

#include "tests/support/OutrosUsuarios.h"
#include "tests/support/TestDatabase.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

extern const char* const TA_HOST_PATH;

namespace {

const char* dono() { return testsupport::donoTeste(); }
const char* outro() { return testsupport::outroTeste(); }

QByteArray bytesDe(const QString& caminho) { return QFile::encodeName(caminho); }

class PastaDoSistema : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString porque = testsupport::garantirUsuarios();
        if (!porque.isEmpty())
            GTEST_SKIP() << porque.toStdString();
        ASSERT_TRUE(raiz.isValid());
        ::chmod(bytesDe(raiz.path()).constData(), 0755);
        ASSERT_TRUE(QDir().mkpath(em("tmp")));
        ::chmod(bytesDe(em("tmp")).constData(), 01777);
        ASSERT_TRUE(QDir().mkpath(em("casa")));
        darA(em("casa"), dono(), 0777);
        escrever(em("casa/.bashrc"), "alias ls='ls -F'\n");
        darA(em("casa/.bashrc"), dono(), 0600);
    }
    QString em(const QString& nome) const { return raiz.path() + "/" + nome; }
    QString sistema() const { return em("casa/.local/share/AssistenciaTecnica"); }
    static void escrever(const QString& caminho, const QByteArray& texto)
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(texto);
    }
    static void darA(const QString& caminho, const char* usuario, mode_t modo)
    {
        ASSERT_EQ(::lchown(bytesDe(caminho).constData(), testsupport::uidDe(usuario), testsupport::grupoTeste()), 0);
        if (!QFileInfo(caminho).isSymLink())
            ::chmod(bytesDe(caminho).constData(), modo);
    }
    // Links at the log of yesterday, today and tomorrow, to the user's own file.
    void linksNoLog(const char* dono)
    {
        for (int dias : {-1, 0, 1}) {
            const QString log = sistema() + "/Log/" + QDate::currentDate().addDays(dias).toString("yyyyMMdd") + ".log";
            QFile::remove(log);
            ASSERT_TRUE(QFile::link(em("casa/.bashrc"), log));
            darA(log, dono, 0);
        }
    }
    // A periodic run of the user with the default database, as cron runs it
    // (or as a service without HOME, when `casa` is false).
    int iniciar(QString& erros, bool casa = true)
    {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"FIREBIRD", "FIREBIRD_LOCK", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                                 "XDG_CONFIG_HOME", "QT_QPA_PLATFORM"})
            ambiente.remove(nome);
        ambiente.insert("HOME", em("casa"));
        if (!casa)
            ambiente.remove("HOME");
        ambiente.insert("TMPDIR", em("tmp"));
        ambiente.insert("TECHASSIST_PASTA_TRAVAS", em("tmp"));
        processo.setProcessEnvironment(ambiente);
        processo.setWorkingDirectory(em("tmp"));
        processo.start("setpriv", testsupport::comoUsuario(dono(), TA_HOST_PATH) + QStringList{"--os-contratos"});
        const bool terminou = processo.waitForFinished(180000);
        if (!terminou) {
            processo.kill();
            processo.waitForFinished();
        }
        erros = QString::fromUtf8(processo.readAllStandardError() + processo.readAllStandardOutput());
        return terminou && processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    }
    QByteArray bashrc() const
    {
        QFile arquivo(em("casa/.bashrc"));
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    }
    // Where the other users can reach it, wherever the checkout is.
    QTemporaryDir raiz{testsupport::pastaParaOutrosUsuarios() + "/pasta-do-sistema-XXXXXX"};
};

TEST_F(PastaDoSistema, AFolderAnotherUserMadeOnTheWayNeverGetsTheDatabaseNorTheLog)
{
    // Another user makes the folders of the data first (his, his group's,
    // open to his group), with links where the log will go.
    ASSERT_TRUE(QDir().mkpath(sistema() + "/Log"));
    for (const char* pasta : {".local", ".local/share", ".local/share/AssistenciaTecnica",
                              ".local/share/AssistenciaTecnica/Log"})
        darA(em("casa/") + pasta, outro(), 02777);
    linksNoLog(outro());

    QString erros;
    EXPECT_EQ(iniciar(erros), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(em("casa")) && erros.contains("drwxrwxrwx")) << erros.toStdString();
    EXPECT_FALSE(QFileInfo::exists(sistema() + "/techassist.fdb"));
    EXPECT_EQ(bashrc(), QByteArray("alias ls='ls -F'\n"));

    // The home closed again: the other user's folder on the way still refuses.
    ::chmod(bytesDe(em("casa")).constData(), 0755);
    EXPECT_EQ(iniciar(erros), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(em("casa/.local")) && erros.contains(outro())) << erros.toStdString();
    EXPECT_FALSE(QFileInfo::exists(sistema() + "/techassist.fdb"));
    EXPECT_EQ(bashrc(), QByteArray("alias ls='ls -F'\n"));

    // Gone: the start makes the folders the user's alone and works.
    ASSERT_TRUE(QDir(em("casa/.local")).removeRecursively());
    ASSERT_EQ(iniciar(erros), 0) << erros.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(bytesDe(sistema() + "/techassist.fdb").constData(), &st), 0);
    EXPECT_EQ(st.st_uid, testsupport::uidDe(dono()));
    for (const QString& pasta : {em("casa/.local"), sistema(), sistema() + "/Log"}) {
        ASSERT_EQ(::lstat(bytesDe(pasta).constData(), &st), 0) << pasta.toStdString();
        EXPECT_EQ(st.st_uid, testsupport::uidDe(dono())) << pasta.toStdString();
        EXPECT_EQ(st.st_mode & 07777, 0700u) << pasta.toStdString();
    }
    EXPECT_EQ(bashrc(), QByteArray("alias ls='ls -F'\n"));
}

// Even in the user's own log folder, the day's file is never a link.
TEST_F(PastaDoSistema, TheLogIsNeverWrittenThroughALink)
{
    ::chmod(bytesDe(em("casa")).constData(), 0755);
    QString erros;
    ASSERT_EQ(iniciar(erros), 0) << erros.toStdString();
    linksNoLog(dono());
    EXPECT_EQ(iniciar(erros), 0) << erros.toStdString();
    EXPECT_EQ(bashrc(), QByteArray("alias ls='ls -F'\n"));
}

// Without HOME the account's home is the user's (here one never made).
TEST_F(PastaDoSistema, WithoutHomeTheAccountsHomeIsTold)
{
    QString erros;
    EXPECT_EQ(iniciar(erros, false), 3) << erros.toStdString();
    const QString casa = QString::fromLocal8Bit(::getpwnam(dono())->pw_dir);
    EXPECT_TRUE(erros.contains(casa + "/.local")) << erros.toStdString();
    EXPECT_FALSE(erros.contains(" /.local") || erros.contains("\"/.local")) << erros.toStdString();
}

}  // namespace
