// The printed rental contract: header data, equipment before complements,
// descriptions with item notes and serial numbers, the fixed-width
// instalment table (also across pages), the history, an empty layout for a
// missing contract, the statements of a print, the PDF.

#include "tests/module/ImpressosLocacaoFixture.h"

#include "host/data/Query.h"
#include "host/report/Report.h"
#include "rental/uAssContratoLocEquip.h"

using host::report::PreparedReport;

namespace moduletest {
namespace {

class ContratoLocEquipImpTest : public ImpressosLocacaoTest {
protected:
    void SetUp() override
    {
        ImpressosLocacaoTest::SetUp();
        exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANTELEFONE) values (71, 'Marta Souza', '(19)3232-2020')");
    }
    void contrato(int codigo)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACLOCAL,"
                     " ACRESPONSAVEL, ACCONTATO, ACCONTENTREGA, ACVALOR, ACHISTORICO, ACENDENTREGA, ACPERIODODESC,"
                     " ACDATABASE, ACNFREMESSA)"
                     " values (%1, 'L-%1', '00004', '00004', '01', '00001', 71, 71, 1500, 'Renovado em janeiro.',"
                     " 'Rua Conceição, 300 - Campinas', 'Mensal', '2024-01-15', '000123')")
                 .arg(codigo));
    }
    void item(int codigo, int contratoItem, const QString& produto, const QString& complemento, double valor,
              const QString& serie = {})
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITCOMPLEMENTO,"
                     " ACITENCERRADO, ACITQUANTIDADE, ACITVALOR, ACITNUMEROSERIE)"
                     " values (%1, %2, '00004', '%3', '%4', 'N', 1, %5, %6)")
                 .arg(codigo)
                 .arg(contratoItem)
                 .arg(produto, complemento)
                 .arg(valor)
                 .arg(serie.isEmpty() ? QString("null") : "'" + serie + "'"));
    }
    void serie(int codigo, const QString& numero, const QString& produto, int contratoSerie)
    {
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, ACCODIGO) values (%1, '%2', '%3', %4)")
                 .arg(codigo)
                 .arg(numero, produto)
                 .arg(contratoSerie));
    }
    void parcela(int n, int contratoParcela, const QString& situacao, double valor)
    {
        const QDate vencimento = QDate(2024, 2, 10).addMonths(n);
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, CREMISSAOINI, CREMISSAOFIN, AOCODIGO, TVCODIGO,"
             " NOSSO_NUMERO, DATA_PAGAMENTO) values (:DOC, '00004', 1, '01', :SIT, :VALOR, '2024-01-15', :VENC,"
             " :INI, :FIM, :CONTRATO, '01', :BOLETO, :PAGO)",
             {{"DOC", QString("%1").arg(500 + n, 6, 10, QChar('0'))},
              {"SIT", situacao},
              {"VALOR", valor},
              {"VENC", QDateTime(vencimento, QTime())},
              {"INI", QDateTime(vencimento.addMonths(-1), QTime())},
              {"FIM", QDateTime(vencimento.addDays(-1), QTime())},
              {"CONTRATO", contratoParcela},
              {"BOLETO", situacao == "V" ? QVariant() : QVariant(QString("B%1").arg(n))},
              {"PAGO", situacao == "V" ? QVariant() : QVariant(QDateTime(vencimento, QTime()))}});
    }
    // The receivables as the rental-contract screens leave them loaded.
    void carregaReceber(int contratoReceber)
    {
        host::data::Query& receber = *dmGlobal->quReceber;
        receber.close();
        receber.setSql("select * from ACRC5001 rec Where rec.aoCodigo = " + QString::number(contratoReceber) +
                       " Order by Rec.Data_vencimento, Rec.Numero_Documento ");
        receber.open();
    }
    // The standard contract: two equipment lines (three serials on the
    // first, none on the second) and a complement with its item note.
    void contratoPadrao()
    {
        contrato(801);
        item(9001, 801, "P0001", "N", 250.5, "<selecionado>");
        item(9002, 801, "P0002", "N", 300);
        item(9003, 801, "P0005", "S", 35.5);
        exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('801', 'Y', 9003, 'Correia extra')");
        for (int i = 1; i <= 3; ++i)
            serie(7000 + i, QString("SN-%1").arg(i), "P0001", 801);
        parcela(0, 801, "", 250.5);
        parcela(1, 801, "V", 250.5);
    }
    std::shared_ptr<const PreparedReport> imprimir(int contratoImpresso)
    {
        VisualizarContratoLocacaoEquipamentos(contratoImpresso);
        return previa();
    }
};

TEST_F(ContratoLocEquipImpTest, FormataDadosFillsCutsAndFormataDataNullBlanksTheZeroDate)
{
    using namespace uAssContratoLocEquip;
    EXPECT_EQ(FormataDados("abc d", '_', 6), "abc_d_");
    EXPECT_EQ(FormataDados("  abcdef ", ' ', 6), "abcdef");
    // An overlong value is cut, so the next columns keep their places.
    EXPECT_EQ(FormataDados("1234567890123", ' ', 10), "1234567890");
    EXPECT_EQ(FormataDados("", ' ', 3), "   ");
    EXPECT_EQ(FormataDataNull(QDateTime(QDate(1899, 12, 30), QTime())), "");
    EXPECT_EQ(FormataDataNull(QDateTime()), "");
    EXPECT_EQ(FormataDataNull(QDateTime(QDate(2024, 3, 5), QTime(14, 0))), "05/03/2024");
    EXPECT_EQ(TextoFaturado("V"), "Não");
    EXPECT_EQ(TextoFaturado(" "), "Sim");
    EXPECT_EQ(TextoFaturado("Q"), "Q");
}

TEST_F(ContratoLocEquipImpTest, InstalmentLinesAreFixedWidthWithNaoForForecastsAndSimForBilled)
{
    contratoPadrao();
    carregaReceber(801);
    const QStringList linhas = uAssContratoLocEquip::LinhasVencimentos(*dmGlobal->quReceber);
    ASSERT_EQ(linhas.size(), 2);
    for (const QString& linha : linhas)
        EXPECT_EQ(linha.size(), 107) << linha.toStdString();
    // Each value apart from the next, the bank number and the dates whole.
    EXPECT_EQ(linhas[0], QString("10/02/2024  10/01/2024  09/02/2024  250,50            Sim   01 B0           000500    "
                                 "15/01/2024 10/02/2024"));
    EXPECT_EQ(linhas[1].mid(54, 6), "Não   ");
    // A forecast has no payment date: blanks, not "30/12/1899".
    EXPECT_EQ(linhas[1].right(10), QString(10, ' '));
    // A closed dataset gives no line.
    dmGlobal->quReceber->close();
    EXPECT_TRUE(uAssContratoLocEquip::LinhasVencimentos(*dmGlobal->quReceber).isEmpty());
}

TEST_F(ContratoLocEquipImpTest, PrintsHeaderItemsSerialsInstalmentsAndHistory)
{
    contratoPadrao();
    carregaReceber(801);
    const auto paginas = imprimir(801);
    ASSERT_TRUE(paginas);
    const QString dump = paginas->textDump();
    EXPECT_TRUE(linhasBanda(dump, "qrbnCabecalho").value(0).contains("Contrato de Locação")) << dump.toStdString();
    EXPECT_EQ(linhasBanda(dump, "chbnEntrega"),
              QStringList{"child chbnEntrega: Dados do Contrato de Locação | Nº Contrato | L-801 | Razão Social | "
                          "Clínica Saúde & Vida S/A"});
    const QString titulo = linhasBanda(dump, "qrbnTitulo").value(0);
    for (const char* parte : {"Gerente da Conta | Carlos Eduardo Vendas", "Contato | Marta Souza",
                              "Telefone | (19)3232-2020", "Data Negociação | 15/01/2024", "Período/Tipo | Mensal",
                              "Nota Remessa | 000123", "Endereço Entrega | Rua Conceição, 300 - Campinas",
                              "Valor do Contrato: R$ | 1.500,00"})
        EXPECT_TRUE(titulo.contains(QString::fromUtf8(parte))) << parte << "\n" << titulo.toStdString();
    // Equipment first, then complements; the second line has no serial text.
    EXPECT_EQ(linhasBanda(dump, "qrbnGrupo"),
              (QStringList{"groupHeader qrbnGrupo: Equipamentos | Qtde. | Código | Descrição | Nro. Série | Valor R$",
                           "groupHeader qrbnGrupo: Complementos | Qtde. | Código | Descrição | Nro. Série | Valor R$"}));
    EXPECT_EQ(linhasBanda(dump, "qrbnEquipamentos"),
              (QStringList{"detail qrbnEquipamentos: 1 | P0001 | Fonte de alimentação bivolt 110/220V | "
                           "SN-1\\nSN-2\\nSN-3 | 250,50",
                           "detail qrbnEquipamentos: 1 | P0002 | Placa-mãe para notebook | 300,00",
                           "detail qrbnEquipamentos: 1 | P0005 | Correia de transmissão Correia extra | 35,50"}));
    const QString vencimentos = linhasBanda(dump, "qrbnVencimentos").value(0);
    EXPECT_TRUE(vencimentos.startsWith("summary qrbnVencimentos: Vencimentos | Vcto. | Início | Término | Valor R$ | "
                                       "Faturado | ID | Boleto | Nota | Emissão | Pgto. | 10/02/2024"))
        << vencimentos.toStdString();
    EXPECT_TRUE(vencimentos.contains("Sim   01 B0")) << vencimentos.toStdString();
    EXPECT_TRUE(vencimentos.contains("Não   01")) << vencimentos.toStdString();
    EXPECT_EQ(linhasBanda(dump, "chbnHistorico"), QStringList{"child chbnHistorico: Histórico | Renovado em janeiro."});
    const QString rodape = linhasBanda(dump, "qrbnRodape").value(0);
    EXPECT_TRUE(rodape.contains("Usuário: SYSDBA") && rodape.contains("Emissão em: ") && rodape.contains("Página:1"))
        << rodape.toStdString();
    EXPECT_EQ(logDe("[quImpEquipOpen]").size(), 3);   // "***INICIO", the statement, "***FIM"
    pdfValido(*paginas, "contrato-locacao", "Contrato de Locação");
}

TEST_F(ContratoLocEquipImpTest, TheReportIsReusedAndAContractWithoutInstalmentsShowsAnEmptyList)
{
    contratoPadrao();
    contrato(802);
    item(9010, 802, "P0003", "N", 120);
    carregaReceber(801);
    const auto primeiro = imprimir(801);
    TqrAssContratoLocEquip* relatorio = qrAssContratoLocEquip;
    ASSERT_NE(relatorio, nullptr);
    carregaReceber(802);
    const auto segundo = imprimir(802);
    EXPECT_EQ(qrAssContratoLocEquip.get(), relatorio) << "created once";
    const QString dump = segundo->textDump();
    EXPECT_EQ(linhasBanda(dump, "qrbnVencimentos").value(0),
              "summary qrbnVencimentos: Vencimentos | Vcto. | Início | Término | Valor R$ | Faturado | ID | Boleto | "
              "Nota | Emissão | Pgto.");
    EXPECT_EQ(linhasBanda(dump, "qrbnEquipamentos"),
              QStringList{"detail qrbnEquipamentos: 1 | P0003 | Cartucho de toner preto | 120,00"});
}

TEST_F(ContratoLocEquipImpTest, AMissingContractPrintsAnEmptyLayout)
{
    carregaReceber(9999);
    const auto paginas = imprimir(9999);
    ASSERT_TRUE(paginas);
    ASSERT_EQ(paginas->pageCount(), 1);
    const QString dump = paginas->textDump();
    EXPECT_TRUE(linhasBanda(dump, "qrbnEquipamentos").isEmpty());
    EXPECT_EQ(linhasBanda(dump, "chbnEntrega"),
              QStringList{"child chbnEntrega: Dados do Contrato de Locação | Nº Contrato | Razão Social"});
    EXPECT_TRUE(linhasBanda(dump, "qrbnTitulo").value(0).contains("Valor do Contrato: R$")) << dump.toStdString();
    EXPECT_EQ(linhasBanda(dump, "qrbnRodape").size(), 1);
}

TEST_F(ContratoLocEquipImpTest, EightyInstalmentsGoOnAcrossPagesEachLineOnce)
{
    contratoPadrao();
    for (int n = 2; n < 80; ++n)
        parcela(n, 801, n % 2 ? "V" : "", 250.5);
    carregaReceber(801);
    const auto paginas = imprimir(801);
    ASSERT_TRUE(paginas);
    ASSERT_GE(paginas->pageCount(), 2);
    int linhas = 0;
    int paginasComVencimentos = 0;
    for (const host::report::PreparedPage& pagina : paginas->pages) {
        paginasComVencimentos += pagina.count("qrbnVencimentos") > 0;
        for (const host::report::PlacedBand& banda : pagina.bands) {
            if (banda.name != "qrbnVencimentos")
                continue;
            const host::report::PlacedItem* texto = banda.item("qrreVencimentos");
            ASSERT_NE(texto, nullptr);
            linhas += texto->text.split('\n', Qt::SkipEmptyParts).size();
            EXPECT_LE(banda.rect.bottom(), 279 - 15 - 8 + 0.01);
        }
    }
    EXPECT_EQ(linhas, 80);
    EXPECT_GE(paginasComVencimentos, 2);
    // The history follows the table's last part.
    EXPECT_EQ(paginas->pages.back().count("chbnHistorico"), 1);
}

TEST_F(ContratoLocEquipImpTest, AGenericProductLineTakesTheContractNote)
{
    parametro("ATPRODUTOGENERICO2", "999");
    contrato(803);
    item(9020, 803, "999", "N", 80);
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('803', 'U', -1, ' Notebook locado ')");
    carregaReceber(803);
    const auto paginas = imprimir(803);
    EXPECT_EQ(linhasBanda(paginas->textDump(), "qrbnEquipamentos"),
              QStringList{"detail qrbnEquipamentos: 1 | 999 | Notebook locado | 80,00"});
}

TEST_F(ContratoLocEquipImpTest, InModeEALineListsItsComposition)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contrato(806);
    item(9030, 806, "P0002", "N", 300);
    exec("insert into AGPC03CM (CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, PRCODIGO) values (1, 'P0003', 1, 'P0002')");
    exec("update ACEC1101 set PRDESCRICAOCOMERCIAL = 'Toner preto ' where CODIGO = 'P0003'");
    carregaReceber(806);
    const auto paginas = imprimir(806);
    EXPECT_EQ(linhasBanda(paginas->textDump(), "qrbnEquipamentos"),
              QStringList{"detail qrbnEquipamentos: 1 | P0002 | Placa-mãe para notebook\\nItens Composição: "
                          "\\nP0003 - Toner preto | 300,00"});
}

TEST_F(ContratoLocEquipImpTest, ALongDeliveryAddressPushesTheBillingAddressDown)
{
    contratoPadrao();
    exec("update AATC05AC set ACENDENTREGA = 'Rua Conceição, 300' || ascii_char(10) || 'Bloco B' || ascii_char(10) ||"
         " 'Sala 12' || ascii_char(10) || 'Cambuí' || ascii_char(10) || 'Campinas - SP', ACENDCOBRANCA = 'Caixa Postal 9'"
         " where ACCODIGO = 801");
    carregaReceber(801);
    const auto paginas = imprimir(801);
    const host::report::PlacedBand* titulo = paginas->pages[0].band("qrbnTitulo");
    ASSERT_NE(titulo, nullptr);
    const host::report::PlacedItem* entrega = titulo->item("qrreACENDENTREGA");
    const host::report::PlacedItem* cobranca = titulo->item("qrreACENDCOBRANCA");
    const host::report::PlacedItem* valor = titulo->item("qrlaValorContrato");
    ASSERT_TRUE(entrega && cobranca && valor);
    EXPECT_GT(entrega->rect.height(), 15);
    EXPECT_GE(cobranca->rect.top(), entrega->rect.bottom());
    EXPECT_GE(valor->rect.top(), cobranca->rect.bottom());
    EXPECT_TRUE(titulo->texts().join(" | ").contains("Campinas - SP | Endereço Cobrança | Caixa Postal 9"));
}

// A print runs the two queries and one serial query per line with serial
// text; nothing else, however many lines.
TEST_F(ContratoLocEquipImpTest, TwentyLinesRunAFixedNumberOfStatementsPlusOneSerialQueryEach)
{
    contrato(804);
    for (int i = 0; i < 20; ++i)
        item(9100 + i, 804, "P0001", "N", 10, "<selecionado>");
    contrato(805);
    for (int i = 0; i < 10; ++i)
        item(9200 + i, 805, "P0001", "N", 10, "<selecionado>");
    carregaReceber(804);
    imprimir(805);   // the report created and its statements prepared once
    testsupport::StatementCounter vinte;
    imprimir(804);
    const int declaracoesVinte = vinte.count();
    testsupport::StatementCounter dez;
    imprimir(805);
    EXPECT_EQ(declaracoesVinte - dez.count(), 10);
    EXPECT_EQ(declaracoesVinte, 2 + 20);
}

}  // namespace
}  // namespace moduletest
