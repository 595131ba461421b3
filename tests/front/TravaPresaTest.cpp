// A start beside a lock that is never released (what a process killed or
// stopped inside the engine leaves): it tells which lock file holds it,
// gives up after a limit, and SIGTERM ends it meanwhile.

#include "host/db/Database.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

extern const char* const TA_HOST_PATH;

namespace {

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
        // The engine's start-up lock, held and never released.
        presa = ::open(QFile::encodeName(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
        ASSERT_GE(presa, 0);
        ASSERT_EQ(::flock(presa, LOCK_EX), 0);
    }
    void TearDown() override {
        if (presa >= 0) ::close(presa);
    }
    void iniciar(QProcess& processo) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"XDG_RUNTIME_DIR", "FIREBIRD", "FIREBIRD_LOCK"})
            ambiente.remove(nome);
        ambiente.insert("XDG_DATA_HOME", dados.filePath("xdg"));
        ambiente.insert("TECHASSIST_PASTA_TRAVAS", base.path());
        processo.setProcessEnvironment(ambiente);
        processo.start(TA_HOST_PATH, {"--banco", banco, "--os-contratos"});
        ASSERT_TRUE(processo.waitForStarted());
    }
    // Reads the error output until it holds `texto` or the time is up.
    static QByteArray ler(QProcess& processo, const QByteArray& texto, int ms) {
        QByteArray lido;
        QElapsedTimer relogio;
        relogio.start();
        while (!lido.contains(texto) && relogio.elapsed() < ms && processo.state() != QProcess::NotRunning) {
            processo.waitForReadyRead(200);
            lido += processo.readAllStandardError();
        }
        return lido + processo.readAllStandardError();
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
    QProcess inicio;
    iniciar(inicio);
    const QByteArray erros = ler(inicio, "Desistindo", 60000);
    const bool terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
    encerrar(inicio);
    ASSERT_TRUE(terminou) << "still waiting after 60 s: " << erros.toStdString();
    EXPECT_EQ(inicio.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(inicio.exitCode(), 3) << erros.toStdString();
    EXPECT_TRUE(erros.contains(QFile::encodeName(travas + "/fb_init")) && erros.contains("Desistindo"))
        << erros.toStdString();
}

TEST_F(TravaPresa, SigtermEndsAStartThatWaits) {
    QProcess inicio;
    iniciar(inicio);
    const QByteArray erros = ler(inicio, "aguardando", 20000);
    ASSERT_TRUE(erros.contains("aguardando")) << erros.toStdString();
    inicio.terminate();
    const bool terminou = inicio.state() == QProcess::NotRunning || inicio.waitForFinished(5000);
    encerrar(inicio);
    EXPECT_TRUE(terminou) << "SIGTERM did not end it";
}

}  // namespace
