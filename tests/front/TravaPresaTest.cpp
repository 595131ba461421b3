// A start beside a lock that is never released (what a process killed or
// stopped inside the engine leaves): it tells which lock file holds it,
// gives up after a limit, and SIGTERM ends it meanwhile.

#include "host/db/Database.h"
#include "tests/support/TravaPresa.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

extern const char* const TA_HOST_PATH;
extern const char* const TA_SONDA;

namespace {

using testsupport::MutexPreso;
using testsupport::errosAte;

class TravaPresa : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.isValid() && dados.isValid());
        banco = dados.filePath("banco.fdb");
        {
            host::db::Connection c;
            c.create({banco});
        }
        travas = base.filePath(QString("techassist-firebird-lock-%1").arg(::geteuid()));
        host::db::makeLockFolder(travas, banco);
    }
    void TearDown() override {
        if (presa >= 0) ::close(presa);
    }
    // The engine's start-up lock, held and never released.
    void prenderInicio() {
        presa = ::open(QFile::encodeName(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
        ASSERT_GE(presa, 0);
        ASSERT_EQ(::flock(presa, LOCK_EX), 0);
    }
    // The start as a scheduled job, with the lock folder of `base`, or with
    // this program's own engine folders when `comEstasPastas`.
    void iniciar(QProcess& processo, bool comEstasPastas = false) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("XDG_RUNTIME_DIR");
        if (!comEstasPastas) {
            ambiente.remove("FIREBIRD");
            ambiente.remove("FIREBIRD_LOCK");
            ambiente.insert("TECHASSIST_PASTA_TRAVAS", base.path());
        }
        ambiente.insert("XDG_DATA_HOME", dados.filePath("xdg"));
        processo.setProcessEnvironment(ambiente);
        processo.start(TA_HOST_PATH, {"--banco", banco, "--os-contratos"});
        ASSERT_TRUE(processo.waitForStarted());
    }
    static void encerrar(QProcess& processo) {
        if (processo.state() == QProcess::NotRunning) return;
        processo.kill();
        processo.waitForFinished(10000);
    }
    QTemporaryDir base, dados;
    QString banco, travas;
    int presa = -1;
};

TEST_F(TravaPresa, AStartGivesUpNamingTheLockFile) {
    prenderInicio();
    QProcess inicio;
    iniciar(inicio);
    const QByteArray erros = errosAte(inicio, "Desistindo", 60000);
    const bool terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
    encerrar(inicio);
    ASSERT_TRUE(terminou) << "still waiting after 60 s: " << erros.toStdString();
    EXPECT_EQ(inicio.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(inicio.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QFile::encodeName(travas + "/fb_init")) && erros.contains("Desistindo"))
        << erros.toStdString();
}

TEST_F(TravaPresa, SigtermEndsAStartThatWaits) {
    prenderInicio();
    QProcess inicio;
    iniciar(inicio);
    const QByteArray erros = errosAte(inicio, "aguardando", 20000);
    ASSERT_TRUE(erros.contains("aguardando")) << erros.toStdString();
    inicio.terminate();
    const bool terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
    encerrar(inicio);
    EXPECT_TRUE(terminou) << "SIGTERM did not end it";
}

// The lock table's own mutex held by a process that never lets it go (one
// stopped inside the engine): the start names the lock table and gives up.
// Here this program holds it, with the database open so the table exists.
TEST_F(TravaPresa, AStartBesideAHeldLockTableGivesUpNamingIt) {
    host::db::Connection aberta;
    aberta.open({banco});
    // Named after the database: the folder may keep the tables of killed programs' databases.
    const QString tabela = qEnvironmentVariable("FIREBIRD_LOCK") + "/fb_lock_" + testsupport::idNoMotor(banco);
    ASSERT_TRUE(QFile::exists(tabela)) << tabela.toStdString();
    QByteArray erros;
    bool terminou = false;
    QProcess inicio;
    {
        MutexPreso mutex(tabela);
        ASSERT_TRUE(mutex.preso);
        iniciar(inicio, true);
        erros = errosAte(inicio, "Desistindo", 60000);
        terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
        encerrar(inicio);
    }
    aberta.close();
    ASSERT_TRUE(terminou) << "still waiting after 60 s: " << erros.toStdString();
    EXPECT_EQ(inicio.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QFile::encodeName(tabela)) && erros.contains("Desistindo")) << erros.toStdString();
}

// A program that opened the database and read in a transaction, then was
// stopped outside the engine (kill -STOP, Ctrl+Z): it holds no file lock
// and no mutex, yet the engine waits on it. The start gives up within its
// limit naming that program, and blames no disk.
TEST_F(TravaPresa, AStartBesideAStoppedProgramGivesUpNamingIt) {
    QProcess parado;
    parado.setProcessChannelMode(QProcess::ForwardedChannels);
    parado.start(TA_SONDA, {banco, "120000"});
    ASSERT_TRUE(parado.waitForStarted());
    const qint64 pid = parado.processId();
    // The database open (its read follows at once), then a moment for the read.
    bool aberto = false;
    for (int i = 0; i < 300 && !aberto; ++i) {
        QThread::msleep(100);
        const QDir fds(QString("/proc/%1/fd").arg(pid));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System))
            aberto = aberto || fd.symLinkTarget() == QFileInfo(banco).canonicalFilePath();
    }
    ASSERT_TRUE(aberto);
    QThread::msleep(1000);
    ::kill(pid_t(pid), SIGSTOP);
    QProcess inicio;
    iniciar(inicio, true);
    const QByteArray erros = errosAte(inicio, "Desistindo", 60000);
    const bool terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
    encerrar(inicio);
    ::kill(pid_t(pid), SIGCONT);
    encerrar(parado);
    ASSERT_TRUE(terminou) << "still waiting after 60 s: " << erros.toStdString();
    EXPECT_EQ(inicio.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains("processo " + QByteArray::number(pid)) && !erros.contains("disco"))
        << erros.toStdString();
}

}  // namespace
