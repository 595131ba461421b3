// The label sheet of a service order through the labels button of the
// service-order window (demonstration order 42): blank labels for a partly
// used sheet, the layout file and its styles, and the sheet as a PDF.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "host/report/PreparedReport.h"
#include "host/report/Uvisualrel.h"
#include "host/schema/HostSchema.h"
#include "service_orders/uAssOSEtiquetas.h"
#include "tests/support/OnScreenDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

namespace moduletest {
namespace {

using host::report::PreparedReport;

// A sheet of 14 lines: 2 columns of 50 x 30 mm labels, Courier New 9, the style last.
QByteArray layoutEtiquetas(const QString& estilo)
{
    return ("104\n220\n1,5\n1,5\n2\n2\n2\n3\n\n30\n\nCourier New\n9\n" + estilo + "\n").toUtf8();
}

class EtiquetasFolhaTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
        layout(layoutEtiquetas("Negrito"));
    }
    void layout(const QByteArray& texto)
    {
        QFile arquivo(systemFolder + "/ACIEC.txt");
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(texto);
    }
    // The sheet previewed for the start position and count typed; with
    // pdf, also written there.
    PreparedReport imprimir(TfmAssOrdemServico& form, const QString& inicio, const QString& quantidade,
                            const QString& pdf = {})
    {
        PreparedReport folha;
        dialogs->answer("Matricial", "Deseja imprimir em qual tipo de impressora?")
            .enter(inicio, "Informe a Posição Inicial da Etiqueta (Opcional):")
            .enter(quantidade, "Informe a quantidade de etiquetas que deseja imprimir.")
            .modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
                folha = static_cast<TfmVisualizadorRelatorio&>(janela).pages();
                if (!pdf.isEmpty())
                    qrAssOSEtiquetas->QuickRep1->exportPdf(pdf);
            });
        form.sbEtiquetas->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(qrAssOSEtiquetas.get(), nullptr) << "the report is freed after its preview";
        return folha;
    }
    static QStringList etiquetas(const PreparedReport& folha)
    {
        QStringList linhas = folha.bandLines();
        return linhas.filter("qrbnEtiqueta");
    }
};

TEST_F(EtiquetasFolhaTest, StartThreeAndFourLabelsGiveTwoBlankLabelsThenFourAlike)
{
    TfmAssOrdemServico& form = abrir();
    const QString pdf = QDir(QCoreApplication::applicationDirPath()).filePath("qrAssOSEtiquetas_42.pdf");
    QFile::remove(pdf);
    const PreparedReport folha = imprimir(form, "3", "4", pdf);
    const QString cheia = "detail qrbnEtiqueta: Nº OS: | 000000042 | Data: | 16/11/2026 | Cliente: | 00002 | "
                          "Padaria Pão Quente Ltda. | Fone: | (11)3333-4444 | SP | 01310-100 | Contato: | Sr. Paulo | "
                          "Defeito: | Vazamento de água e ruído na bomba";
    EXPECT_EQ(etiquetas(folha), (QStringList{"detail qrbnEtiqueta: ", "detail qrbnEtiqueta: ", cheia, cheia, cheia, cheia}));
    // The layout file's sheet: two columns of 50 mm with 3 mm between them.
    EXPECT_EQ(folha.page.columns, 2);
    EXPECT_DOUBLE_EQ(folha.page.customWidth, 104);
    EXPECT_DOUBLE_EQ(folha.page.margins.left, 1.5);
    ASSERT_EQ(folha.pageCount(), 1);
    const auto& bandas = folha.pages[0].bands;
    ASSERT_EQ(bandas.size(), 6u);
    EXPECT_DOUBLE_EQ(bandas[1].rect.left() - bandas[0].rect.left(), 52) << "(101 - 3) / 2 plus the column space";
    EXPECT_DOUBLE_EQ(bandas[2].rect.top() - bandas[0].rect.top(), 30) << "the label height of line 9";

    // The sheet as a PDF beside the test program.
    QProcess qpdf;
    qpdf.start("qpdf", {"--check", pdf});
    ASSERT_TRUE(qpdf.waitForFinished(30000));
    EXPECT_EQ(qpdf.exitCode(), 0);
    QProcess texto;
    texto.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString lido = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_EQ(lido.count("Sr. Paulo"), 4);
    EXPECT_EQ(lido.count("Nº OS:"), 4) << "the blank labels print nothing";
}

TEST_F(EtiquetasFolhaTest, StartZeroOrOneLeavesNoLabelBlank)
{
    TfmAssOrdemServico& form = abrir();
    for (const QString& inicio : {QString("0"), QString("1")}) {
        const QStringList linhas = etiquetas(imprimir(form, inicio, "2"));
        ASSERT_EQ(linhas.size(), 2) << inicio.toStdString();
        EXPECT_TRUE(linhas.at(0).contains("Padaria")) << inicio.toStdString();
    }
}

// The position box on screen shows "0,00" and reads "3,0" as the user
// means it: the third label is the first printed.
TEST_F(EtiquetasFolhaTest, ThePositionBoxShowsAndReadsTheBrazilianNumber)
{
    TfmAssOrdemServico& form = abrir();
    PreparedReport folha;
    testsupport::OnScreenDialogs naTela;
    naTela.press("Matricial").type("3,0").type("2").inspect([&](QWidget& janela) {
        if (auto* visualizador = dynamic_cast<TfmVisualizadorRelatorio*>(&janela))
            folha = visualizador->pages();
    });
    form.sbEtiquetas->click();
    ASSERT_GE(naTela.seen().size(), 4u) << naTela.texts().join(" | ").toStdString();
    EXPECT_EQ(naTela.seen()[1].value, "0,00") << "not 0.0000";
    const QStringList linhas = etiquetas(folha);
    ASSERT_EQ(linhas.size(), 4) << "two blank labels, then the two asked";
    EXPECT_EQ(linhas.at(0), "detail qrbnEtiqueta: ");
    EXPECT_EQ(linhas.at(1), "detail qrbnEtiqueta: ");
    EXPECT_TRUE(linhas.at(2).contains("Padaria"));
}

TEST_F(EtiquetasFolhaTest, ALayoutOfTenLinesEndsWithTheConfigurationMessageNamingTheFile)
{
    layout("104\n220\n1,5\n1,5\n2\n2\n2\n3\n\n30\n");
    TfmAssOrdemServico& form = abrir();
    const QString mensagem = "Nenhuma configuração encontrada, antes de imprimir configure as dimensões do papel"
                             " no arquivo " + systemFolder + "/ACIEC.txt.";
    dialogs->answer("Matricial").enter("1").enter("2").acknowledge(mensagem);
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0) << "no preview";
    EXPECT_EQ(qrAssOSEtiquetas.get(), nullptr);

    // A value that does not convert is as bad as a missing line.
    layout(layoutEtiquetas("Negrito").replace("220", "duzentos"));
    dialogs->answer("Matricial").enter("1").enter("2").acknowledge(mensagem);
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

// A new installation has no layout file, or the empty one an older version
// left: the sheet prints on a standard A4 sheet of labels, and the file
// holds that layout for the user to adjust.
TEST_F(EtiquetasFolhaTest, WithoutALayoutTheSheetPrintsOnAStandardSheetAndTheFileKeepsIt)
{
    TfmAssOrdemServico& form = abrir();
    for (bool vazio : {false, true}) {
        QFile::remove(systemFolder + "/ACIEC.txt");
        if (vazio)
            layout({});
        const PreparedReport folha = imprimir(form, "1", "2");
        ASSERT_EQ(etiquetas(folha).size(), 2) << vazio;
        EXPECT_TRUE(etiquetas(folha).at(0).contains("Padaria")) << vazio;
        EXPECT_EQ(folha.page.columns, 3);
        EXPECT_DOUBLE_EQ(folha.page.customWidth, 210);
        EXPECT_GT(QFile(systemFolder + "/ACIEC.txt").size(), 0);
    }
}

TEST_F(EtiquetasFolhaTest, BoldUnderlinedReachesTheSevenDataTextsAndTheFontEveryText)
{
    layout(layoutEtiquetas("Negrito, Sublinhado"));
    TfmAssOrdemServico& form = abrir();
    const PreparedReport folha = imprimir(form, "0", "1");
    ASSERT_EQ(folha.pageCount(), 1);
    const host::report::PlacedBand& etiqueta = folha.pages[0].bands.at(0);
    for (const char* nome : {"qrteOS", "qrteData", "qrteCodCli", "qrteCliente", "qrteFone", "qrteContato", "qrteDefeito"}) {
        const host::report::PlacedItem* item = etiqueta.item(nome);
        ASSERT_NE(item, nullptr) << nome;
        EXPECT_TRUE(item->font.bold() && item->font.underline() && !item->font.italic()) << nome;
        EXPECT_EQ(item->font.family(), "Courier New") << nome;
        EXPECT_EQ(item->font.pointSize(), 9) << nome;
    }
    for (const char* nome : {"qrteUF", "qrteCep"})
        EXPECT_FALSE(etiqueta.item(nome)->font.underline()) << nome << " is not among the seven";
    const host::report::PlacedItem* rotulo = etiqueta.item("qrlaCliente");
    ASSERT_NE(rotulo, nullptr);
    EXPECT_TRUE(rotulo->font.bold() && !rotulo->font.underline()) << "a caption keeps its own style";
    EXPECT_EQ(rotulo->font.family(), "Courier New");
    EXPECT_EQ(rotulo->font.pointSize(), 9);

    layout(layoutEtiquetas("Italic, Sublinhado"));
    const host::report::PlacedItem* os = imprimir(form, "0", "1").pages[0].bands.at(0).item("qrteOS");
    ASSERT_NE(os, nullptr);
    EXPECT_TRUE(os->font.italic() && os->font.underline() && !os->font.bold()) << "spelled \"Italic\"";
}

TEST_F(EtiquetasFolhaTest, AnInvalidCountSaysSoAndACancelledOneEndsQuietly)
{
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Matricial").enter("2").enter("quatro").acknowledge("Nº de etiquetas inválido");
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0) << "no preview";
    dialogs->answer("Matricial").cancel("Posição Inicial").cancel("Informe a quantidade");
    form.sbEtiquetas->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(qrAssOSEtiquetas.get(), nullptr);
}

}  // namespace
}  // namespace moduletest
