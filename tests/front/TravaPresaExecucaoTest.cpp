// A running program beside a lock that is never released (what a process
// killed or stopped inside the engine leaves): a statement that waits on it
// gives up naming the lock file, and SIGTERM ends the program even when its
// close waits on it.

#include "host/db/Database.h"
#include "tests/support/TravaPresa.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

#include <csignal>
#include <fcntl.h>
#include <sys/mman.h>
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

// The mutex at the head of an engine's shared file, as its holders see it.
class MutexVisto {
public:
    explicit MutexVisto(const QString& arquivo) {
        const int fd = ::open(QFile::encodeName(arquivo).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return;
        void* mapa = ::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
        ::close(fd);
        if (mapa != MAP_FAILED) inicio = static_cast<const char*>(mapa);
    }
    ~MutexVisto() {
        if (inicio) ::munmap(const_cast<char*>(inicio), 4096);
    }
    MutexVisto(const MutexVisto&) = delete;
    MutexVisto& operator=(const MutexVisto&) = delete;
    bool visto() const { return inicio != nullptr; }
    // The thread that holds it, 0 when free (glibc: the lock word, then the owner 8 bytes in).
    int dono() const {
        const int trava = *reinterpret_cast<const volatile int*>(inicio + 16);
        const int dono = *reinterpret_cast<const volatile int*>(inicio + 24);
        return trava != 0 ? dono : 0;
    }

private:
    const char* inicio = nullptr;
};

bool parado(qint64 processo) {
    QFile estado(QString("/proc/%1/stat").arg(processo));
    if (!estado.open(QIODevice::ReadOnly)) return false;
    const QByteArray linha = estado.readAll();
    const qsizetype fim = linha.lastIndexOf(") ");
    return fim > 0 && (linha.mid(fim + 2, 1) == "T" || linha.mid(fim + 2, 1) == "t");
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
    }
    // Opened here, so the lock table exists; the programs use this one's folders.
    void abrir() {
        aberta.open({banco});
        tabela = qEnvironmentVariable("FIREBIRD_LOCK") + "/fb_lock_" + testsupport::idNoMotor(banco);
        ASSERT_TRUE(QFile::exists(tabela)) << tabela.toStdString();
    }
    void TearDown() override {
        encerrar(processo);
        aberta.close();
    }
    static QProcessEnvironment ambiente(const QString& dadosXdg) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("XDG_RUNTIME_DIR");
        ambiente.insert("XDG_DATA_HOME", dadosXdg);
        return ambiente;
    }
    void iniciar(const QString& programa, const QStringList& argumentos) {
        processo.setProcessEnvironment(ambiente(dados.filePath("xdg")));
        processo.start(programa, argumentos);
        ASSERT_TRUE(processo.waitForStarted());
    }
    // The application with its main window, waiting for the user.
    void iniciarNoLaco() {
        // Upgraded first: the messages of a start's upgrade would hold it before its loop.
        iniciar(TA_HOST_PATH, {"--banco", banco, "--os-contratos"});
        ASSERT_TRUE(processo.waitForFinished(120000));
        abrir();
        iniciar(TA_HOST_PATH, {"--banco", banco});
        const bool noLaco = esperar([&] { return esperaNoLaco(processo.processId()); }, 120000);
        ASSERT_TRUE(noLaco) << "not in its main loop after 120 s: " << processo.readAllStandardError().toStdString();
    }
    int linhasGravadas() {
        host::db::Transaction t(aberta);
        return host::db::selectValue(t, "select count(*) from T").toInt();
    }
    bool terminaEm(int ms) { return processo.state() == QProcess::NotRunning || processo.waitForFinished(ms); }
    static void encerrar(QProcess& processo) {
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
    abrir();
    iniciar(TA_SONDA, {banco, "0", "--escrever", "100000000"});
    ASSERT_TRUE(esperar([&] { return linhasGravadas() > 0; }, 60000)) << "nothing written in 60 s";
    QByteArray erros;
    bool terminou = false;
    {
        MutexPreso mutex(tabela);
        ASSERT_TRUE(mutex.preso);
        erros = errosAte(processo, "Desistindo", 60000);
        terminou = terminaEm(5000);
        encerrar(processo);
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
    encerrar(processo);
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
    encerrar(processo);
    EXPECT_TRUE(terminou) << "a second SIGTERM did not end it";
}

// Two programs write, one commit a row; one is killed while it holds the
// lock table's mutex (stopped there first, so that the kill lands inside,
// as a kill -9 sometimes does): the other, which would wait on it for ever,
// gives up naming the lock table and its ended holder.
TEST_F(TravaPresaExecucao, AWriterKilledInsideTheLockTableLeavesTheOtherGivingUp) {
    // Lock folders of their own: the mutex left held is in no lock file of this program.
    QProcessEnvironment proprias = ambiente(dados.filePath("xdg"));
    proprias.remove("FIREBIRD");
    proprias.remove("FIREBIRD_LOCK");
    proprias.insert("TECHASSIST_PASTA_TRAVAS", dados.path());
    QProcess morto, sobrevivente;
    for (QProcess* escritor : {&morto, &sobrevivente}) {
        escritor->setProcessEnvironment(proprias);
        escritor->start(TA_SONDA, {banco, "0", "--escrever", "100000000"});
        ASSERT_TRUE(escritor->waitForStarted());
    }
    const QString tabela = dados.filePath(
        QString("techassist-firebird-lock-%1/fb_lock_%2").arg(::geteuid()).arg(testsupport::idNoMotor(banco)));
    ASSERT_TRUE(esperar([&] { return QFile::exists(tabela); }, 60000)) << tabela.toStdString();
    const MutexVisto mutex(tabela);
    ASSERT_TRUE(mutex.visto());

    const qint64 alvo = morto.processId();
    const auto seguraOMutex = [&] {
        const int dono = mutex.dono();
        return dono > 0 && QFileInfo::exists(QString("/proc/%1/task/%2").arg(alvo).arg(dono));
    };
    bool pego = false;
    QElapsedTimer relogio;
    relogio.start();
    while (!pego && relogio.elapsed() < 60000 && morto.state() == QProcess::Running) {
        if (!seguraOMutex()) continue;
        ::kill(pid_t(alvo), SIGSTOP);
        esperar([&] { return parado(alvo); }, 5000);
        pego = seguraOMutex();
        if (!pego) ::kill(pid_t(alvo), SIGCONT);
    }
    ::kill(pid_t(alvo), SIGKILL);
    morto.waitForFinished(10000);
    ASSERT_TRUE(pego) << "the writer was not seen holding the lock table in 60 s";

    const QByteArray erros = errosAte(sobrevivente, "Desistindo", 60000);
    const bool terminou = sobrevivente.state() == QProcess::NotRunning || sobrevivente.waitForFinished(5000);
    encerrar(sobrevivente);
    ASSERT_TRUE(terminou) << "the other writer still waits 60 s after the kill: " << erros.toStdString();
    EXPECT_EQ(sobrevivente.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QFile::encodeName(tabela)) && erros.contains("já terminou") &&
                erros.contains("Desistindo"))
        << erros.toStdString();
}

}  // namespace
