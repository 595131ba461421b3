// A running program beside a lock that is never released (what a process
// killed or stopped inside the engine leaves): a statement that waits on it
// gives up naming the lock file, and SIGTERM ends the program even when its
// close waits on it.

#include "host/db/Database.h"
#include "tests/support/TravaPresa.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

extern const char* const TA_HOST_PATH;
extern const char* const TA_SONDA;

namespace {

using testsupport::errosAte;
using testsupport::MutexPreso;

// Whether the main thread of a process waits in its event loop: the poll a
// loop with nothing to do makes, seen three times in a row.
bool esperaNoLaco(qint64 processo) {
    for (int vez = 0; vez < 3; ++vez) {
        QFile chamada(QString("/proc/%1/syscall").arg(processo));
        if (!chamada.open(QIODevice::ReadOnly)) return false;
        const long numero = chamada.readAll().split(' ').value(0).toLong();
#ifdef SYS_poll
        if (numero == SYS_poll) {
            QThread::msleep(300);
            continue;
        }
#endif
        if (numero != SYS_ppoll) return false;
        QThread::msleep(300);
    }
    return true;
}

bool esperar(const std::function<bool()>& pronto, int ms) {
    QElapsedTimer relogio;
    relogio.start();
    while (!pronto()) {
        if (relogio.elapsed() > ms) return false;
        QThread::msleep(100);
    }
    return true;
}

class TravaPresaExecucao : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dados.isValid());
        banco = dados.filePath("banco.fdb");
        {
            host::db::Connection c;
            c.create({banco});
            host::db::Transaction t(c);
            host::db::executeSql(t, "create table T (ID integer)");
            t.commit();
        }
        // Open here, so the lock table exists; the programs use this one's folders.
        aberta.open({banco});
        tabela = qEnvironmentVariable("FIREBIRD_LOCK") + "/fb_lock_" + testsupport::idNoMotor(banco);
        ASSERT_TRUE(QFile::exists(tabela)) << tabela.toStdString();
    }
    void TearDown() override {
        encerrar();
        aberta.close();
    }
    void iniciar(const QString& programa, const QStringList& argumentos) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("XDG_RUNTIME_DIR");
        ambiente.insert("XDG_DATA_HOME", dados.filePath("xdg"));
        processo.setProcessEnvironment(ambiente);
        processo.start(programa, argumentos);
        ASSERT_TRUE(processo.waitForStarted());
    }
    // The application with its main window, waiting for the user.
    void iniciarNoLaco() {
        iniciar(TA_HOST_PATH, {"--banco", banco});
        const bool noLaco = esperar([&] { return esperaNoLaco(processo.processId()); }, 120000);
        ASSERT_TRUE(noLaco) << "not in its main loop after 120 s: " << processo.readAllStandardError().toStdString();
    }
    int linhasGravadas() {
        host::db::Transaction t(aberta);
        return host::db::selectValue(t, "select count(*) from T").toInt();
    }
    bool terminaEm(int ms) { return processo.state() == QProcess::NotRunning || processo.waitForFinished(ms); }
    void encerrar() {
        if (processo.state() == QProcess::NotRunning) return;
        processo.kill();
        processo.waitForFinished(10000);
    }
    QTemporaryDir dados;
    QString banco, tabela;
    host::db::Connection aberta;
    QProcess processo;
};

// A program writing, one commit a row, when the lock table's mutex is held
// by a process that never lets it go (this one).
TEST_F(TravaPresaExecucao, AStatementBesideAHeldLockTableGivesUpNamingIt) {
    iniciar(TA_SONDA, {banco, "0", "--escrever", "100000000"});
    ASSERT_TRUE(esperar([&] { return linhasGravadas() > 0; }, 60000)) << "nothing written in 60 s";
    QByteArray erros;
    bool terminou = false;
    {
        MutexPreso mutex(tabela);
        ASSERT_TRUE(mutex.preso);
        erros = errosAte(processo, "Desistindo", 60000);
        terminou = terminaEm(5000);
        encerrar();
    }
    ASSERT_TRUE(terminou) << "still waiting after 60 s: " << erros.toStdString();
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains("Executando no banco de dados") && erros.contains(QFile::encodeName(tabela)) &&
                erros.contains(QByteArray("processo ") + QByteArray::number(::getpid())) &&
                erros.contains("Desistindo"))
        << erros.toStdString();
}

// Ended gently, the windows and the database closed: the exit of a closed window.
TEST_F(TravaPresaExecucao, SigtermEndsTheMainLoopGently) {
    iniciarNoLaco();
    processo.terminate();
    ASSERT_TRUE(terminaEm(30000)) << "SIGTERM did not end it in 30 s";
    const QByteArray erros = processo.readAllStandardError();
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 0) << erros.toStdString();
    EXPECT_FALSE(erros.contains("sem aguardar")) << erros.toStdString();
}

// Its close (rollback, detach) waits on the held lock table: the program
// still ends within seconds of the signal.
TEST_F(TravaPresaExecucao, SigtermEndsAProgramWhoseCloseWaitsOnAHeldLock) {
    iniciarNoLaco();
    MutexPreso mutex(tabela);
    ASSERT_TRUE(mutex.preso);
    processo.terminate();
    const bool terminou = terminaEm(20000);
    const QByteArray erros = processo.readAllStandardError();
    encerrar();
    ASSERT_TRUE(terminou) << "SIGTERM did not end it in 20 s: " << erros.toStdString();
    EXPECT_EQ(processo.exitCode(), 128 + SIGTERM) << erros.toStdString();
    EXPECT_TRUE(erros.contains("sem aguardar")) << erros.toStdString();
}

TEST_F(TravaPresaExecucao, ASecondSigtermEndsItAtOnce) {
    iniciarNoLaco();
    MutexPreso mutex(tabela);
    ASSERT_TRUE(mutex.preso);
    processo.terminate();
    QThread::msleep(1000);
    ASSERT_NE(processo.state(), QProcess::NotRunning) << "ended before the second signal";
    processo.terminate();
    const bool terminou = terminaEm(3000);
    encerrar();
    EXPECT_TRUE(terminou) << "a second SIGTERM did not end it";
}

}  // namespace
