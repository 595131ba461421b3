// Order totals: the sums of the requested lines with their filters, the
// freight split, the four-decimal arithmetic cut to cents, the tax mode,
// profitability and weights.

#include "tests/tec/PedidoAssFixture.h"

#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

namespace tectest {
namespace {

class PedidoAssTotaisTest : public PedidoAssTest {
protected:
    // An order with lines 100.00 at IPI 10 % and 50.555 at 0 %, general
    // discount 5, freight 10, expenses 2.50 and supplies 7.
    QString pedidoExemplo()
    {
        const QString numero = novoPedido();
        exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT, IPI, VEITCMV,"
             " VEITVALORIPI, VEITCOMISSAO) values (1, 'P1', '" + numero + "', 1, 100, 100, 10, 40, 3, 10)");
        exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT, IPI, VEITCMV,"
             " VEITVALORIPI) values (2, 'P2', '" + numero + "', 1, 50.555, 50.555, 0, 20, 4)");
        dmTec->quAssVenda->edit();
        cab("DESCONTO_GERAL").setAsFloat(5);
        cab("AUX1").setAsFloat(10);
        cab("VEVALORDESPESA").setAsFloat(2.5);
        cab("VEVALORSUPRIMENTOS").setAsFloat(7);
        return numero;
    }
};

TEST_F(PedidoAssTotaisTest, ValuesAreSummedInFourDecimalsAndCut)
{
    pedidoExemplo();
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 175.05);
    EXPECT_DOUBLE_EQ(cab("VALOR_IPI").asFloat(), 10.00);
    EXPECT_EQ(cab("VALOR_TOTAL").displayText(), "175,05");
    // CMV: 60 - 5 + 0 (freight charged) + 10, then replaced by the lines' CMV in profitability.
    EXPECT_DOUBLE_EQ(cab("VEVALORTOTALCMV").asFloat(), 60);
    EXPECT_DOUBLE_EQ(cab("VEVALORTOTALCOMISSAO").asFloat(), 10);
    EXPECT_DOUBLE_EQ(cab("VEVALORTOTALLIQUIDO").asFloat(), 175.05 - 10 - 10);
    EXPECT_DOUBLE_EQ(cab("VEPESOLIQUIDO").asFloat(), 3);
    EXPECT_DOUBLE_EQ(cab("VEPESOBRUTO").asFloat(), 4);
    dmTec->quAssVenda->post();
    EXPECT_DOUBLE_EQ(valor("select VALOR_TOTAL from AVEC8501"), 175.05);

    // The line taxes: supplies stay out, taxes come from the line columns.
    parametro("ATIMPOSTOPORITEM", "S");
    dmTec->quAssVenda->edit();
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_IPI").asFloat(), 7);
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 165.05) << "150.555 - 5 + 10 + 2.50 + 7 (the lines' IPI), cut";
}

TEST_F(PedidoAssTotaisTest, EdgeCasesOfTheParameters)
{
    const QString numero = pedidoExemplo();
    // No number: nothing runs and the header is untouched.
    {
        cab("NUMERO_PEDIDO").clear();
        testsupport::StatementCounter contador;
        PedidoAssVendaAtualizarTotalizador();
        EXPECT_EQ(contador.count(), 0);
        EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 0);
        cab("NUMERO_PEDIDO").setAsString(numero);
    }
    // A cancelled line counts unless ATMODOTOTALITEM is "C".
    exec("update AVEC85IT set VEITENTREGA = 'C' where COD = 2");
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VEPESOLIQUIDO").asFloat(), 3);
    parametro("ATMODOTOTALITEM", "C");
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 100 - 5 + 10 + 10 + 2.5 + 7);
    EXPECT_DOUBLE_EQ(cab("VEPESOLIQUIDO").asFloat(), 2);
    parametro("ATMODOTOTALITEM", "");

    // A closed-collection line under "Z": out of the values, in the weights.
    exec("update AVEC85IT set VEITENTREGA = null, OBS = 'COLECAO FECHADA' where COD = 2");
    parametro("ATTOTALSEMCOLECAOFECHADA", "Z");
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 124.5);
    EXPECT_DOUBLE_EQ(cab("VEPESOLIQUIDO").asFloat(), 3);
    parametro("ATTOTALSEMCOLECAOFECHADA", "");

    // Freight not charged: out of the total, into the CMV, out of profitability.
    parametro("ATMODOPRODUTOITEM", "D");
    cab("FRETE").setAsString("1");
    cab("VEVALORTOTALCOMISSAO").setAsFloat(0);
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 165.05);
    EXPECT_DOUBLE_EQ(cab("VEVALORTOTALCMV").asFloat(), 60 - 5 + 10 + 10) << "step 5's formula kept under D";
    EXPECT_DOUBLE_EQ(cab("VEVALORTOTALCOMISSAO").asFloat(), 0) << "profitability skipped";
    parametro("ATMODOPRODUTOITEM", "");
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VEVALORRENTABILIDADE").asFloat(), -10 - 10) << "less commission and company freight";
    EXPECT_NEAR(cab("VEVALORFRETEPERC").asFloat(), 10 * 100 / 165.05, 1e-9);

    // A total of 0 or less: every percentage is 0.
    cab("DESCONTO_GERAL").setAsFloat(500);
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_LE(cab("VALOR_TOTAL").asFloat(), 0);
    for (const char* perc : {"VEVALORIMPOSTOPERC", "VEVALORTOTALCOMISSAOPERC", "VEVALORTOTALCMVPERC",
                             "VEVALORCONTRIBUICAOPERC", "VEVALORFRETEPERC", "VEVALORRENTABILIDADEPERC"})
        EXPECT_EQ(cab(perc).asFloat(), 0) << perc;
}

TEST_F(PedidoAssTotaisTest, EachLinesIPIIsCutToTheCentBeforeTheSum)
{
    // In dialect 1 a numeric wider than 9 digits is a double: the engine's cast cuts nothing.
    EXPECT_DOUBLE_EQ(valor("select cast(0.125 as numeric(11,2)) from rdb$database"), 0.125);
    const QString numero_ = novoPedido();
    for (int cod = 1; cod <= 3; ++cod)
        exec(QString("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT, IPI)"
                     " values (%1, 'P1', '%2', 1, 1.25, 1.25, 10)")
                 .arg(cod)
                 .arg(numero_));
    // A line whose IPI is a whole number of cents only through binary noise, and one without IPI.
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT, IPI)"
         " values (4, 'P1', '" + numero_ + "', 1, 1.1, 1.1, 10)");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT)"
         " values (5, 'P1', '" + numero_ + "', 1, 2, 2)");
    dmTec->quAssVenda->edit();
    PedidoAssVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(cab("VALOR_IPI").asFloat(), 0.12 * 3 + 0.11) << "0,125 cut to 0,12 on each line";
    EXPECT_DOUBLE_EQ(cab("VALOR_TOTAL").asFloat(), 3.75 + 1.1 + 2 + 0.47);
}

}  // namespace
}  // namespace tectest
