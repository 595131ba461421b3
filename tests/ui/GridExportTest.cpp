// "Exportar para Excel": the workbook written from a grid is read back from
// its XML parts (an .xlsx file is a zip of them).

#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataGrid.h"
#include "host/ui/GridExport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host::ui;
using host::data::DataSource;
using host::data::FieldType;
using host::data::MemDataset;

namespace {

QString part(const QString& file, const QString& name)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", file, name});
    EXPECT_TRUE(unzip.waitForFinished(30000)) << "unzip -p " << name.toStdString() << " did not end in 30 s";
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

TEST(GridExport, ClassicFormatsBecomeExcelFormats)
{
    EXPECT_EQ(excelNumberFormat(" ,0.00;- ,0.00"), " #,##0.00;- #,##0.00");
    EXPECT_EQ(excelNumberFormat("###,###,##0.00"), "#,##0.00");
    EXPECT_EQ(excelNumberFormat("0.000"), "0.000");
    EXPECT_EQ(excelNumberFormat("'R$ ',0.00"), "\"R$ \"#,##0.00");
    EXPECT_EQ(excelNumberFormat(""), "");
    EXPECT_EQ(excelDateFormat("dd/mm/yyyy hh:nn"), "dd/mm/yyyy hh:mm");
    EXPECT_EQ(excelDateFormat(""), "dd/mm/yyyy");
}

TEST(GridExport, WritesTitlesWidthsTypedCellsAndFormatsOfTheVisibleColumns)
{
    MemDataset parcelas(nullptr, "quReceber");
    parcelas.addField("NUMERO_DOCUMENTO", FieldType::String, 6);
    parcelas.addField("SEQUENCIA", FieldType::Int32);
    parcelas.addField("VALOR_DOCUMENTO", FieldType::Float);
    parcelas.addField("DATA_VENCIMENTO", FieldType::DateTime);
    parcelas.addField("SITUACAO_DOCUMENTO", FieldType::String, 1);
    parcelas.addField("OCULTO", FieldType::String, 10);
    parcelas.open();
    parcelas.fieldByName("VALOR_DOCUMENTO")->setDisplayFormat(" ,0.00;- ,0.00");
    parcelas.fieldByName("DATA_VENCIMENTO")->setDisplayFormat("dd/mm/yyyy");
    parcelas.fieldByName("SITUACAO_DOCUMENTO")->onGetText = [](host::data::Field& f, QString& text, bool) {
        text = f.asString() == "V" ? "Previsão" : "Aberto";
    };
    struct Linha { const char* doc; int seq; double valor; QDate vencimento; const char* situacao; };
    for (const Linha& l : {Linha{"000123", 1, 1500.5, QDate(2027, 1, 10), "V"},
                           Linha{"AÇÃO&<", 2, -20.25, QDate(), "A"}}) {
        parcelas.append();
        parcelas.fieldByName("NUMERO_DOCUMENTO")->setAsString(l.doc);
        parcelas.fieldByName("SEQUENCIA")->setAsInteger(l.seq);
        parcelas.fieldByName("VALOR_DOCUMENTO")->setAsFloat(l.valor);
        if (l.vencimento.isValid())
            parcelas.fieldByName("DATA_VENCIMENTO")->setAsDateTime(QDateTime(l.vencimento, QTime(0, 0)));
        parcelas.fieldByName("SITUACAO_DOCUMENTO")->setAsString(l.situacao);
        parcelas.fieldByName("OCULTO")->setAsString("nao sai");
        parcelas.post();
    }
    parcelas.first();
    DataSource fonte(nullptr, "dsReceber", &parcelas);
    DataGrid grid("dbgdParcelas");
    grid.setDataSource(&fonte);
    grid.addColumn("NUMERO_DOCUMENTO", "Documento", 140);
    grid.addColumn("SEQUENCIA", "Parcela", 70);
    grid.addColumn("VALOR_DOCUMENTO", "Valor", 105);
    grid.addColumn("DATA_VENCIMENTO", "Vencimento", 91);
    grid.addColumn("SITUACAO_DOCUMENTO", "Situação", 70);
    grid.addColumn("OCULTO", "Oculto", 70)->setVisible(false);

    QTemporaryDir pasta;
    const QString arquivo = exportGridToXlsx(grid, pasta.filePath("parcelas.xls"));
    EXPECT_EQ(arquivo, pasta.filePath("parcelas.xlsx"));
    EXPECT_EQ(parcelas.recNo(), 1);   // the cursor did not move

    const QString folha = part(arquivo, "xl/worksheets/sheet1.xml");
    const QString textos = part(arquivo, "xl/sharedStrings.xml");
    const QString estilos = part(arquivo, "xl/styles.xml");
    ASSERT_FALSE(folha.isEmpty()) << "not a workbook";
    for (const char* texto : {"Documento", "Parcela", "Valor", "Vencimento", "Situação", "000123",
                              "AÇÃO&amp;&lt;", "Previsão", "Aberto"})
        EXPECT_TRUE(textos.contains(QString::fromUtf8(texto))) << texto;
    EXPECT_FALSE(textos.contains("Oculto"));
    EXPECT_FALSE(textos.contains("nao sai"));
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<col min="1" max="1" width="20)"))) << folha.toStdString();
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<c r="B2"[^>]*><v>1</v>)")));
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<c r="C2" s="\d+"><v>1500.5</v>)")));
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<c r="C3" s="\d+"><v>-20.25</v>)")));
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<c r="D2" s="\d+"><v>46397</v>)")));   // 10/01/2027
    EXPECT_FALSE(folha.contains("r=\"D3\""));   // no date: an empty cell
    EXPECT_FALSE(folha.contains("r=\"F"));
    EXPECT_TRUE(estilos.contains("formatCode=\" #,##0.00;- #,##0.00\"")) << estilos.toStdString();
    EXPECT_TRUE(estilos.contains("formatCode=\"dd/mm/yyyy\""));
    EXPECT_TRUE(estilos.contains("<b/>"));

    EXPECT_THROW(exportGridToXlsx(grid, pasta.filePath("nao/existe/x.xlsx")), std::runtime_error);
}
