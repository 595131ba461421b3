// Pure helpers: money cuts, SQL literals, text columns, code lists, dates,
// the customisation hook recorder.

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"

#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/data/DataSource.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "tests/support/ScopedTimeZone.h"

#include <QTemporaryDir>

#include <cmath>

#include <gtest/gtest.h>

TEST(MoneyTest, CutAndRoundToCentsWithoutBinaryLeaks)
{
    const struct {
        double value, cut, rounded;
    } cases[] = {
        {0.29, 0.29, 0.29},   {1.999, 1.99, 2.0},    {-1.239, -1.23, -1.24}, {1.005, 1.0, 1.01},
        {0.285, 0.28, 0.29},  {123456.789, 123456.78, 123456.79},           {0.0, 0.0, 0.0},
        {19.99 * 3, 59.97, 59.97}, {4.35 * 100 / 100, 4.35, 4.35},
        {-2.999, -2.99, -3.0},    {1e9 + 0.015, 1e9 + 0.01, 1e9 + 0.02},
        // whole cents, and amounts whose cents reach 15 digits and past them
        {63.0, 63.0, 63.0},       {-5.0, -5.0, -5.0},    {7.1, 7.1, 7.1},
        {9999999999999.0, 9999999999999.0, 9999999999999.0}, {1e12 + 0.25, 1e12 + 0.25, 1e12 + 0.25},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Trunc2Casas(c.value), c.cut) << c.value;
        EXPECT_DOUBLE_EQ(Corta2Casas(c.value), c.cut) << c.value;
        EXPECT_DOUBLE_EQ(Arredonda2Monetario(c.value), c.rounded) << c.value;
    }
    // Less than a cent below zero is zero, not "-0,00".
    EXPECT_FALSE(std::signbit(Trunc2Casas(-0.001)));
    EXPECT_FALSE(std::signbit(Arredonda2Monetario(-0.004)));
}

TEST(SqlTextTest, LiteralsAreLocaleFreeAndQuoted)
{
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(QuotedStr("'"), "''''");
    EXPECT_EQ(QuotedStr("a''b'"), "'a''''b'''");
    EXPECT_EQ(QuotedStr("Peça"), "'Peça'");
    EXPECT_EQ(ValueToSQL(QVariant()), "null");
    EXPECT_EQ(ValueToSQL(2.5), "2.5");
    EXPECT_EQ(ValueToSQL(0.1 + 0.2), "0.3");
    EXPECT_EQ(ValueToSQL(1e7), "10000000");
    EXPECT_EQ(ValueToSQL(-7), "-7");
    EXPECT_EQ(ValueToSQL(QString("d'x")), "'d''x'");
    EXPECT_EQ(ValueToSQL(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))), "'03/05/2024 14:07:09'");
    const QDateTime day(QDate(2024, 12, 31), QTime(10, 30));
    EXPECT_EQ(DateToSQL(day), "'12/31/2024'");
    EXPECT_EQ(DateTimeIniToSQL(day), "'12/31/2024 00:00:00'");
    EXPECT_EQ(DateTimeFimToSQL(day), "'12/31/2024 23:59:59.9999'");
    EXPECT_EQ(DateToSQL(QDateTime()), "null");
    EXPECT_EQ(StringDateToSQL("05/03/24"), "'03/05/2024'");
    EXPECT_EQ(StringDateTimeFimToSQL("05/03/1999"), "'03/05/1999 23:59:59.9999'");
    EXPECT_EQ(StringDateToSQL("  /  /  "), "null") << "an empty masked date";
}

TEST(SqlTextTest, QueryTextWithParameterValues)
{
    host::data::Query query(nullptr, "quX");
    query.setSql("select * from T\nwhere A = :A and B = :B");
    query.paramByName("A")->setAsString("x'y");
    query.paramByName("B")->setAsInteger(3);
    const QString oneLine = GetSQLtextComParametros(query, false);
    EXPECT_FALSE(oneLine.contains('\n'));
    EXPECT_TRUE(oneLine.contains("'x''y'")) << oneLine.toStdString();
    EXPECT_TRUE(oneLine.contains("B = 3")) << oneLine.toStdString();
    EXPECT_TRUE(GetSQLtextComParametros(query, true).contains('\n'));
}

TEST(SqlTextTest, TheHourNowReadsAsTheClockWithTwoDigitsEach)
{
    const QTime antes = QTime::currentTime();
    const QString texto = horaAtualTexto();
    const QTime depois = QTime::currentTime();
    ASSERT_EQ(texto.size(), 8) << texto.toStdString();
    const QTime lida = QTime::fromString(texto, "hh:mm:ss");
    ASSERT_TRUE(lida.isValid()) << texto.toStdString();
    // Within the second the clock was read in (a midnight between the reads wraps).
    const QTime de(antes.hour(), antes.minute(), antes.second());
    EXPECT_TRUE((lida >= de && lida <= depois) || depois < antes) << texto.toStdString();
}

// The local moment now, read again and again within one minute, follows a
// zone switched between the reads (the offset kept for the minute is not
// the new zone's), and agrees with Qt's own local clock in each zone.
TEST(SqlTextTest, TheLocalMomentNowFollowsTheZoneItIsReadIn)
{
    auto confere = [](const char* zona) {
        const QDateTime antes = QDateTime::currentDateTime();
        const host::AgoraLocal agora = host::agoraLocal();
        const host::AgoraLocal outra = host::agoraLocal();
        const QDateTime depois = QDateTime::currentDateTime();
        const QDateTime lido(agora.dia, agora.hora);
        EXPECT_TRUE(lido >= antes && lido <= depois)
            << zona << " " << lido.toString(Qt::ISODateWithMs).toStdString() << " "
            << antes.toString(Qt::ISODateWithMs).toStdString();
        EXPECT_LE(QDateTime(agora.dia, agora.hora), QDateTime(outra.dia, outra.hora)) << zona;
    };
    {
        testsupport::ScopedTimeZone zona("UTC");
        confere("UTC");
    }
    {
        testsupport::ScopedTimeZone zona("Asia/Kolkata");
        confere("Asia/Kolkata");
    }
    {
        testsupport::ScopedTimeZone zona("America/Sao_Paulo");
        confere("America/Sao_Paulo");
    }
}

TEST(TextColumnTest, NthFieldFromOne)
{
    const struct {
        const char* text;
        const char* sep;
        int n;
        const char* expected;
    } cases[] = {{"a;b;c", ";", 1, "a"}, {"a;b;c", ";", 3, "c"}, {"a;b;c", ";", 4, ""},  {"a;b;c", ";", 0, ""},
                 {"a;;c", ";", 2, ""},   {"", ";", 1, ""},      {"x||y", "||", 2, "y"}, {"abc", "", 1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(PegaValorColuna(c.text, c.sep, c.n), c.expected) << c.text << " " << c.n;
}

TEST(CodeListTest, CaptionsAndCodesBothWays)
{
    EXPECT_EQ(RetornaSituacaoEquivalente("S", "SIMNAO"), "Sim");
    EXPECT_EQ(RetornaSituacaoEquivalente("N", "simnao"), "Não");
    EXPECT_EQ(RetornaSituacaoEquivalente("X", "SIMNAO"), "");
    EXPECT_EQ(RetornaSituacaoEquivalente("S", "NAOEXISTE"), "");
    EXPECT_EQ(RetornaSituacaoEquivalente("D", "CPTIPO"), "D - Duplicata/Fatura");
    EXPECT_EQ(RetornaSituacaoEquivalente("2", "CRTIPO"), "2 - Duplicata/Boleto");
    EXPECT_EQ(RetornaCodigoEquivalente("não", "SIMNAO"), "N");
    EXPECT_EQ(RetornaListaSituacao("SIMNAO"), (QStringList{"Sim", "Não"}));
    for (const char* list : {"SIMNAO", "CPTIPO", "CRTIPO", "MODOPROCURAOPERACAO"})
        for (const QString& caption : RetornaListaSituacao(list))
            EXPECT_EQ(RetornaSituacaoEquivalente(RetornaCodigoEquivalente(caption, list), list), caption) << list;
}

TEST(DatesTest, TextoInComparesWholeTextsWithCase)
{
    EXPECT_TRUE(TextoIn("B", {"A", "B"}));
    EXPECT_FALSE(TextoIn("b", {"A", "B"}));
}

TEST(FixedWidthTextTest, LeftColumnsCutOrPadAndRightColumnsNeverCut)
{
    EXPECT_EQ(RetornaCampoTamanho("ABC", 5), "ABC  ");
    EXPECT_EQ(RetornaCampoTamanho("ABCDEFGHIJKLM", 11), "ABCDEFGHIJK");
    EXPECT_EQ(RetornaCampoTamanho("", 3), "   ");
    EXPECT_EQ(RetornaCampoTamanho("ABC", 0), "");
    EXPECT_EQ(RetornaCampoTamanhoDireita("1.234,50", 12), "    1.234,50");
    EXPECT_EQ(RetornaCampoTamanhoDireita("123.456.789,00", 8), "123.456.789,00");
    EXPECT_EQ(RetornaCampoTamanhoDireita("", 2), "  ");
}

TEST(HookTest, RecordsEachCallInOrderAndChangesNothing)
{
    host::clearHookCalls();
    host::data::MemDataset dataset(nullptr, "quOS");
    dataset.addField("A", host::data::FieldType::Int32);
    dataset.open();
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
    ZelDevVerificarEvento(nullptr, "AFTERSCROLL");
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quOS:ONNEWRECORD", "quOS:BEFOREPOST", ":AFTERSCROLL"}));
    EXPECT_EQ(dataset.state(), host::data::DatasetState::Browse);
    host::clearHookCalls();
    EXPECT_TRUE(host::hookCalls().isEmpty());
}

// A running application reports a dozen events an order for as long as it
// runs: with recording off (as it runs, outside tests) none is kept.
TEST(HookTest, KeepsNoCallWhileRecordingIsOff)
{
    host::clearHookCalls();
    host::recordHookCalls(false);
    host::data::MemDataset dataset(nullptr, "quOS");
    for (int i = 0; i < 1000; ++i)
        ZelDevVerificarEvento(&dataset, "BEFOREPOST");
    const bool nadaGuardado = host::hookCalls().isEmpty();
    host::recordHookCalls(true);
    EXPECT_TRUE(nadaGuardado);
    ZelDevVerificarEvento(&dataset, "AFTERPOST");
    EXPECT_EQ(host::hookCallTexts(), QStringList{"quOS:AFTERPOST"});
    host::clearHookCalls();
}

TEST(GridLayoutRoutinesTest, ColumnsBuiltByTheHostSurviveASaveAndRestoreUnderAName)
{
    QTemporaryDir folder;
    host::ui::Layouts::setFolder(folder.path());
    host::data::MemDataset dataset(nullptr, "quLista");
    dataset.addField("CODIGO", host::data::FieldType::Int32);
    dataset.addField("NOME", host::data::FieldType::String, 40);
    dataset.open();
    host::data::DataSource source;
    source.setDataset(&dataset);
    host::ui::DataGrid grid("dbgdLista");
    grid.setDataSource(&source);
    host::ui::GridColumn* codigo = CriaColunaDBGrid(&grid, 60, "Código", "CODIGO");
    host::ui::GridColumn* nome = CriaColunaDBGrid(&grid, 200, "Nome", "NOME");
    ASSERT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(codigo->title(), "Código");
    EXPECT_EQ(nome->width(), 200);
    EXPECT_EQ(CriaColunaDBGrid(nullptr, 10, "x", "CODIGO"), nullptr);

    SalvarConfiguracaoDBGridComNome(&grid, false, "_Pesq_Lista");
    codigo->setWidth(10);
    nome->setVisible(false);
    SalvarConfiguracaoDBGridComNome(&grid, true, "_Pesq_Lista");
    EXPECT_EQ(codigo->width(), 60);
    EXPECT_TRUE(nome->visible());
    host::ui::Layouts::setFolder({});
}
