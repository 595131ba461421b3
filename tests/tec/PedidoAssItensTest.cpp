// Requested lines: numbering, the quantity/total chain, the save-time total
// in its rounding modes, the text that follows a renumbered line, the
// back-order's pending configured line, re-totalling and its cost.

#include "tests/tec/PedidoAssFixture.h"

#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>

namespace tectest {
namespace {

using PedidoAssItensTest = PedidoAssTest;

TEST_F(PedidoAssItensTest, LinesAreNumberedAndReTotalTheSavedHeader)
{
    novoPedido();
    linha("P1", 3, 10);
    linha("P2", 1, 20, 0, 5);
    linha("P1", 1, 1);
    EXPECT_EQ(texto("select list(COD, ',') from (select COD from AVEC85IT order by COD)"), "1,5,6");
    EXPECT_EQ(dmTec->quAssVenda->state(), host::data::DatasetState::Browse);
    EXPECT_DOUBLE_EQ(valor("select VALOR_TOTAL from AVEC8501"), 51);
    EXPECT_EQ(texto("select max(ACAO) from ARQLOG"), "");
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 1") << "the line is read again after its save";

    dmTec->quAssVendaItem->first();
    EXPECT_DOUBLE_EQ(lin("VEITVALORLIQUIDO").asFloat(), 10);
    dialogos->acknowledge("Informe os dados do pedido.");
    CarregaPedidoAssVenda("nenhum", "");
    dmTec->quAssVendaItem->close();
    dmTec->quAssVendaItem->open();
    EXPECT_THROW(dmTec->quAssVendaItem->append(), host::Abort);
}

TEST_F(PedidoAssItensTest, QuantityAndTotalChain)
{
    novoPedido();
    dmTec->quAssVendaItem->append();
    lin("CODIGO").setAsString("P1");
    lin("VALOR").setAsFloat(10);
    lin("QUANTIDADE").setAsFloat(3);
    EXPECT_DOUBLE_EQ(lin("TOTAL_UNIT").asFloat(), 30);
    EXPECT_EQ(lin("VEITQUANTIDADEALTERADA").asString(), "S");
    lin("DESCONTO").setAsFloat(10);
    lin("QUANTIDADE").setAsFloat(3);
    EXPECT_DOUBLE_EQ(lin("TOTAL_UNIT").asFloat(), 27);
    dmTec->quAssVendaItem->cancel();

    // A typed total under "R": the value follows, and the quantity no longer moves the total.
    parametro("ATMODOTOTALITEM", "R");
    dmTec->quAssVendaItem->append();
    lin("CODIGO").setAsString("P1");
    lin("QUANTIDADE").setAsFloat(4);
    lin("TOTAL_UNIT").setAsFloat(10);
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 2.5);
    EXPECT_EQ(lin("VEITTOTALALTERADO").asString(), "S");
    lin("QUANTIDADE").setAsFloat(8);
    EXPECT_DOUBLE_EQ(lin("TOTAL_UNIT").asFloat(), 10);
    dmTec->quAssVendaItem->post();
    EXPECT_DOUBLE_EQ(valor("select TOTAL_UNIT from AVEC85IT"), 10);
    parametro("ATMODOTOTALITEM", "S");
    lin("TOTAL_UNIT").setAsFloat(0);
    EXPECT_EQ(lin("VEITTOTALALTERADO").asString(), "N");
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssItensTest, SaveTimeTotalFollowsTheRoundingMode)
{
    novoPedido();
    const std::pair<const char*, double> modos[] = {{"U", 28.50}, {"S", 28.50}, {"C", 28.47}, {"", 28.4985}};
    int cod = 1;
    for (const auto& [modo, esperado] : modos) {
        parametro("ATARREDONDAMENTOITEM", modo);
        dmTec->quAssVendaItem->append();
        lin("CODIGO").setAsString("P1");
        lin("QUANTIDADE").setAsFloat(3);
        lin("DESCONTO").setAsFloat(10);
        lin("VALOR").setAsFloat(10.555);
        dmTec->quAssVendaItem->post();
        EXPECT_DOUBLE_EQ(valor(QString("select TOTAL_UNIT from AVEC85IT where COD = %1").arg(cod++)), esperado)
            << modo;
    }
    // A hand-typed total is never recomputed at save.
    dmTec->quAssVendaItem->edit();
    lin("VEITTOTALALTERADO").setAsString("S");
    lin("TOTAL_UNIT").setAsFloat(99);
    dmTec->quAssVendaItem->post();
    EXPECT_DOUBLE_EQ(valor("select TOTAL_UNIT from AVEC85IT where COD = 4"), 99);
}

TEST_F(PedidoAssItensTest, RenumberingALineMovesItsText)
{
    const QString numero = novoPedido();
    linha("P1", 1, 10);
    exec("insert into AUGC70OB (OBID, OBCODIGO, OBSEQUENCIA, OBTEXTO) values ('V', '" + numero + "', 1, 'Texto')");
    dmTec->quAssVendaItem->edit();
    lin("COD").setAsInteger(7);
    EXPECT_EQ(texto("select OBSEQUENCIA from AUGC70OB"), "7");
    dmTec->quAssVendaItem->post();
    EXPECT_EQ(texto("select COD from AVEC85IT"), "7");
}

TEST_F(PedidoAssItensTest, DeletingABackOrderLineTakesTheFirstPendingConfiguredLineOfItsOrigin)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO, VECODIGOPENDENCIA) values (1, 'P1', '000500', '000001')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO, VECODIGOPENDENCIA) values (2, 'P1', '000500', '000001')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO) values (3, 'P1', '000500')");
    novoPedido();
    linha("P1", 1, 10);
    exec("update AVEC8501 set IMPRESSO_NF = 'P', VEPROPOSTA = '000500'");
    CarregaPedidoAssVenda("000001", "");
    dmTec->quAssVendaItem->setTag(9);   // no password asked
    dmTec->quAssVendaItem->remove();
    EXPECT_EQ(texto("select list(COD, ',') from (select COD from AVEC85LX order by COD)"), "2,3");
    EXPECT_EQ(texto("select ACAO from ARQLOG"), "Deletou item do pedido de venda assistência000001");
    EXPECT_EQ(texto("select TABELA || ' ' || CHAVE from UGCHAVEEXCLUIDA"), "AVEC85IT COD=1;CODIGO=P1;NUMERO_PEDIDO=000001");
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 0) << "re-totalled";
}

TEST_F(PedidoAssItensTest, AWrongPasswordKeepsTheLineAndAnInsertedLineMovesNoText)
{
    const QString numero = novoPedido();
    exec("insert into AUGC70OB (OBID, OBCODIGO, OBSEQUENCIA, OBTEXTO) values ('V', '" + numero + "', 1, 'Texto')");
    dmTec->quAssVendaItem->append();
    lin("CODIGO").setAsString("P1");
    lin("VALOR").setAsFloat(1);
    lin("COD").setAsInteger(1);
    lin("COD").setAsInteger(4);
    dmTec->quAssVendaItem->post();
    EXPECT_EQ(texto("select OBSEQUENCIA from AUGC70OB"), "1") << "a line being inserted has no text of its own yet";

    parametro("ATSENHAEXCLUSAOPEDIDO", "x");
    dialogos->enter("y", "Senha de Exclusão de Pedido de Venda");
    dialogos->acknowledge("Senha inválida!");
    EXPECT_THROW(dmTec->quAssVendaItem->remove(), host::Abort);
    EXPECT_EQ(valor("select count(*) from AVEC85IT"), 1);
    EXPECT_EQ(valor("select count(*) from ARQLOG"), 0);
}

TEST_F(PedidoAssItensTest, SavingALineCostsTheSameOnAnOrderOfTwentyLines)
{
    novoPedido();
    linha("P1", 1, 10);
    auto custo = [this] {
        dmTec->quAssVendaItem->edit();
        lin("QUANTIDADE").setAsFloat(lin("QUANTIDADE").asFloat() + 1);
        testsupport::StatementCounter contador;
        dmTec->quAssVendaItem->post();
        return std::pair{contador.count(), contador.prepares()};
    };
    custo();   // the kept statements are prepared once
    const auto [umaLinha, preparosUma] = custo();
    for (int i = 0; i < 19; ++i)
        linha("P2", 1, 2);
    dmTec->quAssVendaItem->first();
    const auto [vinteLinhas, preparosVinte] = custo();
    std::printf("[ cost ] saving a requested line and re-totalling: %d statements, %d prepares\n", vinteLinhas,
                preparosVinte);
    EXPECT_EQ(vinteLinhas, umaLinha);
    EXPECT_EQ(preparosVinte, preparosUma);
    // The order's stored status (another desk may have closed it), its
    // row held (another desk may have deleted it), the line's update, the
    // totals' sums (twice: after the line and in the
    // header's save) with their financial cost and weights, the header's
    // update, the line read again and its product's serial kind.
    EXPECT_EQ(vinteLinhas, 1 + 1 + 1 + 2 * 3 + 1 + 1 + 1);
    // The product's serial kind is read with its own text, the same as the
    // save before: it is kept prepared too.
    EXPECT_EQ(preparosVinte, 0);

    // Re-totalling alone: the sums, the financial cost and the weights.
    dmTec->quAssVenda->edit();
    testsupport::StatementCounter totais;
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_EQ(totais.count(), 3);
    EXPECT_EQ(totais.prepares(), 0);
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 4 * 10 + 19 * 2) << "the first line saved three times more";
}

}  // namespace
}  // namespace tectest
