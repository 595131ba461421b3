// The thermal labels of a service order, as the printer receives them: the
// labels button of the service-order window with demonstration order 42,
// the port a file of the test's system folder, the bytes compared whole.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Uglobal.h"
#include "host/UportaImpressora.h"
#include "host/data/Abort.h"
#include "host/schema/HostSchema.h"
#include "service_orders/uAssOrdemServicoEtiquetas.h"

#include <QFile>
#include <QPushButton>

namespace moduletest {
namespace {

class EtiquetasTermicasTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
        porta = systemFolder + "/etiquetas.prn";
        QFile ini(systemFolder + "/ACfgImpT.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(("[Configuração_Impressora_Térmica]\n" + porta + "\n").toUtf8());
    }
    // The labels button answered with the thermal printer, the kind and the count.
    void imprimir(TfmAssOrdemServico& form, const QString& tipo, const QString& quantidade)
    {
        dialogs->answer("Térmica(PPLB)", "Deseja imprimir em qual tipo de impressora?")
            .answer(tipo, "Deseja imprimir etiqueta para equipamento ou para acessório?")
            .enter(quantidade, "Informe a quantidade de etiquetas que deseja imprimir");
        form.sbEtiquetas->click();
        EXPECT_EQ(dialogs->pending(), 0);
    }
    QByteArray recebido() const
    {
        QFile arquivo(porta);
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray("(no port file)");
    }
    // The lines of one label between its opening and closing commands.
    static QByteArray etiqueta(const QByteArray& corpo)
    {
        return "N\r\nN\r\nN\r\nN\r\nS2\r\nD5\r\nZB\r\n" + corpo + "P1\r\nN\r\nN\r\nN\r\nN\r\n";
    }
    static QByteArray cabecalho42()
    {
        return QString("A14,1,0,4,1,1,N,\"O.S. No: 42\"\r\n"
                       "A14,30,0,2,1,1,N,\"Data: 16/11/2026\"\r\n"
                       "A14,60,0,2,1,1,N,\"Cliente: 00002 Padaria Pão Quente Ltda.\"\r\n"
                       "A14,90,0,2,1,1,N,\"Fone: (11)3333-4444\"\r\n"
                       "A14,120,0,2,1,1,N,\"Solicitante: Sr. Paulo\"\r\n")
            .toLatin1();
    }
    void defeito(const QString& texto) { exec("update AATC01AOIT set AOITDEFEITO = '" + texto + "' where AOCODIGO = 42"); }

    QString porta;
};

TEST_F(EtiquetasTermicasTest, TwoEquipmentLabelsReachThePortByteForByte)
{
    TfmAssOrdemServico& form = abrir();
    imprimir(form, "Equipamento", "2");
    // The first item's defect, 34 characters, on two lines.
    const QByteArray uma = etiqueta(cabecalho42() + QString("A14,150,0,2,1,1,N,\"Defeito: Vazamento de água e ruído\"\r\n"
                                                            "A14,170,0,2,1,1,N,\" na bomba\"\r\n")
                                                        .toLatin1());
    EXPECT_EQ(recebido(), uma + uma);
}

TEST_F(EtiquetasTermicasTest, TheDefectTakesOneTwoOrThreeLinesAndLosesItsLastSevenCharacters)
{
    const QString cem = QString("0123456789").repeated(10);
    struct Caso {
        QString defeito;
        QByteArray linhas;
    };
    const Caso casos[] = {
        {cem.left(25), "A14,150,0,2,1,1,N,\"Defeito: 0123456789012345678901234\"\r\n"},
        {cem.left(60), "A14,150,0,2,1,1,N,\"Defeito: 0123456789012345678901234\"\r\n"
                       "A14,170,0,2,1,1,N,\"56789012345678901234567890123456789\"\r\n"},
        {cem, "A14,150,0,2,1,1,N,\"Defeito: 0123456789012345678901234\"\r\n"
              "A14,170,0,2,1,1,N,\"5678901234567890123456789012345678\"\r\n"
              "A14,190,0,2,1,1,N,\"9012345678901234567890123456789012\"\r\n"},
    };
    for (const Caso& caso : casos) {
        defeito(caso.defeito);
        TfmAssOrdemServico& form = abrir();
        imprimir(form, "Equipamento", "1");
        EXPECT_EQ(recebido(), etiqueta(cabecalho42() + caso.linhas)) << caso.defeito.size() << " characters";
        form.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(EtiquetasTermicasTest, EachAccessoryGetsALabelPerItemWithItsBarCode)
{
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 1, 'Cabo de força')");
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 2, 'Controle remoto')");
    TfmAssOrdemServico& form = abrir();
    imprimir(form, "Acessório", "1");
    auto acessorio = [](const QString& descricao, const QString& codigo) {
        return etiqueta(QString("A14,1,0,4,1,1,N,\"O.S. No: 42\"\r\n"
                                "A14,30,0,2,1,1,N,\"Cliente: 00002 Padaria Pão Quente Ltda.\"\r\n"
                                "A14,60,0,2,1,1,N,\"Acessorio: " +
                                descricao + "\"\r\nB14,90,0,3,2,4,80,B,\"" + codigo + "\"\r\n")
                            .toLatin1());
    };
    const QByteArray cabo = acessorio("Cabo de força", "000000042001");
    const QByteArray controle = acessorio("Controle remoto", "000000042002");
    const QByteArray tudo = recebido();
    EXPECT_EQ(tudo.count("P1\r\n"), 4) << "two accessories, each once per item of the order";
    EXPECT_EQ(tudo.count(cabo), 2);
    EXPECT_EQ(tudo.count(controle), 2);
    EXPECT_EQ(tudo.size(), 2 * (cabo.size() + controle.size()));
}

// An order without items: its code comes from the order itself.
TEST_F(EtiquetasTermicasTest, OrderSevenAccessoryTwelveIsCode000000007012EvenWithoutItems)
{
    EXPECT_EQ(CodigoBarraAcessorio(7, 12), "000000007012");
    EXPECT_EQ(CodigoBarraAcessorio(123, 4), "000000123004");
    EXPECT_EQ(CodigoBarraAcessorio(1234567890, 1), "1234567890001") << "a wider number is written whole";
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (7, '00003', '2026-11-02', 'A', 'M')");
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (7, 12, 'Mouse')");
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;7");
    TfmAssOrdemServico& form = *fmAssOrdemServico.get();
    ASSERT_TRUE(dmTec->quOSItem->isEmpty());
    imprimir(form, "Acessório", "1");
    EXPECT_EQ(recebido(), etiqueta("A14,1,0,4,1,1,N,\"O.S. No: 7\"\r\n"
                                   "A14,30,0,2,1,1,N,\"Cliente: 00003 Jos\xe9 Ant\xf4nio Ferreira\"\r\n"
                                   "A14,60,0,2,1,1,N,\"Acessorio: Mouse\"\r\n"
                                   "B14,90,0,3,2,4,80,B,\"000000007012\"\r\n"));
}

TEST_F(EtiquetasTermicasTest, TheModeIgnoresLetterCaseAndAnyOtherModeWritesNothing)
{
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 3, 'Bandeja')");
    abrir();
    for (const QString& modo : {QString("acessório"), QString("ACESSÓRIO"), QString("Acessório")}) {
        dialogs->enter("1");
        ArquivoPortaImpressora F(porta);
        ImprimirEtiquetaTermica(modo, F);
        EXPECT_FALSE(F.aberto()) << "the labels close the port";
        EXPECT_EQ(recebido().count("000000042003"), 2) << modo.toStdString() << ": once per item";
    }
    for (const QString& modo : {QString("Etiqueta"), QString()}) {
        ArquivoPortaImpressora F(porta);
        ImprimirEtiquetaTermica(modo, F);
        EXPECT_FALSE(F.aberto());
        EXPECT_TRUE(recebido().isEmpty()) << modo.toStdString();
    }
    EXPECT_EQ(dialogs->pending(), 0) << "no count is asked for another mode";
}

TEST_F(EtiquetasTermicasTest, AnInvalidCountWritesNothingAndReleasesThePort)
{
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Térmica(PPLB)").answer("Equipamento").enter("abc").acknowledge("Nº de etiquetas inválido");
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(recebido().isEmpty());

    dialogs->enter("abc").acknowledge("Nº de etiquetas inválido");
    ArquivoPortaImpressora F(porta);
    EXPECT_THROW(ImprimirEtiquetaTermica("Equipamento", F), host::Abort);
    EXPECT_FALSE(F.aberto()) << "released on the way out";

    dialogs->answer("Térmica(PPLB)").answer("Equipamento").cancel("Informe a quantidade");
    form.sbEtiquetas->click();
    EXPECT_TRUE(recebido().isEmpty()) << "a cancelled count prints nothing";
    dialogs->answer("Térmica(PPLB)").answer("Equipamento").enter("0");
    form.sbEtiquetas->click();
    EXPECT_TRUE(recebido().isEmpty());
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EtiquetasTermicasTest, ConfigureKeepsThePortAndThePrintUsesItWithoutAsking)
{
    QFile::remove(systemFolder + "/ACfgImpT.ini");
    TfmAssOrdemServico& form = abrir();
    const QString outra = systemFolder + "/outra.prn";
    dialogs->answer("Configurar", "Deseja imprimir em qual tipo de impressora?").enter(outra, "porta");
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().back().kind, host::ui::DialogKind::PickList);
    EXPECT_TRUE(dialogs->shown().back().editable) << "a path may be typed";
    EXPECT_EQ(RetornaLinhaArquivoTexto(systemFolder + "/ACfgImpT.ini", 0), "[Configuração_Impressora_Térmica]");
    QString linha;
    EXPECT_TRUE(dmGlobal->RetornaLinhaArquivo("ACfgImpT.ini", 1, linha));
    EXPECT_EQ(linha, outra);
    EXPECT_FALSE(dmGlobal->RetornaLinhaArquivo("ACfgImpT.ini", 2, linha));
    EXPECT_FALSE(QFile::exists(outra)) << "configuring prints nothing";

    imprimir(form, "Equipamento", "1");
    QFile arquivo(outra);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arquivo.readAll().startsWith("N\r\nN\r\nN\r\nN\r\nS2\r\nD5\r\nZB\r\nA14,1,0,4,1,1,N,\"O.S. No: 42\""));
}

TEST_F(EtiquetasTermicasTest, WithoutAPortTheFirstPrintAsksForOneAndAPortThatFailsSaysSo)
{
    QFile::remove(systemFolder + "/ACfgImpT.ini");
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Térmica(PPLB)").cancel("porta");
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0) << "no port, no label question";
    EXPECT_FALSE(QFile::exists(systemFolder + "/ACfgImpT.ini"));

    const QString semPasta = systemFolder + "/nao-existe/porta.prn";
    dialogs->answer("Térmica(PPLB)").enter(semPasta, "porta").acknowledge("Erro de E/S ao abrir " + semPasta);
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_THROW(ArquivoPortaImpressora{""}, ErroPortaImpressora);
}

// "|command" hands the lines to a program (a spooler taking raw text).
TEST_F(EtiquetasTermicasTest, APortOfAPipeHandsTheLinesToItsProgram)
{
    const QString saida = systemFolder + "/pelo-spooler.prn";
    abrir();
    {
        ArquivoPortaImpressora F("|cat > '" + saida + "'");
        ComandoEspecialImpressoraTermica("inicializar", F);
        ComandoEspecialImpressoraTermica("Finalizar", F);
        ComandoEspecialImpressoraTermica("IMPRIMIR", F);
        F.fecha();
    }
    QFile arquivo(saida);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(), etiqueta({}));
    ArquivoPortaImpressora falha("|exit 3");
    QTest::qWait(100);
    EXPECT_THROW(
        {
            for (int n = 0; n < 1000; ++n)
                ComandoEspecialImpressoraTermica("INICIALIZAR", falha);
            falha.fecha();
        },
        ErroPortaImpressora)
        << "a program that ends early is an error of the port, not the end of the application";
}

}  // namespace
}  // namespace moduletest
