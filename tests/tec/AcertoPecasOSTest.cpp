// The parts lines of a service order corrected by a stock movement of the
// parts settlement.

#include "tests/tec/PecasFixture.h"

#include "data/uDataTecAcertoPecas.h"

namespace tectest {
namespace {

class AcertoPecasOS : public PecasTest {
protected:
    void linha(int sequencia, double quantidade, double requerida = 0, const QString& produto = "P1")
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE,"
                     " APQUANTIDADEREQUERIDA, APVALUNITARIO, APDESCONTO, APVALTOTAL, APAUTORIZADO, APTIPO)"
                     " values (7, %1, 1, '%2', %3, %4, 10, 10, %5, 'S', '3')")
                 .arg(sequencia)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(requerida)
                 .arg(quantidade * 9));
    }
    std::string texto(const QString& sql) { return one(sql).toString().toStdString(); }
    std::string linhas(const QString& produto = "P1")
    {
        return one("select list(APSEQUENCIA || ':' || APQUANTIDADE || '/' || APQUANTIDADEREQUERIDA || '=' ||"
                   " APVALTOTAL || '/' || coalesce(APVALORTOTALREQUERIDO, 0), ' ') from (select * from AATC01AP"
                   " where AOCODIGO = 7 and PRCODIGO = '" + produto + "' order by APSEQUENCIA)")
            .toString()
            .toStdString();
    }
    double soma(const QString& coluna = "APQUANTIDADE")
    {
        return one("select sum(" + coluna + ") from AATC01AP where AOCODIGO = 7 and PRCODIGO = 'P1'").toDouble();
    }
    double totalPecas() { return one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(); }
};

TEST_F(AcertoPecasOS, WithoutAnOrderNothingHappens)
{
    linha(1, 2);
    EXPECT_FALSE(VerificarPecaOrdemServico("S", "P1", 1, 0, false));
    EXPECT_FALSE(VerificarPecaOrdemServico("E", "P1", 1, -3, false));
    EXPECT_DOUBLE_EQ(soma(), 2);
}

TEST_F(AcertoPecasOS, AnEntryComesOffOneLineOnceAndLinesAtZeroGo)
{
    // An entry of a product the order lacks: false, nothing written.
    EXPECT_FALSE(VerificarPecaOrdemServico("E", "P2", 1, 7, false));
    linha(1, 2);
    linha(2, 2);
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 1.5, 7, false));
    EXPECT_DOUBLE_EQ(soma(), 2.5) << "two lines of the product change by the quantity once";
    EXPECT_EQ(linhas(), "1:0.5000000000000000/0.000000000000000=4.500000000000000/0.000000000000000 "
                        "2:2.000000000000000/0.000000000000000=18.00000000000000/0.000000000000000");
    EXPECT_DOUBLE_EQ(totalPecas(), 22.5) << "the order's parts total follows";
    // More than every line holds: no line changes, the stock entry still goes.
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 3, 7, false));
    EXPECT_DOUBLE_EQ(soma(), 2.5);
    // A line left at zero in both quantities goes.
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 0.5, 7, false));
    EXPECT_EQ(one("select count(*) from AATC01AP where AOCODIGO = 7 and APSEQUENCIA = 1").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC01AP where AOCODIGO = 7").toInt(), 1);
}

TEST_F(AcertoPecasOS, AnEntryOfTheRequiredQuantityKeepsALineThatStillHasItsQuantity)
{
    linha(1, 2, 3);
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 3, 7, true));
    EXPECT_EQ(linhas(), "1:2.000000000000000/0.000000000000000=18.00000000000000/0.000000000000000");
}

TEST_F(AcertoPecasOS, AnExitOfANewProductInsertsAnIssuedLineDiscountedByTheParameter)
{
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO) values (7, 9)");
    const struct {
        const char* modo;
        double desconto;   // customer 3, product 7
    } casos[] = {{"", 0}, {"C", 3}, {"E", 3}, {"P", 7}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.modo);
        exec("delete from AATC01AP");
        parametro("ATDESCONTOPECAACERTO", caso.modo);
        EXPECT_TRUE(VerificarPecaOrdemServico("S", "P1", 2, 7, false));
        EXPECT_EQ(texto("select AOITCODIGO || '|' || APSEQUENCIA || '|' || APAUTORIZADO || '|' || APOBSERVACAO"
                      " || '|' || APRESERVA || '|' || APTIPO || '|' || coalesce(APQUANTIDADEREQUERIDA, -1)"
                      " from AATC01AP where AOCODIGO = 7"),
                  "1|1|S|Inserido Pelo Acerto|B|3|-1.000000000000000")
            << "the smallest item, the other quantity column not written";
        EXPECT_DOUBLE_EQ(one("select APDESCONTO from AATC01AP").toDouble(), caso.desconto);
        EXPECT_NEAR(one("select APVALTOTAL from AATC01AP").toDouble(), 10 * (1 - caso.desconto / 100) * 2, 1e-9);
        EXPECT_DOUBLE_EQ(one("select APVALORTOTALREQUERIDO from AATC01AP").toDouble(), 0);
        EXPECT_FALSE(one("select UGINSERIDO from AATC01AP").isNull());
    }
    // Into the required quantity: only its total.
    exec("delete from AATC01AP");
    parametro("ATDESCONTOPECAACERTO", "");
    EXPECT_TRUE(VerificarPecaOrdemServico("S", "P2", 4, 7, true));
    EXPECT_EQ(texto("select coalesce(APQUANTIDADE, -1) || '|' || APQUANTIDADEREQUERIDA || '|' || APVALTOTAL || '|'"
                  " || APVALORTOTALREQUERIDO from AATC01AP"),
              "-1.000000000000000|4.000000000000000|0.000000000000000|10.00000000000000");
}

TEST_F(AcertoPecasOS, AnExitOntoALineWithQuantityAsksAndAddsToTwoDecimals)
{
    linha(1, 1);
    linha(2, 1);
    dialogos->answer("Sim", "Quantidade Lançada: 2");
    EXPECT_TRUE(VerificarPecaOrdemServico("S", "P1", 0.333, 7, false));
    ASSERT_EQ(dialogos->texts().size(), 1);
    EXPECT_TRUE(dialogos->texts()[0].startsWith("Peça de código \"P1\" já lançada na Ordem de Serviço \"7\"."));
    EXPECT_TRUE(dialogos->texts()[0].contains(" Tem certeza de que deseja somar da OS?"));
    EXPECT_NEAR(soma(), 2.33, 1e-9) << "0,333 adds 0,33, to one line only";
    dialogos->answer("Sim");
    EXPECT_TRUE(VerificarPecaOrdemServico("S", "P1", 0.336, 7, false));
    EXPECT_NEAR(soma(), 2.67, 1e-9) << "0,336 adds 0,34";
    EXPECT_NEAR(one("select APVALTOTAL from AATC01AP where APSEQUENCIA = 1").toDouble(), 1.67 * 9, 1e-9);
    // "Não" with no line at 0: nothing changes and the movement is skipped.
    dialogos->answer("Não");
    EXPECT_FALSE(VerificarPecaOrdemServico("S", "P1", 1, 7, false));
    EXPECT_NEAR(soma(), 2.67, 1e-9);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(AcertoPecasOS, AnExitOntoALineAtZeroDoesNotAskAndNaoStillFillsIt)
{
    linha(1, 0, 2);
    EXPECT_TRUE(VerificarPecaOrdemServico("S", "P1", 1, 7, false)) << "no question";
    EXPECT_DOUBLE_EQ(soma(), 1);
    // A line with quantity and one at 0: after "Não" the one at 0 takes it.
    linha(2, 0, 1);
    dialogos->answer("Não");
    EXPECT_TRUE(VerificarPecaOrdemServico("S", "P1", 2, 7, false));
    EXPECT_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 2").toDouble(), 2);
    EXPECT_EQ(one("select APQUANTIDADE from AATC01AP where APSEQUENCIA = 1").toDouble(), 1);
}

TEST_F(AcertoPecasOS, TheOrderShownBeforeIsShownAgain)
{
    ordem(8);
    linha(1, 2);
    CarregaOrdemServico(8);
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 1, 7, false));
    ASSERT_TRUE(dmTec->quOS->active());
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 8);
    // Nothing was shown: nothing is left open.
    dmTec->quOS->close();
    EXPECT_TRUE(VerificarPecaOrdemServico("E", "P1", 1, 7, false));
    EXPECT_FALSE(dmTec->quOS->active());
}

}  // namespace
}  // namespace tectest
