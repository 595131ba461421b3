// The host executable's scheduled job: "techassist --os-contratos" makes the
// periodic service orders of the contracts without a window and lists them,
// tells each contract that failed and exits with a code that says how it
// went; beside another desk on the same database file.

#include "tests/front/ExecutavelNoBanco.h"

#include "host/TravaExecucao.h"
#include "host/db/Database.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>

#include <utility>

namespace {

class OrdensContratosJob : public testfront::ExecutavelNoBanco {
protected:
    QString executar(int& codigo) { return ExecutavelNoBanco::executar({"--os-contratos"}, codigo); }
    QString executarAoLado(int& codigo) { return ExecutavelNoBanco::executarAoLado({"--os-contratos"}, codigo); }
    int ordensDoContrato(int contrato)
    {
        return one("select count(distinct AOCODIGO) from AATC01AOIT where ACCODIGO = :C", {{"C", contrato}}).toInt();
    }
    // The first start brings the module's tables up to date.
    void primeiraExecucao()
    {
        int codigo = -1;
        executar(codigo);
        ASSERT_EQ(codigo, 0) << erros.toStdString();
    }
};

// A small file system of the test's own, unmounted when it goes.
class DiscoPequeno {
public:
    explicit DiscoPequeno(const QString& tamanho)
    {
        montado_ = ::geteuid() == 0 && QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + tamanho, "tmpfs",
                                                                   pasta_.path()}) == 0;
    }
    ~DiscoPequeno()
    {
        if (montado_ && QProcess::execute("umount", {pasta_.path()}) != 0)
            QProcess::execute("umount", {"-l", pasta_.path()});
    }
    DiscoPequeno(const DiscoPequeno&) = delete;
    DiscoPequeno& operator=(const DiscoPequeno&) = delete;
    bool montado() const { return montado_; }
    QString caminho(const QString& nome) const { return pasta_.filePath(nome); }
    // Takes all the space left.
    void encher()
    {
        QFile enchimento(caminho("enchimento"));
        enchimento.open(QIODevice::WriteOnly);
        const QByteArray bloco(4096, 'x');
        while (enchimento.write(bloco) == bloco.size() && enchimento.flush()) {
        }
    }

private:
    QTemporaryDir pasta_;
    bool montado_ = false;
};

// The scheduled job on a database whose file system fills up: each contract
// that failed says the disk is full, naming the file.
TEST_F(OrdensContratosJob, OnAFullDiskEachContractSaysTheDiskIsFull)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "not run as root: no small file system can be mounted";
    primeiraExecucao();
    // Enough rows that the orders' items need new pages of the file.
    for (int contrato = 70; contrato < 74; ++contrato)
        contratoDevido(contrato, 2000);
    global->IBTransaction1->commit();
    global.reset();
    DiscoPequeno disco(QString::number(QFileInfo(dbPath).size() / 1024 + 1024) + "k");
    ASSERT_TRUE(disco.montado());
    const QString noDisco = disco.caminho("cheio.fdb");
    ASSERT_TRUE(QFile::copy(dbPath, noDisco));
    disco.encher();
    const QString antes = std::exchange(dbPath, noDisco);
    global = std::make_unique<TdmGlobal>(dbPath);
    int codigo = -1;
    const QString saida = executar(codigo);
    global.reset();
    dbPath = antes;
    global = std::make_unique<TdmGlobal>(dbPath);
    EXPECT_EQ(codigo, 1) << saida.toStdString() << erros.toStdString();
    const QStringList linhas = erros.split('\n').filter(QRegularExpression("^Contrato 7[0-3]: "));
    ASSERT_FALSE(linhas.isEmpty()) << erros.toStdString();
    for (const QString& linha : linhas)
        EXPECT_TRUE(linha.contains("O disco está cheio") && linha.contains(noDisco)) << linha.toStdString();
}

}  // namespace

TEST_F(OrdensContratosJob, MakesTheDueOrdersHeadlessAndPrintsThem)
{
    int codigo = -1;
    // The first start brings the module's tables up to date; no contract yet.
    EXPECT_EQ(executar(codigo), "Nenhuma ordem de serviço gerada.\n0 ordens geradas, 0 contratos com erro\n")
        << erros.toStdString();
    EXPECT_EQ(codigo, 0);

    contratoDevido(7);
    global->IBTransaction1->commit();

    const QString saida = executar(codigo);
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    const int ordem = one("select AOCODIGO from AATC01AO where CLCODIGO = '00002' and AORETORNO = 'C'").toInt();
    ASSERT_GT(ordem, 0) << erros.toStdString();
    const QDate entrada = one("select AODATAENTRADA from AATC01AO where AOCODIGO = :O", {{"O", ordem}}).toDateTime().date();
    EXPECT_EQ(saida, QString("OS %1  Contrato 7  Cliente 00002  Entrada %2\n1 ordens geradas, 0 contratos com erro\n")
                         .arg(ordem, 9, 10, QChar('0'))
                         .arg(entrada.toString("dd/MM/yyyy")));
    // Run again the same day: nothing more is due.
    EXPECT_EQ(executar(codigo), "Nenhuma ordem de serviço gerada.\n0 ordens geradas, 0 contratos com erro\n");
}

TEST_F(OrdensContratosJob, EachFailedContractHasALineTheSummaryCountsThemAndTheExitCodeTellsIt)
{
    primeiraExecucao();
    contratoDevido(7, 1);
    contratoDevido(8, 0);   // no equipment: refused
    contratoDevido(9, 0);
    global->IBTransaction1->commit();

    int codigo = -1;
    const QString saida = executar(codigo);
    EXPECT_EQ(codigo, 1);
    EXPECT_TRUE(saida.endsWith("\n1 ordens geradas, 2 contratos com erro\n")) << saida.toStdString();
    EXPECT_TRUE(saida.startsWith("OS ")) << saida.toStdString();
    const QStringList linhas = erros.split('\n');
    EXPECT_TRUE(linhas.contains("Contrato 8: Não há equipamento válido cadastrado")) << erros.toStdString();
    EXPECT_TRUE(linhas.contains("Contrato 9: Não há equipamento válido cadastrado")) << erros.toStdString();
    EXPECT_TRUE(linhas.contains("1 ordens geradas, 2 contratos com erro")) << erros.toStdString();
    EXPECT_EQ(ordensDoContrato(7), 1);
}

// A due contract the run cannot serve (no base date) is told like a failed
// one, counted, and the exit code says so; run again, it is told again. A
// readjusted contract (a base date, no periodicity) is no periodic-order
// contract: left out without a word.
TEST_F(OrdensContratosJob, AContractWithoutItsBaseDateIsToldCountedAndFailsTheRun)
{
    primeiraExecucao();
    contratoDevido(7, 1);
    exec("update AATC05AC set ACDATABASE = null where ACCODIGO = 7");
    contratoDevido(8, 1);
    exec("update AATC05AC set ACCODIGOINTEGRACAO = null where ACCODIGO = 8");
    global->IBTransaction1->commit();
    for (int vez = 1; vez <= 2; ++vez) {
        int codigo = -1;
        const QString saida = executar(codigo);
        EXPECT_EQ(codigo, 1) << vez;
        EXPECT_TRUE(saida.endsWith("0 ordens geradas, 1 contratos com erro\n")) << saida.toStdString();
        EXPECT_TRUE(erros.split('\n').contains("Contrato 7: Não gerou OS, pois o contrato não tem data base."))
            << erros.toStdString();
        EXPECT_FALSE(erros.contains("Contrato 8")) << erros.toStdString();
    }
    EXPECT_EQ(ordensDoContrato(7), 0);
    EXPECT_EQ(ordensDoContrato(8), 0);
}

TEST_F(OrdensContratosJob, ASecondRunWhileOneHoldsTheDatabaseIsRefusedWithItsOwnCode)
{
    primeiraExecucao();
    contratoDevido(7, 1);
    global->IBTransaction1->commit();
    {
        // This process is the run going on.
        const host::TravaExecucao emAndamento("os-contratos");
        ASSERT_TRUE(emAndamento.obtida());
        int codigo = -1;
        EXPECT_EQ(executarAoLado(codigo), "");
        EXPECT_EQ(codigo, 6);
        EXPECT_TRUE(erros.contains("Outra geração de ordens de serviço periódicas está em andamento")) << erros.toStdString();
        EXPECT_EQ(ordensDoContrato(7), 0);
    }
    // The lock went with its holder: the next run works.
    int codigo = -1;
    executar(codigo);
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    EXPECT_EQ(ordensDoContrato(7), 1);
}

TEST_F(OrdensContratosJob, AnOrderNumberAnotherDeskIsSavingIsSkippedNeverLostNorDoubled)
{
    primeiraExecucao();
    contratoDevido(7, 1);
    contratoDevido(8, 1);
    global->IBTransaction1->commit();
    const int ultima = one("select coalesce(max(AOCODIGO), 0) from AATC01AO").toInt();
    // Another desk is saving the next order: written, not yet committed.
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AORETORNO) values (:N, '00002', 'N')", {{"N", ultima + 1}});

    int codigo = -1;
    const QString saida = executarAoLado(codigo);
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    EXPECT_TRUE(saida.endsWith("2 ordens geradas, 0 contratos com erro\n")) << saida.toStdString() << erros.toStdString();
    global->IBTransaction1->commit();
    EXPECT_EQ(ordensDoContrato(7), 1);
    EXPECT_EQ(ordensDoContrato(8), 1);
    EXPECT_EQ(one("select count(*) from AATC01AO where AOCODIGO > :N", {{"N", ultima}}).toInt(), 3);
    EXPECT_EQ(one("select AORETORNO from AATC01AO where AOCODIGO = :N", {{"N", ultima + 1}}).toString(), "N");
}

// A run killed half-way has printed every order it committed, and only those.
TEST_F(OrdensContratosJob, AKilledRunHasPrintedEachOrderItCommitted)
{
    primeiraExecucao();
    const int contratos = 80;
    for (int contrato = 1; contrato <= contratos; ++contrato)
        contratoDevido(contrato, 1);
    global->IBTransaction1->commit();

    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_DATA_HOME", dados.path());
    processo.setProcessEnvironment(ambiente);
    processo.start(TA_HOST_PATH, {"--banco", dbPath, "--os-contratos"});
    QByteArray saida;
    QElapsedTimer espera;
    espera.start();
    // A silent second is no end: a loaded machine takes longer to start.
    while (!saida.contains('\n') && processo.state() != QProcess::NotRunning && espera.elapsed() < 60000) {
        processo.waitForReadyRead(1000);
        saida += processo.readAllStandardOutput();
    }
    processo.kill();
    processo.waitForFinished();
    saida += processo.readAllStandardOutput();

    const QStringList linhas = QString::fromUtf8(saida).split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(linhas.isEmpty()) << "nothing printed before the run was stopped";
    global->IBTransaction1->commit();
    const int feitas = one("select count(*) from AATC01AO where AORETORNO = 'C'").toInt();
    EXPECT_LT(feitas, contratos) << "the run was stopped half-way";
    EXPECT_FALSE(linhas.last().contains("ordens geradas")) << "printed as made, not at the end";
    for (const QString& linha : linhas) {
        const int ordem = linha.section("  ", 0, 0).mid(3).toInt();
        EXPECT_EQ(one("select count(*) from AATC01AO where AOCODIGO = :O", {{"O", ordem}}).toInt(), 1)
            << linha.toStdString();
    }
}

// More due contracts than the engine takes values in one list: every order
// is printed, the summary counts them all and the exit code is success.
TEST_F(OrdensContratosJob, ARunOfMoreOrdersThanOneListHoldsEndsWithItsSummaryAndSuccess)
{
    primeiraExecucao();
    const int contratos = 1501;
    for (int contrato = 1; contrato <= contratos; ++contrato)
        contratoDevido(contrato, 1);
    int codigo = -1;
    const QString saida = executar(codigo);
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    EXPECT_TRUE(saida.endsWith("\n1501 ordens geradas, 0 contratos com erro\n")) << erros.toStdString();
    EXPECT_EQ(saida.count("\nOS "), contratos - 1);
}
