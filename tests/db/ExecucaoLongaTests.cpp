// A long statement beside nothing held: the watch over engine calls, which
// tells (and gives up) a call waiting on a lock another process holds, says
// nothing of it.

#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TravaPresa.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <mutex>

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

std::mutex ditasMutex;
QStringList ditas;
QtMessageHandler anterior = nullptr;

void guardar(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    {
        std::lock_guard<std::mutex> lock(ditasMutex);
        ditas.append(texto);
    }
    if (anterior) anterior(tipo, contexto, texto);
}

// A process of its own holding the mutex of another database's lock table
// (what a writer stopped inside the engine leaves), until it goes.
class OutraTabelaPresa {
public:
    explicit OutraTabelaPresa(const QString& tabela) {
        const QByteArray caminho = QFile::encodeName(tabela);
        int pronto[2], soltar[2];
        if (::pipe(pronto) != 0 || ::pipe(soltar) != 0) return;
        filho = ::fork();
        if (filho == 0) {
            ::close(pronto[0]);
            ::close(soltar[1]);
            const int fd = ::open(caminho.constData(), O_RDWR);
            void* mapa = fd < 0 ? MAP_FAILED : ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            if (mapa == MAP_FAILED) ::_exit(1);
            auto* mutex = reinterpret_cast<pthread_mutex_t*>(static_cast<char*>(mapa) + 16);
            timespec limite {};
            ::clock_gettime(CLOCK_REALTIME, &limite);
            limite.tv_sec += 10;
            if (::pthread_mutex_timedlock(mutex, &limite) != 0) ::_exit(1);
            char c = 1;
            if (::write(pronto[1], &c, 1) == 1) (void)!::read(soltar[0], &c, 1);
            ::pthread_mutex_unlock(mutex);
            ::_exit(0);
        }
        ::close(pronto[1]);
        ::close(soltar[0]);
        fimDoSoltar = soltar[1];
        char c = 0;
        preso = filho > 0 && ::read(pronto[0], &c, 1) == 1;
        ::close(pronto[0]);
    }
    ~OutraTabelaPresa() {
        if (fimDoSoltar >= 0) ::close(fimDoSoltar);
        if (filho > 0) ::waitpid(filho, nullptr, 0);
    }
    OutraTabelaPresa(const OutraTabelaPresa&) = delete;
    OutraTabelaPresa& operator=(const OutraTabelaPresa&) = delete;
    bool preso = false;

private:
    pid_t filho = -1;
    int fimDoSoltar = -1;
};

class ExecucaoLonga : public testsupport::DatabaseTest {
protected:
    // What the program told while busy in the engine for five seconds: past
    // the notice's three, and past the watcher's looks at one a second.
    QString ditoDuranteCincoSegundos() {
        ditas.clear();
        anterior = qInstallMessageHandler(guardar);
        QElapsedTimer relogio;
        relogio.start();
        const QVariant voltas = one(
            "execute block returns (N integer) as declare variable INICIO timestamp; begin N = 0; "
            "INICIO = cast('NOW' as timestamp); "
            "while (datediff(millisecond from INICIO to cast('NOW' as timestamp)) < 5000) do N = N + 1; "
            "suspend; end");
        const qint64 levou = relogio.elapsed();
        qInstallMessageHandler(anterior);
        EXPECT_GT(voltas.toInt(), 0);
        EXPECT_GE(levou, 4900) << "the statement took less than the watcher needs to see it";
        std::lock_guard<std::mutex> lock(ditasMutex);
        return ditas.join('\n');
    }
};

TEST_F(ExecucaoLonga, AStatementOfSecondsWithNoHeldLockIsNotTold) {
    const QString dito = ditoDuranteCincoSegundos();
    EXPECT_FALSE(dito.contains("aguardando")) << dito.toStdString();
}

// Another database of the same owner (its lock table in the same lock
// folder) held by a stopped writer: a statement here waits on nothing.
TEST_F(ExecucaoLonga, AnotherDatabasesHeldLockTableIsNotThisStatementsWait) {
    QTemporaryDir pasta(testsupport::uniqueFolderTemplate("outro"));
    ASSERT_TRUE(pasta.isValid());
    host::db::Connection outro;
    outro.create({pasta.filePath("outro.fdb")});
    const QString tabela = qEnvironmentVariable("FIREBIRD_LOCK") + "/fb_lock_" +
                           testsupport::idNoMotor(pasta.filePath("outro.fdb"));
    const QString dito = [&] {
        const OutraTabelaPresa presa(tabela);
        EXPECT_TRUE(presa.preso) << tabela.toStdString();
        return ditoDuranteCincoSegundos();
    }();
    EXPECT_FALSE(dito.contains("aguardando")) << dito.toStdString();
}

}  // namespace
