// Bands taller than a page: their texts go on across pages, line by line,
// nothing lost or repeated, nothing below the page footer.

#include "host/report/Report.h"
#include "tests/report/ReportFixture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace host::report;

namespace {

QString numberedLines(int count, const QString& separator)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Vencimento %1").arg(i, 3, 10, QLatin1Char('0'));
    return lines.join(separator);
}

// The numbers of the "Vencimento n" lines printed, in page order.
QList<int> printedNumbers(const PreparedReport& pages, const QString& bandName)
{
    QList<int> numbers;
    for (const PreparedPage& page : pages.pages)
        for (const PlacedBand& band : page.bands)
            if (band.name == bandName)
                for (const QString& text : band.texts()) {
                    static const QRegularExpression numero(QStringLiteral("Vencimento (\\d+)"));
                    for (const QRegularExpressionMatch& m : numero.globalMatch(text))
                        numbers << m.captured(1).toInt();
                }
    return numbers;
}

QList<int> oneTo(int count)
{
    QList<int> numbers;
    for (int i = 1; i <= count; ++i)
        numbers << i;
    return numbers;
}

// A4, margins 10, footer 10: bands end at 277 at the latest.
struct TallReport {
    Report report;
    Band* cabecalho = report.addBand(BandKind::PageHeader, "qrbnCabecalho", 20);
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 10);
    Band* resumo = report.addBand(BandKind::Summary, "qrbnResumo", 20);
    Band* rodape = report.addBand(BandKind::PageFooter, "qrbnRodape", 10);

    TallReport()
    {
        report.setMargins(10, 10, 10, 10);
        cabecalho->addLabel("qrlaEmpresa", 0, 0, 80, 5, "Empresa Teste");
        detalhe->addLabel("qrlaLinha", 0, 0, 80, 5, "Linha");
        resumo->addLabel("qrlaVencimentos", 0, 0, 80, 5, "Vencimentos");
        rodape->addSysData("qrsdPagina", 0, 0, 80, 5, SysDataKind::PageOfPages, "Página ");
    }

    void expectWithinPages()
    {
        for (const PreparedPage& page : report.prepared()->pages) {
            EXPECT_EQ(page.count("qrbnCabecalho"), 1);
            ASSERT_NE(page.band("qrbnRodape"), nullptr);
            for (const PlacedBand& band : page.bands) {
                if (band.kind == BandKind::PageFooter)
                    continue;
                EXPECT_LE(band.rect.bottom(), 277.001) << band.name.toStdString();
                for (const PlacedItem& item : band.items)
                    EXPECT_LE(item.rect.bottom(), 277.001) << item.name.toStdString();
            }
        }
    }
};

}  // namespace

TEST(BandSplit, TallMemoGoesOnAcrossPagesLineByLine)
{
    TallReport r;
    Memo* memo = r.resumo->addMemo("qrmeVencimentos", 0, 6, 180, 5);
    memo->setAutoStretch(true);
    memo->setWordWrap(true);
    memo->setText(numberedLines(150, "\n"));
    ASSERT_GE(r.report.prepare(), 3);
    EXPECT_EQ(printedNumbers(*r.report.prepared(), "qrbnResumo"), oneTo(150));
    r.expectWithinPages();
    // The band starts below the detail on the first page; its caption printed once.
    const PreparedReport& pages = *r.report.prepared();
    EXPECT_EQ(pages.pages[0].count("qrbnResumo"), 1);
    EXPECT_EQ(reporttest::linesOf(r.report.textDump(), "qrbnResumo").filter("Vencimentos |").size(), 1);
    EXPECT_DOUBLE_EQ(pages.pages[0].band("qrbnResumo")->rect.top(), 40);
    EXPECT_DOUBLE_EQ(pages.pages[1].band("qrbnResumo")->rect.top(), 30);
}

TEST(BandSplit, TallRichTextKeepsItsFormattingInEachPart)
{
    TallReport r;
    RichText* rich = r.resumo->addRichText("qrreVencimentos", 0, 6, 180, 5);
    rich->setAutoStretch(true);
    rich->setText("<p><b>" + numberedLines(120, "</b></p><p><b>") + "</b></p>");
    ASSERT_GE(r.report.prepare(), 2);
    EXPECT_EQ(printedNumbers(*r.report.prepared(), "qrbnResumo"), oneTo(120));
    r.expectWithinPages();
    const PlacedItem* second = r.report.prepared()->pages[1].band("qrbnResumo")->item("qrreVencimentos");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->text.contains("font-weight")) << second->text.left(400).toStdString();
}

TEST(BandSplit, LongWrappedDetailTextSplitsBetweenOtherRows)
{
    TallReport r;
    int row = 0;
    Memo* memo = r.detalhe->addMemo("qrmeTexto", 20, 0, 60, 5);
    memo->setAutoStretch(true);
    memo->setWordWrap(true);
    // Row 2 carries a long wrapped text (words, no line breaks).
    r.detalhe->beforePrint = [&](Band&, bool&) {
        ++row;
        memo->setText(row == 2 ? numberedLines(300, " ") : QStringLiteral("Curto %1").arg(row));
    };
    r.report.onNeedData = [&](Report&, bool& more) { more = row < 3; };
    ASSERT_GE(r.report.prepare(), 2);
    EXPECT_EQ(printedNumbers(*r.report.prepared(), "qrbnDetalhe"), oneTo(300));
    r.expectWithinPages();
    const QStringList lines = reporttest::bandLines(r.report.textDump());
    EXPECT_TRUE(lines.filter("Curto 1").size() == 1 && lines.filter("Curto 3").size() == 1);
}

TEST(BandSplit, BandThatFitsOnAFreshPageMovesWhole)
{
    TallReport r;
    Memo* memo = r.resumo->addMemo("qrmeVencimentos", 0, 6, 180, 5);
    memo->setAutoStretch(true);
    memo->setWordWrap(true);
    memo->setText(numberedLines(45, "\n"));
    int rows = 0;
    r.report.onNeedData = [&](Report&, bool& more) { more = ++rows <= 20; };
    ASSERT_EQ(r.report.prepare(), 2);
    const PreparedReport& pages = *r.report.prepared();
    EXPECT_EQ(pages.pages[0].count("qrbnResumo"), 0);
    EXPECT_EQ(pages.pages[1].count("qrbnResumo"), 1);
    EXPECT_EQ(printedNumbers(pages, "qrbnResumo"), oneTo(45));
}

TEST(BandSplit, ControlsBelowAGrownTextMoveDownUnlessTheBandSaysOtherwise)
{
    TallReport r;
    Memo* endereco = r.resumo->addMemo("qrmeEndereco", 0, 6, 60, 4);
    endereco->setAutoStretch(true);
    endereco->setWordWrap(true);
    endereco->setText("Rua 1\nBloco 2\nSala 3");
    r.resumo->addLabel("qrlaAbaixo", 0, 11, 60, 4, "Cobrança");
    r.resumo->addLabel("qrlaLado", 70, 6, 60, 4, "Ao lado");
    // Top of an item within the summary band, laid out anew.
    const auto topo = [&](const char* nome) {
        r.report.prepare();
        const PlacedBand* resumo = r.report.prepared()->pages[0].band("qrbnResumo");
        return resumo->item(nome)->rect.top() - resumo->rect.top();
    };
    EXPECT_DOUBLE_EQ(topo("qrmeEndereco"), 6);
    const double growth = r.report.prepared()->pages[0].band("qrbnResumo")->item("qrmeEndereco")->rect.height() - 4;
    ASSERT_GT(growth, 1);
    EXPECT_NEAR(topo("qrlaAbaixo"), 11 + growth, 0.001) << "below the text: it moves down, printed over by nothing";
    EXPECT_DOUBLE_EQ(topo("qrlaLado"), 6);   // beside the text, not below it
    EXPECT_NEAR(r.report.prepared()->pages[0].band("qrbnResumo")->rect.height(), 20 + growth, 0.001);
    // A band laid out to be printed over keeps the label where it was drawn.
    r.resumo->setShiftBelowGrown(false);
    EXPECT_DOUBLE_EQ(topo("qrlaAbaixo"), 11);
}
