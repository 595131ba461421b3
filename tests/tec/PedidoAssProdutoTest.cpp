// A product put into a requested line on a real database: the refusals, the
// copy, taxes and fiscal operation, an emptied code, the product texts, the
// ways a code arrives, and what typing a product and saving costs.

#include "tests/tec/PedidoAssFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "tests/support/TestDatabase.h"

namespace tectest {
namespace {

class PedidoAssProdutoTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        exec("insert into ACEC1301 (CODIGO, DESCRICAO, MARCA) values ('M1', 'Coleção', 'Marca Um')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, COD_EMB_COLECAO, GRUPO, UNIDADE_MEDIDA,"
             " PERCENTUAL_ICMS, AIQ_IPI, ESTOQUE, QTDE_PRODUCAO, COM_FAB_S_FS, COD_LISTA_PRECO, PRCODIGOFORNECEDOR,"
             " OFCODIGO, COMPLEMENTO_DESC)"
             " values ('P4', 'Produto 4', 50.559, 20, 'M1', 'G1', 'UN', 18, 10, 8, 3, '2', 'L4', 'F4', '', 'comp')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ASSUME_ICMS_SN, ICMS, VAL_ITEM_IPI, OFISENTOIE, OFREGRAFISCAL)"
             " values ('51020', 'Venda', 'N', 7, 'S', 'C', 'S')");
    }
    void novaLinha(const QString& produto)
    {
        dmTec->quAssVendaItem->append();
        lin("CODIGO").setAsString(produto);
    }
    // The order saved with the operation 51020, read again with its joined columns.
    QString pedidoComOperacao()
    {
        const QString numero = novoPedido();
        exec("update AVEC8501 set OPERACAO = '51020', VELOCAL = '01'");
        CarregaPedidoAssVenda(numero, "");
        return numero;
    }
};

TEST_F(PedidoAssProdutoTest, TheProductIsCopiedAndPriced)
{
    novoPedido();
    novaLinha("p4");
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 4");
    EXPECT_EQ(lin("MARCA").asString(), "Marca Um");
    EXPECT_EQ(lin("ORIGEM").asString(), "2");
    EXPECT_EQ(lin("VEITUNIDADE").asString(), "UN");
    EXPECT_EQ(lin("COD_LISTA_PRECO").asString(), "L4");
    EXPECT_EQ(lin("PRCODIGOFORNECEDOR").asString(), "F4");
    EXPECT_EQ(lin("COMPLEMENTO").asString(), "comp");
    EXPECT_DOUBLE_EQ(lin("ESTOQUE").asFloat(), 5);
    EXPECT_DOUBLE_EQ(lin("RESERVADO").asFloat(), 3);
    EXPECT_DOUBLE_EQ(lin("ESTOQUE_TOTAL").asFloat(), 8);
    EXPECT_DOUBLE_EQ(lin("VEITCUSTO").asFloat(), 20);
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 50.55);
    EXPECT_DOUBLE_EQ(lin("VEITVALORORIGINAL").asFloat(), 50.55);
    EXPECT_DOUBLE_EQ(lin("IPI").asFloat(), 10);
    EXPECT_NEAR(lin("VEITVALORUNITARIOIPI").asFloat(), 55.605, 1e-9);
    EXPECT_EQ(dmTec->quAssVendaItem->state(), host::data::DatasetState::Insert);
    dmTec->quAssVendaItem->cancel();

    // A product without a brand still opens.
    novaLinha("P1");
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 1");
    EXPECT_EQ(lin("MARCA").asString(), "");
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, TheThreeRefusals)
{
    novoPedido();
    dialogos->acknowledge("Produto não cadastrado.");
    dmTec->quAssVendaItem->append();
    EXPECT_THROW(lin("CODIGO").setAsString("NADA"), host::Abort);
    EXPECT_EQ(dmTec->quAssVendaItem->state(), host::data::DatasetState::Browse) << "the line's edit is cancelled";

    parametro("ATPRODUTOPORCLIENTE", "S");
    dialogos->acknowledge("Produto não permitido para esse cliente.");
    dmTec->quAssVendaItem->append();
    EXPECT_THROW(lin("CODIGO").setAsString("P4"), host::Abort);
    dmTec->quAssVendaItem->cancel();
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDVALOR) values ('P4', '00001', 0)");
    exec("update ACEC1101 set PRIMUNE = 'S' where CODIGO = 'P4'");
    dialogos->acknowledge("Cliente não possui inscrição GP para venda de produtos com imunidade!");
    dmTec->quAssVendaItem->append();
    EXPECT_THROW(lin("CODIGO").setAsString("P4"), host::Abort);
    EXPECT_EQ(lin("CODIGO").asString(), "") << "the code is emptied";
    EXPECT_EQ(lin("DESCRICAO").asString(), "") << "nothing was copied";
    exec("update AUGC0301 set CLINSCRICAOGP = '123'");
    lin("CODIGO").setAsString("P4");
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 4");
    EXPECT_EQ(dialogos->pending(), 0);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, IcmsAndIpiFollowTheOperationAndTheCustomer)
{
    pedidoComOperacao();
    novaLinha("P4");
    EXPECT_DOUBLE_EQ(lin("ICMS").asFloat(), 7) << "the operation assumes its own ICMS";
    EXPECT_DOUBLE_EQ(lin("IPI").asFloat(), 10);
    dmTec->quAssVendaItem->cancel();

    exec("update AUGC0301 set CLIE = 'isento'");
    exec("update AFVC0901 set VAL_ITEM_IPI = 'N'");
    CarregaPedidoAssVenda(cab("NUMERO_PEDIDO").asString(), "");
    novaLinha("P4");
    EXPECT_DOUBLE_EQ(lin("ICMS").asFloat(), 18) << "an exempt customer under OFISENTOIE C takes the product's";
    EXPECT_DOUBLE_EQ(lin("IPI").asFloat(), 0);
    dmTec->quAssVendaItem->cancel();

    exec("update AFVC0901 set ASSUME_ICMS_SN = 'S', OFISENTOIE = ''");
    CarregaPedidoAssVenda(cab("NUMERO_PEDIDO").asString(), "");
    novaLinha("P4");
    EXPECT_DOUBLE_EQ(lin("ICMS").asFloat(), 18);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, TheFiscalOperationByRule)
{
    exec("insert into EA (CODIGO, NOME, ESTADO) values ('01', 'Matriz', 'SP')");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, OUID, OUMOVIMENTO, OUUFORIGEM) values ('61020', 'P4', 'P', 'S', 'SP')");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, OUID, OUMOVIMENTO, CLCODIGO) values ('62020', 'P4', 'P', 'S', '00001')");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, OUID, OUMOVIMENTO, CLCODIGO, OULOCAL)"
         " values ('63020', 'P4', 'P', 'S', '00001', '01')");
    exec("update ACEC1101 set OFCODIGO = '64020' where CODIGO = 'P1'");
    parametro("ATLOCALPADRAO", "01");
    exec("insert into ACEC1401 (CODIGO, DESCRICAO) values ('001', 'Matriz')");   // the new line's location
    pedidoComOperacao();
    struct Caso {
        const char* regra;
        const char* produto;
        const char* esperado;
    };
    const Caso casos[] = {
        {"U", "P4", "61020"}, {"U", "P2", "51020"}, {"P", "P4", "62020"}, {"P", "P2", "51020"},
        {"C", "P4", "63020"}, {"C", "P1", "64020"}, {"C", "P2", "51020"}, {"", "P1", "64020"},
    };
    for (const Caso& caso : casos) {
        parametro("ATREGRAOPERACAOITEM", caso.regra);
        novaLinha(caso.produto);
        EXPECT_EQ(lin("VEITCFOP").asString(), caso.esperado) << caso.regra << " " << caso.produto;
        dmTec->quAssVendaItem->cancel();
    }
    exec("update AFVC0901 set OFREGRAFISCAL = 'N'");
    CarregaPedidoAssVenda(cab("NUMERO_PEDIDO").asString(), "");
    parametro("ATREGRAOPERACAOITEM", "P");
    novaLinha("P4");
    EXPECT_EQ(lin("VEITCFOP").asString(), "51020") << "an operation without per-product rules is the order's";
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, AnEmptiedCodeRunsOnlyTheTail)
{
    novoPedido();
    novaLinha("P4");
    ASSERT_LT(lin("COD").asInteger(), 1) << "no line number asked for yet";
    lin("VALOR").setAsFloat(40);
    lin("DESCONTO").setAsFloat(10);
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    lin("CODIGO").setAsString("");
    EXPECT_TRUE(dialogos->texts().isEmpty()) << "no product looked up";
    EXPECT_EQ(lin("COD").asInteger(), 1) << "the new line numbered from one, with no line to copy";
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 4");
    EXPECT_DOUBLE_EQ(lin("VEITVALORCOMDESCONTO").asFloat(), 36);
    EXPECT_NEAR(lin("VEITVALORUNITARIOIPI").asFloat(), 44, 1e-9);
    EXPECT_DOUBLE_EQ(lin("VEITVALORORIGINAL").asFloat(), 40);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, ProductTextsGoToTheLineNumberOfTheirMoment)
{
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('P4', 'P', 0, 'nota')");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('P4', 'P', 2, 'especificação')");
    const QString numero = novoPedido();
    linha("P1", 1, 10);
    parametro("ATOBSPRODUTOITEM", "P");
    novaLinha("P4");
    EXPECT_EQ(lin("COD").asInteger(), 2);
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBID = 'V' and OBSEQUENCIA = 2"), "nota");
    dmTec->quAssVendaItem->cancel();

    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    novaLinha("P4");
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = '" + numero + "' and OBSEQUENCIA = 2"),
              QString::fromUtf8("especificação"))
        << "the text of step 22 replaced the note at the same number";
    dmTec->quAssVendaItem->post();
    EXPECT_EQ(texto("select count(*) from AUGC70OB where OBID = 'V'"), "1");
}

TEST_F(PedidoAssProdutoTest, TheMeasuresQuestionOnlyWhileEditing)
{
    const QString numero = novoPedido();
    linha("P1", 1, 10);
    exec("insert into AVEC85VEME (VECODIGO, VEITCODIGO, PRCODIGO) values ('" + numero + "', 1, 'P1')");
    dmTec->quAssVendaItem->first();
    dmTec->quAssVendaItem->edit();
    dialogos->answer("Sim", "Deseja aproveitar medidas digitadas?");
    lin("CODIGO").setAsString("P4");
    EXPECT_EQ(texto("select PRCODIGO from AVEC85VEME"), "P4");
    dmTec->quAssVendaItem->cancel();
    novaLinha("P2");   // inserted: no question
    EXPECT_EQ(dialogos->pending(), 0);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, TheOtherWaysIn)
{
    exec("insert into ACEC11DA (PRCODIGO, DAIDENTIFICADOR, DACODIGOEMITENTE, DACODIGOALTERNATIVO)"
         " values ('P4', 'C', '00001', 'ALT4')");
    exec("insert into ACEC11CB (CBCODIGO, PRCODIGO, CBFATOR) values ('789', 'P4', 6)");
    novoPedido();
    dmTec->quAssVendaItem->append();
    lin("COD_LISTA_PRECO").setAsString("L4");
    EXPECT_EQ(lin("CODIGO").asString(), "P4");
    dmTec->quAssVendaItem->cancel();
    dmTec->quAssVendaItem->append();
    lin("DACODIGOALTERNATIVO").setAsString("ALT4");
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 4");
    dmTec->quAssVendaItem->cancel();
    dmTec->quAssVendaItem->append();
    lin("CODIGO").setText("789");
    EXPECT_EQ(lin("CODIGO").asString(), "P4");
    EXPECT_DOUBLE_EQ(rFatorCodigoBarras, 6);
    dmTec->quAssVendaItem->cancel();
}

// The cascade's sources read the host tables: each rule once, through the
// entry pass, on rows written for customer 00001 and product P4 (sale price
// 50.559, cost 20, group G1).
TEST_F(PedidoAssProdutoTest, ThePriceRulesReadTheirHostRows)
{
    exec("update AUGC0301 set CLFAIXAVENDA = 'B1', PXCODIGO = 'X1', RAMO = 'R1', CLDESCONTO = 2");
    exec("insert into RAMO (COD_RAMO, RADESCONTOSERV, RADESCONTOPROD) values ('R1', 8, 6)");
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, DESCONTO, QUANTAS_VEZES) values ('T1', 'Prazo', 3, 2)");
    exec("insert into ACEC11PX (PXCODIGO, PXDESCRICAO, TVCODIGO) values ('X2', 'B1', 'T1')");
    exec("insert into ACEC11PD (PRCODIGO, PDFAIXAVENDA, PDDESCONTO, PDVALOR, PDACRESCIMO) values ('P4', 'B1', 7, 41, 50)");
    exec("insert into ACEC11PD (PRCODIGO, PXCODIGO, PDVALOR) values ('P4', 'X1', 42)");
    exec("insert into ACEC11PD (PRCODIGO, PXCODIGO, PDVALOR) values ('P4', 'X2', 43)");
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDDESCONTO, PDVALOR, PDACRESCIMO) values ('P4', '00001', 0, 44, 25)");
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDID, PDDESCONTO, PDVALOR) values ('G1', '00001', 'G', 0, 45)");
    exec("insert into ACEC11DA (PRCODIGO, DAIDENTIFICADOR, DACODIGOEMITENTE, DADESCONTO, DAVALOR)"
         " values ('P4', 'C', '00001', 4, 46)");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('COLC01', 'Coleção C01', 1)");
    for (const char* membro : {"('C1A', 'Peça A', 10.555, 'C01')", "('C1B', 'Peça B', 20, 'C01')"})
        exec(QString("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COD_EMB_COLECAO) values ") + membro);
    novoPedido();
    exec("update AVEC8501 set TABELA_VENCIMENTO = 'T1'");
    CarregaPedidoAssVenda(cab("NUMERO_PEDIDO").asString(), "");
    struct Caso {
        const char* tabela;
        const char* produto;
        double valor, desconto;
    };
    const Caso casos[] = {
        {"", "P4", 50.55, 2},       {"F", "P4", 50.55, 7},      {"P", "P4", 41, 2},    {"0", "P4", 42, 2},
        {"T", "P4", 43, 2},         {"I", "P4", 41, 0},         {"S", "P4", 44, 0},    {"A", "P4", 25, 2},
        {"G", "P4", 45, 0},         {"V", "P4", 46, 2},         {"D", "P4", 50.55, 4}, {"R", "P4", 50.55, 6},
        {"C", "P4", 44, 0},         {"", "COLC01", 30.55, 2},
    };
    for (const Caso& caso : casos) {
        parametro("ATTABELAPRECOITEM", caso.tabela);
        novaLinha(caso.produto);
        EXPECT_NEAR(lin("VALOR").asFloat(), caso.valor, 1e-9) << caso.tabela << " " << caso.produto;
        EXPECT_NEAR(lin("DESCONTO").asFloat(), caso.desconto, 1e-9) << caso.tabela << " " << caso.produto;
        dmTec->quAssVendaItem->cancel();
    }
    parametro("ATTABELAPRECOITEM", "F");
    parametro("ATDESCONTOPRAZOITEM", "A");
    novaLinha("P4");
    EXPECT_NEAR(lin("DESCONTO").asFloat(), 10, 1e-9) << "the band's 7 and the payment term's 3";
    dmTec->quAssVendaItem->cancel();
    parametro("ATTABELAPRECOITEM", "");
    parametro("ATMODOPRECOITEM", "U");
    novaLinha("P4");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 0) << "a term sale takes the previous price (none)";
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssProdutoTest, TypingAProductAndSavingRunsAFixedNumberOfStatements)
{
    novoPedido();
    linha("P1", 1, 10);
    testsupport::StatementCounter contador;
    dmTec->quAssVendaItem->append();
    lin("CODIGO").setText("P4");
    lin("QUANTIDADE").setText("2");
    dmTec->quAssVendaItem->post();
    // With the order's stored status, read before the line is written, and
    // its row held as the line is.
    EXPECT_EQ(contador.count(), 22);
    EXPECT_EQ(contador.prepares(), 6);
    EXPECT_DOUBLE_EQ(valor("select VALOR_TOTAL from AVEC8501"), 10 + 2 * 50.55 * 1.1);
}

}  // namespace
}  // namespace tectest
