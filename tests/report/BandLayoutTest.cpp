// The band layout: pages, headers and footers, groups, sub-details, hidden
// bands, label columns, page breaks asked by code, empty reports.

#include "host/data/MemDataset.h"
#include "host/report/Report.h"
#include "tests/report/ReportFixture.h"

#include <gtest/gtest.h>

using namespace host::report;
using reporttest::bandLines;
using reporttest::linesOf;
using reporttest::memDataset;

namespace {

QList<QVariantList> numberedRows(int count)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows << QVariantList{i, QStringLiteral("Linha %1").arg(i)};
    return rows;
}

// A4, margins 10: header 20, title 15, column header 10, footer 10, detail 10.
// Page 1 holds 22 rows (55 to 275), the next ones 23 (40 to 270).
struct PagedReport {
    std::unique_ptr<host::data::MemDataset> rows = memDataset("quLinhas", {"CODIGO:i", "TEXTO:s30"}, numberedRows(50));
    Report report;
    Band* cabecalho = report.addBand(BandKind::PageHeader, "qrbnCabecalho", 20);
    Band* titulo = report.addBand(BandKind::Title, "qrbnTitulo", 15);
    Band* colunas = report.addBand(BandKind::ColumnHeader, "qrbnColunas", 10);
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 10);
    Band* resumo = report.addBand(BandKind::Summary, "qrbnResumo", 10);
    Band* rodape = report.addBand(BandKind::PageFooter, "qrbnRodape", 10);

    PagedReport()
    {
        report.setDataSet(rows.get());
        cabecalho->addLabel("qrlaEmpresa", 0, 0, 80, 5, "Empresa Teste");
        titulo->addLabel("qrlaTitulo", 0, 0, 80, 5, "Relatório de Linhas");
        colunas->addLabel("qrlaColuna", 0, 0, 80, 5, "Texto");
        detalhe->addDataText("qrteTexto", 0, 0, 80, 5, rows.get(), "TEXTO");
        resumo->addLabel("qrlaFim", 0, 0, 80, 5, "Fim");
        rodape->addSysData("qrsdPagina", 0, 0, 80, 5, SysDataKind::PageOfPages, "Página ");
    }
};

}  // namespace

TEST(BandLayout, PageBreaksRepeatHeadersAndFootersWithPageOfPages)
{
    PagedReport r;
    ASSERT_EQ(r.report.prepare(), 3);
    const PreparedReport& pages = *r.report.prepared();
    EXPECT_EQ(pages.pages[0].count("qrbnDetalhe"), 22);
    EXPECT_EQ(pages.pages[1].count("qrbnDetalhe"), 23);
    EXPECT_EQ(pages.pages[2].count("qrbnDetalhe"), 5);
    for (int i = 0; i < 3; ++i) {
        const PreparedPage& page = pages.pages[size_t(i)];
        EXPECT_EQ(page.count("qrbnCabecalho"), 1) << i;
        EXPECT_EQ(page.count("qrbnColunas"), 1) << i;
        ASSERT_NE(page.band("qrbnRodape"), nullptr) << i;
        EXPECT_EQ(page.band("qrbnRodape")->texts(), QStringList{QStringLiteral("Página %1 de 3").arg(i + 1)});
        EXPECT_DOUBLE_EQ(page.band("qrbnRodape")->rect.top(), 277);
        EXPECT_EQ(page.count("qrbnTitulo"), i == 0 ? 1 : 0) << i;
        EXPECT_EQ(page.count("qrbnResumo"), i == 2 ? 1 : 0) << i;
    }
    // Rows carry on where the previous page stopped, below the repeated headers.
    EXPECT_EQ(pages.pages[1].band("qrbnDetalhe")->texts(), QStringList{"Linha 23"});
    EXPECT_DOUBLE_EQ(pages.pages[1].band("qrbnDetalhe")->rect.top(), 40);
    EXPECT_DOUBLE_EQ(pages.pages[0].band("qrbnDetalhe")->rect.top(), 55);
    EXPECT_TRUE(r.report.textDump().startsWith("== page 1/3 ==\npageHeader qrbnCabecalho: Empresa Teste\n"
                                               "title qrbnTitulo: Relatório de Linhas\n"
                                               "columnHeader qrbnColunas: Texto\ndetail qrbnDetalhe: Linha 1\n"));
}

TEST(BandLayout, FirstPageHeaderAndNoLastPageFooterWhenAsked)
{
    PagedReport r;
    r.cabecalho->setFirstPageOnly(true);
    r.report.setLastPageFooter(false);
    ASSERT_EQ(r.report.prepare(), 3);
    const PreparedReport& pages = *r.report.prepared();
    EXPECT_EQ(pages.pages[0].count("qrbnCabecalho"), 1);
    EXPECT_EQ(pages.pages[1].count("qrbnCabecalho"), 0);
    EXPECT_DOUBLE_EQ(pages.pages[1].band("qrbnColunas")->rect.top(), 10);
    EXPECT_EQ(pages.pages[1].count("qrbnRodape"), 1);
    EXPECT_EQ(pages.pages[2].count("qrbnRodape"), 0);
}

TEST(BandLayout, GroupFootersCountAndSumTheirGroupAndTheSummaryTheWhole)
{
    auto rows = memDataset("quVendas", {"CLIENTE:s20", "VALOR:f"},
                           {{"Ana", 10.0}, {"Ana", 5.5}, {"Beto", 1.0}, {"Beto", 2.0}, {"Beto", 3.0}, {"Caio", 1234.5}});
    Report report;
    report.setDataSet(rows.get());
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    detalhe->addDataText("qrteCliente", 0, 0, 40, 5, rows.get(), "CLIENTE");
    detalhe->addDataText("qrteValor", 50, 0, 30, 5, rows.get(), "VALOR")->setDisplayFormat("#,##0.00");
    Band* grupo = detalhe->addGroup("qrbnCliente", 6, "CLIENTE");
    grupo->addLabel("qrlaCliente", 0, 0, 20, 5, "Cliente:");
    grupo->addDataText("qrteGrupo", 20, 0, 40, 5, rows.get(), "CLIENTE");
    Band* rodape = grupo->addFooter("qrbnRodCliente", 6);
    auto valor = [&] { return rows->fieldByName("VALOR")->asFloat(); };
    rodape->addLabel("qrlaItens", 0, 0, 15, 5, "Itens:");
    rodape->addAggregate("qragItens", 15, 0, 10, 5, AggregateKind::Count, *detalhe);
    rodape->addLabel("qrlaTotal", 30, 0, 15, 5, "Total:");
    rodape->addAggregate("qragTotal", 45, 0, 30, 5, AggregateKind::Sum, *detalhe, valor)->setDisplayFormat("#,##0.00");
    Band* resumo = report.addBand(BandKind::Summary, "qrbnResumo", 6);
    resumo->addAggregate("qragGeral", 0, 0, 30, 5, AggregateKind::Sum, *detalhe, valor)->setDisplayFormat("#,##0.00");
    resumo->addAggregate("qragLinhas", 40, 0, 10, 5, AggregateKind::Count, *detalhe);

    EXPECT_EQ(bandLines(report.textDump()),
              (QStringList{"groupHeader qrbnCliente: Cliente: | Ana",
                           "detail qrbnDetalhe: Ana | 10,00",
                           "detail qrbnDetalhe: Ana | 5,50",
                           "groupFooter qrbnRodCliente: Itens: | 2 | Total: | 15,50",
                           "groupHeader qrbnCliente: Cliente: | Beto",
                           "detail qrbnDetalhe: Beto | 1,00",
                           "detail qrbnDetalhe: Beto | 2,00",
                           "detail qrbnDetalhe: Beto | 3,00",
                           "groupFooter qrbnRodCliente: Itens: | 3 | Total: | 6,00",
                           "groupHeader qrbnCliente: Cliente: | Caio",
                           "detail qrbnDetalhe: Caio | 1.234,50",
                           "groupFooter qrbnRodCliente: Itens: | 1 | Total: | 1.234,50",
                           "summary qrbnResumo: 1.256,00 | 6"}));
}

TEST(BandLayout, AnOuterGroupChangeRestartsTheInnerGroupWithTheSameKey)
{
    auto rows = memDataset("quVendas", {"REGIAO:s5", "CLIENTE:s20"},
                           {{"N", "Ana"}, {"N", "Beto"}, {"S", "Beto"}, {"S", "Beto"}});
    Report report;
    report.setDataSet(rows.get());
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    detalhe->addDataText("qrteCliente", 0, 0, 40, 5, rows.get(), "CLIENTE");
    Band* regiao = detalhe->addGroup("qrbnRegiao", 5, "REGIAO");
    regiao->addDataText("qrteRegiao", 0, 0, 40, 5, rows.get(), "REGIAO");
    regiao->addFooter("qrbnRodRegiao", 5)->addAggregate("qragRegiao", 0, 0, 10, 5, AggregateKind::Count, *detalhe);
    Band* cliente = detalhe->addGroup("qrbnCliente", 5, [&] { return rows->fieldByName("CLIENTE")->value(); });
    cliente->addDataText("qrteGrupo", 0, 0, 40, 5, rows.get(), "CLIENTE");
    cliente->addFooter("qrbnRodCliente", 5)->addAggregate("qragCliente", 0, 0, 10, 5, AggregateKind::Count, *detalhe);

    EXPECT_EQ(bandLines(report.textDump()),
              (QStringList{"groupHeader qrbnRegiao: N", "groupHeader qrbnCliente: Ana", "detail qrbnDetalhe: Ana",
                           "groupFooter qrbnRodCliente: 1", "groupHeader qrbnCliente: Beto", "detail qrbnDetalhe: Beto",
                           "groupFooter qrbnRodCliente: 1", "groupFooter qrbnRodRegiao: 2",
                           "groupHeader qrbnRegiao: S", "groupHeader qrbnCliente: Beto", "detail qrbnDetalhe: Beto",
                           "detail qrbnDetalhe: Beto", "groupFooter qrbnRodCliente: 2", "groupFooter qrbnRodRegiao: 2"}));
}

TEST(BandLayout, SubDetailRunsUnderEachMasterRowWithItsHeaderAndFooter)
{
    auto ordens = memDataset("quOS", {"CODIGO:i", "CLIENTE:s20"}, {{1, "Ana"}, {2, "Beto"}, {3, "Caio"}});
    auto linhas = memDataset("quPecas", {"CODIGO:i", "DESCRICAO:s20", "VALOR:f"});
    const QList<QVariantList> todas{{1, "Peça X", 10.0}, {1, "Peça Y", 2.5}, {3, "Peça Z", 7.0}};
    // The master's after-scroll loads the lines of its row, as the loaders do.
    ordens->afterScroll = [&](host::data::Dataset& ds) {
        linhas->emptyDataset();
        QList<QVariantList> daOrdem;
        for (const QVariantList& linha : todas)
            if (linha[0].toInt() == ds.fieldByName("CODIGO")->asInteger())
                daOrdem << linha;
        reporttest::appendRows(*linhas, daOrdem);
    };
    Report report;
    report.setDataSet(ordens.get());
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnOS", 6);
    detalhe->addDataText("qrteOS", 0, 0, 20, 5, ordens.get(), "CODIGO")->setDisplayFormat("000000000");
    detalhe->addDataText("qrteCliente", 30, 0, 40, 5, ordens.get(), "CLIENTE");
    Band* pecas = detalhe->addSubDetail("qrsdPecas", 5, linhas.get());
    pecas->addDataText("qrteDescricao", 5, 0, 40, 5, linhas.get(), "DESCRICAO");
    pecas->addDataText("qrteValor", 50, 0, 20, 5, linhas.get(), "VALOR")->setDisplayFormat("#,##0.00");
    pecas->addHeader("qrbnCabPecas", 5)->addLabel("qrlaPeca", 5, 0, 40, 5, "Peça");
    Band* rodape = pecas->addFooter("qrbnRodPecas", 5);
    rodape->addAggregate("qragPecas", 50, 0, 20, 5, AggregateKind::Sum, *pecas,
                         [&] { return linhas->fieldByName("VALOR")->asFloat(); })
        ->setDisplayFormat("#,##0.00");
    pecas->setPrintIfEmpty(false);

    const QStringList comLinhas{"detail qrbnOS: 000000001 | Ana",   "groupHeader qrbnCabPecas: Peça",
                                "subDetail qrsdPecas: Peça X | 10,00", "subDetail qrsdPecas: Peça Y | 2,50",
                                "groupFooter qrbnRodPecas: 12,50"};
    const QStringList resto{"detail qrbnOS: 000000002 | Beto", "detail qrbnOS: 000000003 | Caio",
                            "groupHeader qrbnCabPecas: Peça", "subDetail qrsdPecas: Peça Z | 7,00",
                            "groupFooter qrbnRodPecas: 7,00"};
    EXPECT_EQ(bandLines(report.textDump()), comLinhas + resto);

    // Printed even when empty, the order without lines gets its header and a zero total.
    pecas->setPrintIfEmpty(true);
    EXPECT_EQ(bandLines(report.textDump()).mid(5, 3),
              (QStringList{"detail qrbnOS: 000000002 | Beto", "groupHeader qrbnCabPecas: Peça",
                           "groupFooter qrbnRodPecas: 0,00"}));

    // A disabled sub-detail skips its rows, header and footer.
    pecas->setEnabled(false);
    EXPECT_EQ(bandLines(report.textDump()),
              (QStringList{"detail qrbnOS: 000000001 | Ana", "detail qrbnOS: 000000002 | Beto",
                           "detail qrbnOS: 000000003 | Caio"}));
}

TEST(BandLayout, BeforePrintHidesABandAndItsChildAndPrintHooksRewriteValues)
{
    auto rows = memDataset("quLinhas", {"CODIGO:i", "VALOR:f"}, {{1, 5.0}, {2, 0.0}, {3, 7.0}});
    Report report;
    report.setDataSet(rows.get());
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    detalhe->addDataText("qrteCodigo", 0, 0, 20, 5, rows.get(), "CODIGO");
    TextControl* valor = detalhe->addDataText("qrteValor", 30, 0, 20, 5, rows.get(), "VALOR");
    valor->onPrint = [](TextControl&, QString& text) { text = "R$ " + text; };
    detalhe->addLabel("qrlaOculto", 60, 0, 20, 5, "nunca")->setEnabled(false);
    Band* obs = detalhe->addChild("qrbnObs", 4);
    obs->addLabel("qrlaObs", 0, 0, 40, 4, "Obs.");
    Band* resumo = report.addBand(BandKind::Summary, "qrbnResumo", 5);
    resumo->addAggregate("qragSoma", 0, 0, 20, 5, AggregateKind::Count, *detalhe);
    int skipped = 0;
    detalhe->beforePrint = [&](Band& band, bool& print) {
        print = rows->fieldByName("VALOR")->asFloat() != 0;
        band.setHeight(rows->fieldByName("CODIGO")->asInteger() == 3 ? 12 : 5);
    };
    detalhe->afterPrint = [&](Band&, bool printed) { skipped += printed ? 0 : 1; };

    EXPECT_EQ(bandLines(report.textDump()),
              (QStringList{"detail qrbnDetalhe: 1 | R$ 5", "child qrbnObs: Obs.", "detail qrbnDetalhe: 3 | R$ 7",
                           "child qrbnObs: Obs.", "summary qrbnResumo: 2"}));
    EXPECT_EQ(skipped, 1);
    const PreparedPage& page = report.prepared()->pages[0];
    EXPECT_DOUBLE_EQ(page.bands[2].rect.height(), 12);   // geometry changed at run time
    EXPECT_DOUBLE_EQ(page.bands[3].rect.top(), 10 + 5 + 4 + 12);

    obs->setEnabled(false);
    EXPECT_EQ(linesOf(report.textDump(), "qrbnObs"), QStringList{});
}

TEST(BandLayout, LabelColumnsFillEachRowAcrossThenDownAndBreakThePage)
{
    // A label sheet: no dataset, the labels come from a counter.
    Report report;
    report.setCustomPaper(100, 70);
    report.setMargins(1, 1, 1, 1);
    report.setColumns(3, 2);
    Band* etiqueta = report.addBand(BandKind::Detail, "qrbnEtiqueta", 20);
    int produced = 0;
    int total = 10;
    report.onNeedData = [&](Report&, bool& more) { more = produced++ < total; };
    etiqueta->addExprText("qrteNumero", 1, 1, 20, 5, [&] { return produced; });
    report.beforePrint = [&](Report&) { produced = 0; };

    ASSERT_EQ(report.prepare(), 2);
    const PreparedReport& pages = *report.prepared();
    ASSERT_EQ(pages.pages[0].bands.size(), 9u);
    const double width = (98.0 - 4) / 3;
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[1].rect.left(), 1 + width + 2);
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[1].rect.top(), 1);
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[1].rect.width(), width);
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[3].rect.left(), 1);
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[3].rect.top(), 21);
    EXPECT_DOUBLE_EQ(pages.pages[0].bands[2].items[0].rect.left(), 1 + 2 * (width + 2) + 1);
    EXPECT_EQ(pages.pages[1].bands.size(), 1u);
    EXPECT_EQ(pages.pages[1].bands[0].texts(), QStringList{"10"});

    total = 0;   // no label at all: nothing to print
    report.setPrintIfEmpty(true);
    EXPECT_EQ(report.prepare(), 1);
    EXPECT_TRUE(report.prepared()->pages[0].bands.empty());
}

TEST(BandLayout, NewPageAskedAfterABandStartsTheNextBandOnANewPage)
{
    auto rows = memDataset("quDespesas", {"CODIGO:i", "TEXTO:s10"}, {{1, "a"}, {2, "b"}, {3, "c"}});
    Report report;
    report.setDataSet(rows.get());
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    detalhe->addDataText("qrteTexto", 0, 0, 20, 5, rows.get(), "TEXTO");
    report.addBand(BandKind::PageHeader, "qrbnCabecalho", 5)->addSysData("qrsdPagina", 0, 0, 20, 5, SysDataKind::PageNumber, "p");
    // A new page after each row but the last: no empty page at the end.
    detalhe->afterPrint = [&](Band&, bool) {
        if (rows->recNo() < rows->recordCount())
            report.newPage();
    };
    EXPECT_EQ(report.textDump(), "== page 1/3 ==\npageHeader qrbnCabecalho: p1\ndetail qrbnDetalhe: a\n"
                                 "== page 2/3 ==\npageHeader qrbnCabecalho: p2\ndetail qrbnDetalhe: b\n"
                                 "== page 3/3 ==\npageHeader qrbnCabecalho: p3\ndetail qrbnDetalhe: c\n");
}

TEST(BandLayout, AnEmptyDatasetPrintsNothingUnlessAskedAndThenNoDetail)
{
    auto rows = memDataset("quVazio", {"CODIGO:i"});
    Report report;
    report.setDataSet(rows.get());
    report.addBand(BandKind::Title, "qrbnTitulo", 10)->addLabel("qrlaTitulo", 0, 0, 50, 5, "Título");
    report.addBand(BandKind::Detail, "qrbnDetalhe", 5)->addDataText("qrteCodigo", 0, 0, 20, 5, rows.get(), "CODIGO");
    report.addBand(BandKind::Summary, "qrbnResumo", 5)->addLabel("qrlaFim", 0, 0, 50, 5, "Nenhum registro");
    report.setPrintIfEmpty(false);
    EXPECT_EQ(report.prepare(), 0);
    EXPECT_EQ(report.textDump(), "");

    report.setPrintIfEmpty(true);
    EXPECT_EQ(report.textDump(), "== page 1/1 ==\ntitle qrbnTitulo: Título\nsummary qrbnResumo: Nenhum registro\n");

    rows->close();   // a closed dataset reads as empty
    EXPECT_EQ(report.prepare(), 1);
}

TEST(BandLayout, AStretchingMemoGrowsItsBandAndPushesTheRest)
{
    Report report;
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnLaudo", 10);
    Memo* memo = detalhe->addMemo("qrmeLaudo", 0, 0, 30, 5);
    memo->setAutoStretch(true);
    memo->setText(QString("palavra ").repeated(60).trimmed());
    report.addBand(BandKind::Summary, "qrbnResumo", 5)->addLabel("qrlaFim", 0, 0, 20, 5, "fim");
    ASSERT_EQ(report.prepare(), 1);
    const PreparedPage& page = report.prepared()->pages[0];
    const double height = page.bands[0].rect.height();
    EXPECT_GT(height, 30);   // sixty words in a 30 mm column take many lines
    EXPECT_DOUBLE_EQ(page.bands[1].rect.top(), 10 + height);
    EXPECT_DOUBLE_EQ(page.bands[0].items[0].rect.height(), height);

    memo->setAutoStretch(false);
    report.prepare();
    EXPECT_DOUBLE_EQ(report.prepared()->pages[0].bands[0].rect.height(), 10);
}

TEST(BandLayout, AReportDatasetBoundAfterTheDetailWasMadeIsWalkedWhole)
{
    auto rows = memDataset("quLinhas", {"CODIGO:i", "TEXTO:s30"}, numberedRows(3));
    ReportDataset dados(nullptr, "dsLinhas", "dsLinhas");
    Report report;
    report.setDataSet(&dados);   // not bound yet, as a form's report is made
    Band* detalhe = report.addBand(BandKind::Detail, "qrbnDetalhe", 10);
    detalhe->addDataText("qrteTexto", 0, 0, 80, 5, &dados, "TEXTO");
    dados.setDataSet(rows.get());
    report.prepare();
    EXPECT_EQ(report.prepared()->pages[0].count("qrbnDetalhe"), 3) << "every row, not the detail once";
}

// A total too wide for its box beside its caption, and a date at the page's
// right margin: both shrink to fit and print every digit, where a text is
// ended in "…".
TEST(BandLayout, ACrowdedNumberOrDateShrinksAndPrintsWholeWhereATextIsElided)
{
    auto rows = memDataset("quVendas", {"VALOR:f"}, {{9876543.21}});
    Report report;
    report.setDataSet(rows.get());
    report.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    Band* resumo = report.addBand(BandKind::Summary, "qrbnResumo", 6);
    auto valor = [&] { return rows->fieldByName("VALOR")->asFloat(); };
    resumo->addLabel("qrlaTotal", 0, 0, 20, 5, "Total Geral:");
    auto* total = resumo->addAggregate("qragTotal", 20, 0, 8, 5, AggregateKind::Sum, *report.detail(), valor);
    total->setDisplayFormat("#,##0.00");
    total->setAlignment(Qt::AlignRight);
    resumo->addLabel("qrlaData", 184, 0, 6, 5, "08/12/2026");
    resumo->addLabel("qrlaNome", 100, 0, 10, 5, "Equipamentos Pesados");
    resumo->addLabel("qrlaVizinho", 110, 0, 20, 5, "Vizinho");
    ASSERT_EQ(report.prepare(), 1);
    const PlacedBand* band = report.prepared()->pages[0].band("qrbnResumo");
    ASSERT_NE(band, nullptr);
    const QStringList texts = band->texts();
    EXPECT_TRUE(texts.contains("9.876.543,21")) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains("08/12/2026")) << texts.join(" | ").toStdString();
    EXPECT_FALSE(texts.contains("Equipamentos Pesados")) << "a text crowding its neighbour is fitted";
}
