// The rental proposal letter: the date line, one block per line ordered by
// group (a generic product under its own text), the value caption by period,
// the value in words, pictures only when readable, a missing proposal, the
// reuse of the report, the statements of a print, the PDF.

#include "tests/module/ImpressosLocacaoFixture.h"

#include "host/report/Report.h"
#include "rental/uAssImpProposta.h"

#include <QImage>

namespace moduletest {
namespace {

class ImpPropostaTest : public ImpressosLocacaoTest {
protected:
    void SetUp() override
    {
        ImpressosLocacaoTest::SetUp();
        uAssImpProposta::DefinirRelogio(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANEMAIL) values (72, 'Paulo Lima', 'paulo@saudevida.com.br')");
    }
    void TearDown() override
    {
        uAssImpProposta::DefinirRelogio(QDateTime());
        ImpressosLocacaoTest::TearDown();
    }
    void proposta(const QString& numero, int dias)
    {
        exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, VELOCAL, ANCODIGOREQUISITANTE, VEPROPOSTA)"
                     " values ('%1', '00004', '01', 72, 'S')")
                 .arg(numero));
        periodo(numero, dias);
    }
    void periodo(const QString& numero, int dias)
    {
        if (dias == 0)
            exec("update AVEC8501 set VEINICIOVIGENCIA = null, VETERMINOVIGENCIA = null where NUMERO_PEDIDO = '" +
                 numero + "'");
        else
            exec("update AVEC8501 set VEINICIOVIGENCIA = '2024-04-01', VETERMINOVIGENCIA = :FIM where NUMERO_PEDIDO = '" +
                     numero + "'",
                 {{"FIM", QDateTime(QDate(2024, 4, 1).addDays(dias), QTime())}});
        dmGlobal->IBTransaction1->commitRetaining();
    }
    void linha(const QString& numero, int cod, const QString& produto, double valor, const QString& obs = {},
               const QString& configuracao = {})
    {
        exec(QString("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, OBS)"
                     " values (%1, '%2', '%3', 2, %4, %5)")
                 .arg(cod)
                 .arg(produto, numero)
                 .arg(valor)
                 .arg(obs.isEmpty() ? QString("null") : "'" + obs + "'"));
        if (!configuracao.isEmpty())
            exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('%1', 'V', %2, '%3')")
                     .arg(numero)
                     .arg(cod)
                     .arg(configuracao));
    }
    QString imprimir(const QString& numero)
    {
        VisualizarPropostaAssVenda(numero);
        const auto paginas = previa();
        return paginas ? paginas->textDump() : QString();
    }
};

TEST_F(ImpPropostaTest, DateLineValueInWordsAndOneBlockPerLineByGroup)
{
    parametro("ATPRODUTOGENERICO1", "999");
    proposta("000901", 30);
    linha("000901", 1, "P0001", 250.5, {}, "Fonte com cabo ");
    linha("000901", 2, "999", 99, "Notebook Dell");
    linha("000901", 3, "S0002", 80);
    // The branch's generic products: the host parameters are not the branch's.
    exec("update EA set PRGENERICO1 = '999' where CODIGO = '01'");
    const QString dump = imprimir("000901");
    const QString titulo = linhasBanda(dump, "qrbnTitulo").value(0);
    for (const char* parte : {"São Paulo, 05 de março de 2024", "À: | Clínica Saúde & Vida S/A", "A/C: | Paulo Lima",
                              "E-mail: | paulo@saudevida.com.br", "Ref.: Proposta de Locação nº:   | 000901"})
        EXPECT_TRUE(titulo.contains(QString::fromUtf8(parte))) << parte << "\n" << titulo.toStdString();
    const QStringList blocos = linhasBanda(dump, "qrbnDetalhe");
    ASSERT_EQ(blocos.size(), 3) << dump.toStdString();
    // By group description: the generic line's own text, then Peças, then Serviços.
    EXPECT_TRUE(blocos[0].startsWith("detail qrbnDetalhe: Notebook Dell |")) << blocos[0].toStdString();
    EXPECT_EQ(blocos[1], QString::fromUtf8("detail qrbnDetalhe: Peças | Configuração: | 1 | Quantidade: | 2 UN | "
                                           "Período: | 30 dias  | Valor Unitário Mensal: | R$ 250,50 (duzentos e "
                                           "cinquenta reais e cinquenta centavos) | Fonte com cabo"));
    EXPECT_TRUE(blocos[2].startsWith(QString::fromUtf8("detail qrbnDetalhe: Serviços |"))) << blocos[2].toStdString();
    const QString resumo = linhasBanda(dump, "qrbnResumo").value(0);
    EXPECT_TRUE(resumo.contains("Atenciosamente,") && resumo.contains("VALIDADE DA PROPOSTA: | 03 dias.") &&
                resumo.contains(QString::fromUtf8("IMPOSTOS: | Inclusos no valor do aluguel.")))
        << resumo.toStdString();
    // The branch without a tax number prints the company's; without a web site, its placeholder.
    const QString rodape = linhasBanda(dump, "qrbnRodape").value(0);
    EXPECT_TRUE(rodape.contains("Página: 1") && rodape.contains("CNPJ: 12.345.678/0001-95") &&
                rodape.contains("www.empresa.com.br"))
        << rodape.toStdString();
}

TEST_F(ImpPropostaTest, ThirtySixtyAndNoDaysReadMonthlyFortyFivePerPeriodAndTheReportIsReused)
{
    proposta("000902", 30);
    linha("000902", 1, "P0003", 120);
    QStringList captions;
    TqrAssImpProposta* relatorio = nullptr;
    for (int dias : {30, 60, 0, 45}) {
        periodo("000902", dias);
        const QString bloco = linhasBanda(imprimir("000902"), "qrbnDetalhe").value(0);
        captions << bloco.section(" | ", 7, 7);
        EXPECT_TRUE(bloco.contains(QString("Período: | %1 dias  |").arg(dias))) << bloco.toStdString();
        if (!relatorio)
            relatorio = qrAssImpProposta;
        EXPECT_EQ(qrAssImpProposta.get(), relatorio) << "created once";
    }
    EXPECT_EQ(captions, (QStringList{"Valor Unitário Mensal:", "Valor Unitário Mensal:", "Valor Unitário Mensal:",
                                     "Valor Unitário p/ Período:"}));
}

TEST_F(ImpPropostaTest, ProposalBAfterProposalAShowsBsData)
{
    proposta("000903", 30);
    linha("000903", 1, "P0001", 10);
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, VELOCAL, VEPROPOSTA) values ('000904', '00002', '01', 'S')");
    linha("000904", 1, "P0004", 20);
    EXPECT_TRUE(imprimir("000903").contains("Ref.: Proposta de Locação nº:   | 000903"));
    const QString b = imprimir("000904");
    EXPECT_TRUE(b.contains("Ref.: Proposta de Locação nº:   | 000904")) << b.toStdString();
    EXPECT_TRUE(b.contains("Padaria Pão Quente Ltda.")) << b.toStdString();
    EXPECT_FALSE(b.contains("Clínica")) << b.toStdString();
}

// A viewer still open on proposal A gives way to B's: one letter on screen.
TEST_F(ImpPropostaTest, TheViewerOfAnEarlierLetterGivesWayToTheNextOne)
{
    proposta("000908", 30);
    linha("000908", 1, "P0001", 10);
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, VELOCAL, VEPROPOSTA) values ('000909', '00002', '01', 'S')");
    VisualizarPropostaAssVenda("000908");
    VisualizarPropostaAssVenda("000909");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto paginas = previa();
    ASSERT_TRUE(paginas);
    EXPECT_TRUE(paginas->textDump().contains("Ref.: Proposta de Locação nº:   | 000909"));
}

TEST_F(ImpPropostaTest, AMissingProposalPrintsTheFixedTextsAndNoBlock)
{
    const QString dump = imprimir("999999");
    EXPECT_TRUE(linhasBanda(dump, "qrbnDetalhe").isEmpty()) << dump.toStdString();
    const QString titulo = linhasBanda(dump, "qrbnTitulo").value(0);
    EXPECT_TRUE(titulo.endsWith("À: | A/C: | E-mail: | Ref.: Proposta de Locação nº:  ")) << titulo.toStdString();
    EXPECT_TRUE(titulo.startsWith("title qrbnTitulo: Agradecemos")) << titulo.toStdString();
    EXPECT_TRUE(linhasBanda(dump, "qrbnResumo").value(0).contains("PAGAMENTO"));
    // A proposal without lines: its addressee and date, no empty block.
    proposta("000910", 30);
    const QString semLinhas = imprimir("000910");
    EXPECT_TRUE(linhasBanda(semLinhas, "qrbnDetalhe").isEmpty()) << semLinhas.toStdString();
    EXPECT_TRUE(linhasBanda(semLinhas, "qrbnTitulo").value(0).contains("São Paulo, 05 de março de 2024"));
}

TEST_F(ImpPropostaTest, PicturesPrintOnlyWhenTheirFilesRead)
{
    const QString foto = systemFolder + "/grupo.png";
    QImage imagem(40, 30, QImage::Format_RGB32);
    imagem.fill(Qt::darkBlue);
    ASSERT_TRUE(imagem.save(foto));
    exec("update ACEC1201 set GRFOTOMINI = :F where CODIGO = 'PEC'", {{"F", foto}});
    exec("update ACEC1201 set GRFOTOMINI = :F where CODIGO = 'SRV'", {{"F", systemFolder + "/nao-existe.png"}});
    parametro("ATPROPOSTALOGO", foto);
    parametro("ATPROPOSTAABERTURA", "Prezado cliente, segue a nossa proposta.");
    parametro("ATPROPOSTARESPONSAVEL", "Ana Ribeiro");
    proposta("000905", 30);
    linha("000905", 1, "P0001", 10);
    linha("000905", 2, "S0001", 20);
    const QString dump = imprimir("000905");
    const QStringList blocos = linhasBanda(dump, "qrbnDetalhe");
    ASSERT_EQ(blocos.size(), 2);
    EXPECT_TRUE(blocos[0].contains("[image]")) << blocos[0].toStdString();
    EXPECT_FALSE(blocos[1].contains("[image]")) << blocos[1].toStdString();
    // The logo heads every page.
    const QStringList cabecalhos = linhasBanda(dump, "qrbnCabecalho");
    EXPECT_EQ(cabecalhos.size(), dump.count("== page "));
    EXPECT_EQ(cabecalhos.value(0), "pageHeader qrbnCabecalho: [image]");
    EXPECT_TRUE(linhasBanda(dump, "qrbnTitulo").value(0).startsWith(
        "title qrbnTitulo: Prezado cliente, segue a nossa proposta."));
    EXPECT_TRUE(linhasBanda(dump, "qrbnResumo").value(0).contains("Ana Ribeiro"));
}

TEST_F(ImpPropostaTest, ALetterOfTwentyLinesRunsOneStatementAndMakesAValidPdf)
{
    proposta("000906", 30);
    for (int i = 1; i <= 20; ++i)
        linha("000906", i, i % 2 ? "P0001" : "P0003", 10 * i, {}, QString("Configuração %1").arg(i));
    proposta("000907", 30);
    linha("000907", 1, "P0001", 10);
    imprimir("000907");   // the report created and its statement prepared once
    testsupport::StatementCounter vinte;
    VisualizarPropostaAssVenda("000906");
    EXPECT_EQ(vinte.count(), 1);
    const auto paginas = previa();
    ASSERT_TRUE(paginas);
    EXPECT_EQ(linhasBanda(paginas->textDump(), "qrbnDetalhe").size(), 20);
    EXPECT_EQ(logDe("[quImpPropostaOpen]").size(), 6);
    pdfValido(*paginas, "proposta-locacao", "Proposta de Loca");
}

}  // namespace
}  // namespace moduletest
