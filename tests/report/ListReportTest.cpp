// The host's generic list report and the reports of a query and of a grid.

#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/HostDatabase.h"

#include <QFormLayout>
#include <QLabel>
#include <QPrinterInfo>

#include <gtest/gtest.h>

using namespace host::report;
using reporttest::linesOf;

namespace {

class ListReportTest : public testsupport::HostDemoDatabaseTest {
protected:
    void SetUp() override
    {
        HostDemoDatabaseTest::SetUp();
        horas.setTransaction(dmGlobal->IBTransaction1.get());
        horas.setSql("select AHCODIGO, AHDESCRICAO, AHTIPO, AHHORA1, AHHORA2 from AATC04AH order by AHCODIGO");
        horas.open();
    }

    // Previews through the viewer and returns the dump of what it shows.
    QString previewed(const std::function<void()>& print)
    {
        QString dump;
        dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& form) {
            dump = static_cast<TfmVisualizadorRelatorio&>(form).pages().textDump();
        });
        print();
        return dump;
    }

    host::data::Query horas{nullptr, "quHoraTecnica"};
};

}  // namespace

TEST_F(ListReportTest, ListReportPrintsTheHeaderColumnsRowsAndPageNumbers)
{
    qrRelatorio = std::make_unique<TqrRelatorio>(&horas);
    qrRelatorio->setTitulo("Cadastro de Hora Técnica");
    qrRelatorio->setSistema("Assistência Técnica");
    qrRelatorio->setPrograma("AATC04AH");
    qrRelatorio->AdicionaColuna("Código", "AHCODIGO");
    qrRelatorio->AdicionaColuna("Descrição", "AHDESCRICAO");
    qrRelatorio->AdicionaColuna("1ª Hora", "AHHORA1", 336);
    qrRelatorio->AdicionaColuna("2ª Hora", "AHHORA2", 392);
    const QString dump = previewed([] { qrRelatorio->preview(true); });
    qrRelatorio.reset();

    const QStringList header = linesOf(dump, "qrbnCabecalho");
    ASSERT_EQ(header.size(), 1);
    EXPECT_TRUE(header[0].startsWith("pageHeader qrbnCabecalho:  Empresa: | Assistência Técnica Exemplo Ltda. | "
                                     "Data Emissão | "))
        << header[0].toStdString();
    EXPECT_TRUE(header[0].contains("CNPJ: | 12.345.678/0001-95 | Hora Emissão"));
    EXPECT_TRUE(header[0].endsWith("Sistema:  Assistência Técnica | Programa : AATC04AH | Cadastro de Hora Técnica"));
    EXPECT_EQ(linesOf(dump, "qrbnColunas"),
              QStringList{"columnHeader qrbnColunas: Código | Descrição | 1ª Hora | 2ª Hora"});
    EXPECT_EQ(linesOf(dump, "qrbnDetalhe"),
              (QStringList{"detail qrbnDetalhe: 1 | Hora técnica normal | 120 | 120",
                           "detail qrbnDetalhe: 2 | Hora técnica externa | 150 | 140",
                           "detail qrbnDetalhe: 3 | Hora técnica de plantão | 180 | 180"}));
    EXPECT_EQ(linesOf(dump, "qrbnRodape"), QStringList{"pageFooter qrbnRodape: Página 1"});
}

TEST_F(ListReportTest, ColumnsAtScreenPositionsAndTooWideListsTurnTheSheet)
{
    TqrRelatorio relatorio(&horas);
    relatorio.AdicionaColuna("1ª Hora", "AHHORA1", 336);
    ASSERT_EQ(relatorio.prepare(), 1);
    const PlacedBand* colunas = relatorio.prepared()->pages[0].band("qrbnColunas");
    EXPECT_NEAR(colunas->item("qrlaColuna1")->rect.left(), 10 + 88.9, 1e-9);

    TqrRelatorio largo(&horas);
    for (int i = 0; i < 8; ++i)
        largo.AdicionaColuna("Descrição", "AHDESCRICAO");   // 8 x 54 mm: wider than a landscape A4
    largo.setSubtitulo("Subtítulo");
    ASSERT_EQ(largo.prepare(), 1);
    EXPECT_TRUE(largo.page().landscape);
    const PreparedPage& page = largo.prepared()->pages[0];
    // Wider than the sheet turned: each record a form of lines, every title
    // over its value at the report's size, inside the margins.
    EXPECT_EQ(page.band("qrbnColunas"), nullptr);
    const PlacedBand* registro = page.band("qrbnDetalhe");
    ASSERT_NE(registro, nullptr);
    double right = 0;
    int titulos = 0;
    for (const PlacedItem& item : registro->items) {
        right = std::max(right, item.rect.right());
        titulos += item.text == "Descrição";
        EXPECT_DOUBLE_EQ(item.font.pointSizeF(), 9) << item.text.toStdString();
    }
    EXPECT_LE(right, 297 - 10 + 1e-9);
    EXPECT_EQ(titulos, 8);
    EXPECT_NEAR(page.band("qrbnRodape")->item("qrsdPagina")->rect.right(), 287, 1e-9);
    EXPECT_TRUE(page.band("qrbnCabecalho")->texts().contains("Subtítulo"));
}

TEST_F(ListReportTest, QueryReportListsTheVisibleFieldsUnderTheirCaptions)
{
    // The description is known by the caption of the window's control, the
    // second hour by its label; the code and the first hour by nothing.
    host::ui::Form janela;
    janela.setCaption("Cadastro de Hora Técnica");
    host::data::DataSource fonte(nullptr, "dsHora", &horas);
    auto* layout = new QFormLayout(&janela);
    auto* descricao = new host::ui::DataEdit("dbAHDESCRICAO");
    descricao->bind(&fonte, "AHDESCRICAO");
    layout->addRow(new QLabel("Descrição"), descricao);
    horas.fieldByName("AHTIPO")->setVisible(false);
    horas.fieldByName("AHHORA2")->setDisplayLabel("Segunda");
    const QString dump = previewed([&] { QuerytoRelatorio(horas, true); });
    EXPECT_EQ(linesOf(dump, "qrbnColunas"), QStringList{"columnHeader qrbnColunas: Descrição | Segunda"});
    EXPECT_EQ(linesOf(dump, "qrbnDetalhe").size(), 3);
}

TEST_F(ListReportTest, GridReportsTakeTheGridsColumnsTitleInfoAndTotal)
{
    host::ui::Form janela;
    janela.setCaption("Cadastro de Hora Técnica");
    janela.setObjectName("fmAssHoraTecnica");
    host::data::DataSource fonte(nullptr, "dsHora", &horas);
    auto* grade = new host::ui::DataGrid("dbgdHora", &janela);
    grade->setDataSource(&fonte);
    grade->addColumn("AHDESCRICAO", "Descrição", 200);
    grade->addColumn("AHHORA1", "Valor", 80);
    grade->addColumn("AHTIPO", "Tipo", 40)->setVisible(false);

    QString dump = previewed([&] { GridtoRelatorio(*grade, true); });
    EXPECT_TRUE(linesOf(dump, "qrbnCabecalho")[0].endsWith("Programa : fmAssHoraTecnica | Cadastro de Hora Técnica"));
    EXPECT_EQ(linesOf(dump, "qrbnColunas"), QStringList{"columnHeader qrbnColunas: Descrição | Valor"});
    EXPECT_EQ(linesOf(dump, "qrbnDetalhe")[1], "detail qrbnDetalhe: Hora técnica externa | 150");

    dump = previewed([&] { GridtoRelatorioComInfo(*grade, true, "Solicitação de Peças", "Código: 000001   O.S.: 12", "", ""); });
    EXPECT_TRUE(linesOf(dump, "qrbnCabecalho")[0].endsWith("Solicitação de Peças | Código: 000001   O.S.: 12"));

    dump = previewed([&] { GridtoRelatorioComTotal(*grade, true, "sum(quHoraTecnica.AHHORA1)", "", 50, 0, 100, 0); });
    EXPECT_EQ(linesOf(dump, "qrbnTotal"), QStringList{"summary qrbnTotal: Total: | 450,00"});

    if (!QPrinterInfo::defaultPrinter().isNull())
        return;   // never print on a real printer from a test
    try {
        GridtoRelatorio(*grade, false);   // straight to the default printer: there is none
        FAIL() << "printed";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Nenhuma impressora instalada.");
    }
}
