// The first start on a fresh machine, as a new user makes it: the self-test
// run on the default database that start builds (demonstration documents
// included), its output and the database it leaves.

#include "host/db/Database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

extern const char* const TA_HOST_PATH;

namespace {

class PrimeiroInicio : public testing::Test {
protected:
    // "techassist --autoteste" with a data folder of its own (no --banco:
    // the default database is made there) and the environment given.
    int autoteste(const QMap<QString, QString>& ambienteExtra = {})
    {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("XDG_DATA_HOME", dados.path());
        ambiente.remove("QT_QPA_PLATFORM");
        for (auto it = ambienteExtra.begin(); it != ambienteExtra.end(); ++it)
            if (it.value().isNull())
                ambiente.remove(it.key());
            else
                ambiente.insert(it.key(), it.value());
        processo.setProcessEnvironment(ambiente);
        processo.start(TA_HOST_PATH, {"--autoteste"});
        EXPECT_TRUE(processo.waitForFinished(180000)) << "techassist --autoteste did not end in 180 s";
        saida = QString::fromUtf8(processo.readAllStandardOutput());
        erros = QString::fromUtf8(processo.readAllStandardError());
        return processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    }
    QString pastaSistema() const { return dados.filePath("AssistenciaTecnica"); }
    QString log() const
    {
        QString texto;
        for (const QFileInfo& arquivo : QDir(pastaSistema() + "/Log").entryInfoList(QDir::Files)) {
            QFile f(arquivo.filePath());
            if (f.open(QIODevice::ReadOnly))
                texto += QString::fromUtf8(f.readAll());
        }
        return texto;
    }

    QTemporaryDir dados;
    QString saida, erros;
};

// The output holds the self-test's result and nothing else: the schema's
// messages and the display plugin's warnings go to the log.
TEST_F(PrimeiroInicio, TheSelfTestPrintsItsResultOnlyAndLogsTheRest)
{
    ASSERT_EQ(autoteste(), 0) << saida.toStdString() << erros.toStdString();
    EXPECT_EQ(erros, QString()) << erros.toStdString();
    for (const QString& linha : saida.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(linha.startsWith("OK ") || linha.startsWith("Classes testadas:")) << linha.toStdString();
    const QString registro = log();
    EXPECT_TRUE(registro.contains("Tabela de Cadastro de Medidores criada com Sucesso!")) << "the schema's messages";
    EXPECT_TRUE(registro.contains("This plugin does not support")) << "the display plugin's warnings";
}

// Another process holding the engine's lock a few seconds (a busy machine,
// a second start) makes the start wait and say so: the self-test keeps that
// notice in the log, its output stays its result.
TEST_F(PrimeiroInicio, TheSelfTestLogsAWaitOnTheEnginesLock)
{
    const QString base = dados.filePath("travas");
    ASSERT_TRUE(QDir().mkpath(base));
    const QString travas = base + QString("/techassist-firebird-lock-%1").arg(::geteuid());
    {
        QFile particular(dados.filePath("particular.fdb"));   // a file only its owner writes, as the new database
        ASSERT_TRUE(particular.open(QIODevice::WriteOnly));
    }
    host::db::makeLockFolder(travas, dados.filePath("particular.fdb"));
    const int fd = ::open(QFile::encodeName(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    std::thread solta([fd] {
        std::this_thread::sleep_for(std::chrono::seconds(5));   // past the notice, given after 3 s
        ::flock(fd, LOCK_UN);
        ::close(fd);
    });
    const int codigo = autoteste({{"TECHASSIST_PASTA_TRAVAS", base}, {"FIREBIRD_LOCK", QString()}});
    solta.join();
    ASSERT_EQ(codigo, 0) << saida.toStdString() << erros.toStdString();
    EXPECT_EQ(erros, QString()) << erros.toStdString();
    EXPECT_TRUE(log().contains("aguardando")) << "the wait notice";
}

// On the new database each generator stands at or above the largest key of
// the column it numbers, demonstration documents included: the first key a
// window or the periodic orders draw is free.
TEST_F(PrimeiroInicio, EachGeneratorStandsAtOrAboveTheKeysOfItsColumn)
{
    ASSERT_EQ(autoteste(), 0) << saida.toStdString() << erros.toStdString();
    host::db::Connection conexao;
    conexao.open({pastaSistema() + "/techassist.fdb"});
    host::db::Transaction tr(conexao);
    struct Chave { const char *gerador, *tabela, *coluna; };
    const Chave chaves[] = {{"GEN_AOITCODIGO", "AATC01AOIT", "AOITCODIGO"},
                            {"GEN_ACCODIGO", "AATC05AC", "ACCODIGO"},
                            {"GEN_ACITCODIGO", "AATC05ACIT", "ACITCODIGO"},
                            {"GEN_XPCHAVE", "ACXC94XP", "XPCHAVE"}};
    EXPECT_GT(host::db::selectValue(tr, "select count(*) from AATC01AOIT").toInt(), 0) << "demonstration items";
    for (const Chave& c : chaves) {
        const qint64 gerador =
            host::db::selectValue(tr, QString("select gen_id(%1, 0) from rdb$database").arg(c.gerador)).toLongLong();
        const qint64 maior =
            host::db::selectValue(tr, QString("select coalesce(max(%1), 0) from %2").arg(c.coluna, c.tabela))
                .toLongLong();
        EXPECT_GE(gerador, maior) << c.gerador;
    }
    tr.commit();
    conexao.close();
}

// A FIREBIRD variable naming a folder that does not exist (as a recipe for
// the engine's tools can leave it) names no engine: the start goes on with
// the program's own.
TEST_F(PrimeiroInicio, AFirebirdVariableNamingNoFolderDoesNotStopTheStart)
{
    EXPECT_EQ(autoteste({{"FIREBIRD", dados.filePath("nao-existe/firebird")}}), 0)
        << saida.toStdString() << erros.toStdString();
    EXPECT_FALSE(erros.contains("not installed")) << erros.toStdString();
}

// A first start on a very slow disk (each write of the database delayed a
// tenth of a second, by strace): within seconds it says what it is doing.
TEST_F(PrimeiroInicio, AFirstStartOnASlowDiskSaysWhatItIsDoing)
{
    if (QStandardPaths::findExecutable("strace").isEmpty())
        GTEST_SKIP() << "strace is not installed";
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_DATA_HOME", dados.path());
    processo.setProcessEnvironment(ambiente);
    processo.start("strace", {"-f", "-qq", "-o", "/dev/null", "-e", "trace=pwrite64", "-e",
                              "inject=pwrite64:delay_enter=100000", TA_HOST_PATH, "--os-contratos"});
    ASSERT_TRUE(processo.waitForStarted());
    QString ditoNaSaida, dito;
    for (int i = 0; i < 300 && !dito.contains("Criando o banco de dados"); ++i) {
        processo.waitForFinished(200);
        ditoNaSaida += QString::fromUtf8(processo.readAllStandardError());
        dito = ditoNaSaida + log();
    }
    // The start itself, strace's child, then strace.
    QFile filhos(QString("/proc/%1/task/%1/children").arg(processo.processId()));
    if (filhos.open(QIODevice::ReadOnly))
        for (const QByteArray& filho : filhos.readAll().split(' '))
            if (filho.toLongLong() > 0)
                ::kill(pid_t(filho.toLongLong()), SIGKILL);
    processo.kill();
    processo.waitForFinished(10000);
    if (!dito.contains("Criando") && dito.contains("strace: "))
        GTEST_SKIP() << "strace could not run the start: " << dito.toStdString();
    EXPECT_TRUE(dito.contains("Criando o banco de dados") && dito.contains("dados de demonstração")) << dito.toStdString();
}

}  // namespace
