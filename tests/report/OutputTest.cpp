// What the pages carry and where they go: texts through formats and masks,
// rich text, images, bar codes; PDF files, printers and the viewer.

#include "host/data/MemDataset.h"
#include "host/report/Report.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/Form.h"
#include "host/ui/ScriptedDialogs.h"
#include "host/ui/WindowRegistry.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/TestDatabase.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace host::report;
using reporttest::memDataset;
using reporttest::run;

namespace {

QByteArray pngBytes()
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Three pages of numbered lines with a page footer.
struct ThreePages {
    std::unique_ptr<host::data::MemDataset> rows = memDataset("quLinhas", {"TEXTO:s30"});
    Report report{nullptr, "qrTeste"};

    ThreePages()
    {
        QList<QVariantList> data;
        for (int i = 1; i <= 120; ++i)
            data << QVariantList{QStringLiteral("Linha %1 Ação").arg(i)};
        reporttest::appendRows(*rows, data);
        report.setTitle("Teste de Saída");
        report.setDataSet(rows.get());
        report.addBand(BandKind::Detail, "qrbnDetalhe", 6)->addDataText("qrteTexto", 0, 0, 80, 5, rows.get(), "TEXTO");
        report.addBand(BandKind::PageFooter, "qrbnRodape", 8)
            ->addSysData("qrsdPagina", 0, 0, 60, 5, SysDataKind::PageOfPages, "Página ");
    }
};

}  // namespace

TEST(ReportTexts, FormatsMasksRichTextImagesAndBarcodes)
{
    auto rows = memDataset("quCliente", {"CODIGO:i", "CEP:s8", "DATA:d", "VALOR:f", "FOTO:b"},
                           {{42, "12345678", QDateTime(QDate(2026, 3, 5), QTime(14, 30)), 1234.5, pngBytes()}});
    Report report;
    report.setDataSet(rows.get());
    Band* b = report.addBand(BandKind::Detail, "qrbnDetalhe", 40);
    b->addDataText("qrteCodigo", 0, 0, 20, 5, rows.get(), "CODIGO")->setDisplayFormat("000000000");
    b->addDataText("qrteCep", 0, 5, 20, 5, rows.get(), "CEP")->setEditMask("00000-000;0;_");
    b->addDataText("qrteData", 0, 10, 20, 5, rows.get(), "DATA")->setDisplayFormat("dd/mm/yy hh:nn");
    b->addDataText("qrteValor", 0, 15, 20, 5, rows.get(), "VALOR")->setDisplayFormat("###,###,##0.00");
    b->addExprText("qrexSoma", 0, 20, 20, 5, [&] { return rows->fieldByName("VALOR")->asFloat() * 2; });
    RichText* rich = b->addRichText("qrrtTexto", 0, 25, 60, 5);
    rich->setText("<p><b>Negrito</b> e normal</p>");
    b->addImage("qrimFoto", 100, 0, 20, 10)->setDataField(rows.get(), "FOTO");
    b->addBarcode("qrbcOS", 100, 20, 50, 15, BarcodeKind::Code128)->setExpression([] { return QString("000000042001"); });
    b->addShape("qrshLinha", 0, 39, 100, 1, ShapeKind::HorizontalLine);

    ASSERT_EQ(report.prepare(), 1);
    const PlacedBand& band = report.prepared()->pages[0].bands[0];
    EXPECT_EQ(band.texts(), (QStringList{"000000042", "[image]", "12345-678", "05/03/26 14:30", "1.234,50",
                                         "2469", "[barcode Code128 000000042001]", "Negrito e normal"}));
    const PlacedItem* barcode = band.item("qrbcOS");
    ASSERT_NE(barcode, nullptr);
    ASSERT_FALSE(barcode->bars.empty());
    for (const QRectF& bar : barcode->bars)
        EXPECT_TRUE(QRectF(0, 0, 50.01, 15.01).contains(bar)) << bar.x() << " " << bar.width();
    EXPECT_EQ(band.item("qrimFoto")->image.size(), QSize(8, 4));

    // A value the symbology cannot carry is the report's failure, and the report stays usable.
    b->controls().back()->setEnabled(false);
    auto* ean = b->addBarcode("qrbcEan", 100, 20, 50, 15, BarcodeKind::Ean13);
    ean->setData("ABC");
    EXPECT_THROW(report.prepare(), ReportError);
    ean->setData("789123456789");
    EXPECT_NO_THROW(report.prepare());
}

TEST(ReportTexts, VariablesAreExpressionsWithTheirQuotes)
{
    Report report;
    report.setVariable("Resposta", "'Andamento'");
    report.setVariable("Nome", "'D''Ávila'");
    report.setVariable("Numero", "12");
    EXPECT_EQ(report.variable("Resposta"), "'Andamento'");
    EXPECT_EQ(report.variableText("Resposta"), "Andamento");
    EXPECT_EQ(report.variableText("Nome"), "D'Ávila");
    EXPECT_EQ(report.variableText("Numero"), "12");
    EXPECT_EQ(report.variableText("Ausente"), "");
}

TEST(ReportOutput, PdfIsAValidFileWithTheTextsOfEveryPage)
{
    ThreePages r;
    const QString pdf = testsupport::uniqueFile("relatorio", ".pdf");
    r.report.exportPdf(pdf);
    ASSERT_TRUE(QFile::exists(pdf));
    int code = -1;
    const QString check = run("qpdf", {"--check", pdf}, &code);
    EXPECT_EQ(code, 0) << check.toStdString();
    EXPECT_EQ(run("qpdf", {"--show-npages", pdf}).trimmed(), "3");
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("Linha 1 Ação")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("Linha 120 Ação"));
    EXPECT_TRUE(text.contains("Página 3 de 3"));
    QFile::remove(pdf);
}

TEST(ReportOutput, PrintingOnAnUnknownPrinterFailsWithItsName)
{
    ThreePages r;
    try {
        r.report.print("Impressora Inexistente");
        FAIL() << "printed";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Impressora não encontrada: Impressora Inexistente");
    }
}

TEST(ReportOutput, PreviewWaitsInTheViewerThatPagesPrintsAndSavesPdf)
{
    ThreePages r;
    const QString pdf = testsupport::uniqueFile("visualizador", ".pdf");
    host::ui::ScriptedDialogs dialogs;
    QString pageLabel;
    QString lastPage;
    dialogs
        .modal("fmVisualizadorRelatorio",
               [&](host::ui::Form& form) {
                   auto& viewer = static_cast<TfmVisualizadorRelatorio&>(form);
                   pageLabel = viewer.laPagina->text();
                   viewer.bbUltima->click();
                   lastPage = viewer.laPagina->text();
                   viewer.bbSalvarPdf->click();
                   viewer.bbImprimir->click();
                   viewer.bbFechar->click();
               })
        .enter(pdf.chopped(4), "Salvar Relatório")
        .cancel();   // the printer choice
    r.report.preview(true);
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_EQ(dialogs.failures(), QStringList{});
    EXPECT_EQ(pageLabel, "Página 1 de 3");
    EXPECT_EQ(lastPage, "Página 3 de 3");
    EXPECT_EQ(run("qpdf", {"--show-npages", pdf}).trimmed(), "3");   // ".pdf" added to the name typed
    QFile::remove(pdf);
}

// A preview that does not wait, opened from a window that stays on top (the
// assistance order's proposal), belongs to that window and stays above it.
TEST(ReportOutput, ANonWaitingViewerStaysAboveTheWindowThatOpenedIt)
{
    host::ui::Form janela;
    janela.setObjectName("fmJanela");
    janela.setStayOnTop(true);
    janela.resize(400, 300);
    janela.showNonModal();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    auto r = std::make_unique<ThreePages>();
    r->report.preview(false);
    auto* viewer = static_cast<TfmVisualizadorRelatorio*>(host::ui::WindowRegistry::find("fmVisualizadorRelatorio"));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->stayOnTop()) << "a window that stays on top would cover it";
    ASSERT_NE(viewer->windowHandle(), nullptr);
    EXPECT_EQ(viewer->windowHandle()->transientParent(), janela.windowHandle());
    viewer->close();
}

TEST(ReportOutput, ANonWaitingViewerKeepsThePagesAfterTheReportIsGone)
{
    auto r = std::make_unique<ThreePages>();
    r->report.preview(false);
    r.reset();
    auto* viewer = host::ui::WindowRegistry::find("fmVisualizadorRelatorio");
    ASSERT_NE(viewer, nullptr);
    auto* visualizador = static_cast<TfmVisualizadorRelatorio*>(viewer);
    EXPECT_EQ(visualizador->pages().pageCount(), 3);
    EXPECT_EQ(visualizador->caption(), "Teste de Saída");
    visualizador->close();
    EXPECT_TRUE(visualizador->released());
}
