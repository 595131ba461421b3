// Requested lines on a real database: typed prices against the lowering
// rules, discount and IPI values, captions and field rules, typed
// quantities with the availability question.

#include "tests/tec/PedidoAssFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "tests/support/TestDatabase.h"

namespace tectest {
namespace {

class PedidoAssPrecoTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, GRUPO) values ('P3', 'Produto 3', 100, 'G1')");
        exec("insert into ACEC1201 (CODIGO, DESCRICAO, GRTIPOVENDA) values ('G1', 'Grupo 1', 'N')");
    }
    // Logs in again as an ordinary user, the order already saved, and
    // reopens it.
    void entrarComoVendedor(const QString& numero)
    {
        testsupport::grantAllToPublic(*global->IBTransaction1);
        dmTec.free();
        global->IBTransaction1->commit();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath, "JOAO", "x");
        createTec();
        CarregaPedidoAssVenda(numero, "");
        dmTec->CarregaPedidoAssVendaItem(numero, "", "");
    }
    // A new line of the product, priced by its entry.
    void novaLinha(const QString& produto)
    {
        dmTec->quAssVendaItem->append();
        lin("CODIGO").setAsString(produto);
    }
    void digitarRecusado(const char* campo, const QString& texto)
    {
        EXPECT_THROW(lin(campo).setText(texto), host::Abort) << texto.toStdString();
    }
};

TEST_F(PedidoAssPrecoTest, ATypedPriceBelowTheReferenceIsRefusedInWholeCents)
{
    entrarComoVendedor(novoPedido());
    ASSERT_FALSE(UsuarioMestre());
    for (const char* regra : {"N", "M"}) {
        parametro("ATVALORMENORITEM", QString(regra) == "N" ? "N" : "");
        parametro("ATREGRAVALORITEM", QString(regra) == "M" ? "M" : "");
        novaLinha("P3");
        EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 100);
        lin("VALOR").setText("100,00");
        EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 100);
        dialogos->acknowledge("para menos!").acknowledge("Valor Unitário Inválido.");
        digitarRecusado("VALOR", "99,99");
        EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 100) << regra << ": the former price stays";
        lin("VALOR").setText("120,5");
        EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 120.5);
        EXPECT_DOUBLE_EQ(lin("VEITVALORUNITARIOIPI").asFloat(), 120.5);
        dmTec->quAssVendaItem->cancel();
    }
    dialogos->acknowledge("Valor Unitário Inválido.");
    novaLinha("P3");
    digitarRecusado("VALOR", "abc");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssPrecoTest, TheMasterUserSkipsTheLoweringRulesButNotTheGroupRule)
{
    novoPedido();
    ASSERT_TRUE(UsuarioMestre());
    parametro("ATVALORMENORITEM", "N");
    novaLinha("P3");
    lin("VALOR").setText("50");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 50);

    parametro("ATREGRAVALORITEM", "T");
    lin("VALOR").setText("100");
    dialogos->acknowledge("para menos!").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "99,99");
    exec("update ACEC1201 set GRTIPOVENDA = 'P'");
    dialogos->acknowledge("não permitir alteração de valor!").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "150");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 100);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssPrecoTest, AGroupLessLineUnderRuleTFallsBackToTheLoweringRules)
{
    entrarComoVendedor(novoPedido());
    parametro("ATREGRAVALORITEM", "T");
    parametro("ATVALORMENORITEM", "N");
    novaLinha("P1");
    dialogos->acknowledge("para menos!").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "9,99");
}

TEST_F(PedidoAssPrecoTest, RuleAAsksThePasswordAndKeepsTheOldPriceWhenItFails)
{
    entrarComoVendedor(novoPedido());
    parametro("ATREGRAVALORITEM", "A");
    parametro("ATSENHAVALORMENOR", "segredo");
    novaLinha("P3");
    dialogos->cancel("Informe a senha para permitir venda").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "90");
    dialogos->enter("errada").acknowledge("Senha inválida.").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "90");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 100);
    dialogos->enter("segredo");
    lin("VALOR").setText("90");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 90);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssPrecoTest, APromotionLineIsComparedWithThePromotionalPrice)
{
    exec("update ACEC1101 set PRPRECOPROMOCIONAL = 80 where CODIGO = 'P3'");
    entrarComoVendedor(novoPedido());
    parametro("ATVALORMENORITEM", "N");
    novaLinha("P3");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 80);
    EXPECT_EQ(lin("VEITPROMOCAO").asString(), "S");
    EXPECT_EQ(lin("VEITPROMOCAO").displayText(), "Sim");
    lin("VALOR").setText("85");
    lin("VALOR").setText("80");
    EXPECT_DOUBLE_EQ(lin("VALOR").asFloat(), 80);
    dialogos->acknowledge("para menos!").acknowledge("Valor Unitário Inválido.");
    digitarRecusado("VALOR", "79,99");
}

TEST_F(PedidoAssPrecoTest, DiscountAndIPIValues)
{
    novoPedido();
    novaLinha("P3");
    lin("QUANTIDADE").setAsFloat(2);
    lin("DESCONTO").setAsFloat(10);
    EXPECT_DOUBLE_EQ(lin("VEITVALORCOMDESCONTO").asFloat(), 90);
    EXPECT_DOUBLE_EQ(lin("TOTAL_UNIT").asFloat(), 180);
    lin("DESCONTO").setAsFloat(0);
    EXPECT_DOUBLE_EQ(lin("VEITVALORCOMDESCONTO").asFloat(), 90) << "a discount of 0 leaves it";
    EXPECT_DOUBLE_EQ(lin("TOTAL_UNIT").asFloat(), 200);

    // A typed discount is taken only where the company allows it.
    lin("DESCONTO").setText("5");
    EXPECT_DOUBLE_EQ(lin("DESCONTO").asFloat(), 0);
    parametro("ATDESCONTODIGITAVEL", "S");
    lin("DESCONTO").setText("5");
    EXPECT_DOUBLE_EQ(lin("DESCONTO").asFloat(), 5);
    dialogos->acknowledge("Valor x5 inválido.");
    EXPECT_THROW(lin("DESCONTO").setText("x5"), host::Abort);

    lin("IPI").setAsFloat(10);
    EXPECT_NEAR(lin("VEITVALORUNITARIOIPI").asFloat(), 110, 1e-9);
    EXPECT_NEAR(lin("VEITVALORIPI").asFloat(), 19, 1e-9) << "the line's IPI amount: 190 x 10 %";
    lin("VEITVALORUNITARIOIPI").setAsFloat(220);
    EXPECT_NEAR(lin("VALOR").asFloat(), 200, 1e-9);

    // The discount that brings the price with IPI to 99: IPI taken out first.
    lin("VALOR").setAsFloat(100);
    parametro("ATDESCONTOPELOVALOR", "C");
    lin("VEITVALORCOMIPIDESCONTO").setAsFloat(99);
    EXPECT_NEAR(lin("DESCONTO").asFloat(), 10, 1e-9);
    lin("IPI").setAsFloat(0);
    lin("VEITVALORCOMIPIDESCONTO").setAsFloat(99);
    EXPECT_NEAR(lin("DESCONTO").asFloat(), 1, 1e-9);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssPrecoTest, TheOrderIPIUnderPerLineTaxesSumsTheLinesIPI)
{
    parametro("ATIMPOSTOPORITEM", "S");
    novoPedido();
    linha("P3", 2, 100, 10);
    linha("P1", 1, 10, 5);
    EXPECT_NEAR(valor("select sum(VEITVALORIPI) from AVEC85IT"), 20.5, 1e-9);
    EXPECT_NEAR(valor("select VALOR_IPI from AVEC8501"), 20.5, 1e-9);
}

TEST_F(PedidoAssPrecoTest, Captions)
{
    novoPedido();
    novaLinha("P3");
    auto legenda = [this](const char* campo, const QString& letra) {
        lin(campo).setAsString(letra);
        return lin(campo).displayText();
    };
    const std::tuple<const char*, const char*, const char*> casos[] = {
        {"VEITENTREGA", "I", "Imediata"}, {"VEITENTREGA", "F", "Futura"}, {"VEITENTREGA", "C", "Cancelado"},
        {"VEITENTREGA", "X", "X"}, {"VEITOPCAOMANUAL", "N", "Normal"}, {"VEITOPCAOMANUAL", "I", "Impresso"},
        {"VEITOPCAOMANUAL", "Q", ""}, {"VEITPROMOCAO", "C", "Cliente"}, {"VEITPROMOCAO", "S", "Sim"},
        {"VEITPROMOCAO", "N", "Não"}, {"VEITFOTO", "S", "Sim"}, {"VEITFOTO", "N", "Não"},
        {"VEITLIBERADOSENHA", "S", "Sim"}, {"VEITQUANTIDADEALTERADA", "N", "Não"},
        {"VEITEQUIPAMENTOCFG", "S", "Sim"}, {"VEITEQUIPAMENTOCFG", "X", "Não"}, {"VEITEQUIPAMENTOCFG", "", "Não"},
    };
    for (const auto& [campo, letra, texto] : casos)
        EXPECT_EQ(legenda(campo, letra), QString::fromUtf8(texto)) << campo << " " << letra;
    EXPECT_EQ(lin("VEITEQUIPAMENTOCFG").asString(), "") << "the stored value stays the letter";
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssPrecoTest, FieldRules)
{
    exec("insert into ACEC1401 (CODIGO, DESCRICAO) values ('L1', 'Loja')");
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('US', '01/01/2000', 5.2)");
    novoPedido();
    novaLinha("P3");
    lin("VEITENTREGA").setText("f");
    EXPECT_EQ(lin("VEITENTREGA").asString(), "F");
    const QString entregue = "Só é possível escolher a opção entregue após emitir nota fiscal do pedido!";
    dialogos->acknowledge(entregue).acknowledge(entregue);
    EXPECT_THROW(lin("VEITENTREGA").setText("e"), host::Abort);
    EXPECT_THROW(lin("VEITENTREGA").setAsString("E"), host::Abort);
    EXPECT_EQ(lin("VEITENTREGA").asString(), "F");

    lin("LECODIGO").setAsString("L1");
    dialogos->acknowledge("Local inválido");
    EXPECT_THROW(lin("LECODIGO").setAsString("ZZ"), host::Abort);
    EXPECT_EQ(lin("LECODIGO").asString(), "L1");
    {
        testsupport::StatementCounter contador;
        lin("LECODIGO").setAsString("");
        lin("MOCODIGO").setAsString("00");
        EXPECT_EQ(contador.count(), 0) << "an empty location and currency 00 look nothing up";
    }
    EXPECT_DOUBLE_EQ(lin("VEITMOEDACOTACAO").asFloat(), 0);
    lin("MOCODIGO").setAsString("US");
    EXPECT_DOUBLE_EQ(lin("VEITMOEDACOTACAO").asFloat(), 5.2);
    lin("MOCODIGO").setAsString("EU");
    EXPECT_DOUBLE_EQ(lin("VEITMOEDACOTACAO").asFloat(), 0) << "no rate: 0, no warning";
    EXPECT_EQ(lin("DESCRICAOGRUPO").asString(), "Grupo 1") << "the product's group filled it";
    EXPECT_EQ(dialogos->pending(), 0);
    dmTec->quAssVendaItem->cancel();
}

// ---- quantities ----

class PedidoAssQuantidadeTest : public PedidoAssPrecoTest {
protected:
    QString proposta()
    {
        parametro("ATNOVOPEDIDOASSISTENCIA", "O");
        parametro("ATAVISOESTOQUEITEM", "N");
        return novoPedido();
    }
    QString pergunta(double lancado)
    {
        return QString::fromUtf8("Quantidade insuficiente disponível de \"Produto 3\". Total do produto disponível: 0,00.\n"
                                 "Quantidade Reservada: 0.\nTotal Lançado no Pedido: %1.\nDeseja continuar?")
            .arg(lancado);
    }
};

TEST_F(PedidoAssQuantidadeTest, TheProposalAsksWithTheExactMessageAndNoGivesZero)
{
    proposta();
    linha("P3", 2, 100);
    novaLinha("P3");
    dialogos->answer("Sim", pergunta(7));
    lin("QUANTIDADE").setText("5");
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 5);
    ASSERT_EQ(dialogos->texts().size(), 1);
    EXPECT_EQ(dialogos->texts().first(), pergunta(7));
    dialogos->answer("Não");
    lin("QUANTIDADE").setText("3");
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 0);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssQuantidadeTest, NoQuestionForOrdersOriginSevenTypeCOperation00000OrRentalMode)
{
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
    };
    const Caso casos[] = {
        {"origem 7", [this] { lin("ORIGEM").setAsString("7"); }},
        {"tipo C", [this] { cab("TIPO_OP").setAsString("C"); }},
        {"operação 00000", [this] { cab("OPERACAO").setAsString("00000"); }},
        {"modo E", [this] { parametro("ATMODOPEDIDOASSISTENCIA", "E"); }},
        {"pedido", [this] { cab("AUX2").setAsString("1"); }},
        {"aviso S", [this] { parametro("ATAVISOESTOQUEITEM", "S"); }},
    };
    for (const Caso& caso : casos) {
        proposta();
        novaLinha("P3");
        caso.preparar();
        lin("QUANTIDADE").setText("5");
        EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 5) << caso.nome;
        EXPECT_TRUE(dialogos->texts().isEmpty()) << caso.nome;
        dmTec->quAssVendaItem->cancel();
        dmTec->quAssVenda->cancel();
        parametro("ATMODOPEDIDOASSISTENCIA", "");
    }
}

TEST_F(PedidoAssQuantidadeTest, ThousandsDotsAndFractions)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    novoPedido();
    novaLinha("P3");
    lin("QUANTIDADE").setText("1.000");
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 1000);
    EXPECT_THROW(lin("QUANTIDADE").setText("1.5"), host::data::DatasetError) << "a dot that is no thousands group";
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 1000) << "refused: the quantity stays, never 0";
    lin("QUANTIDADE").setText("2,5");
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 2.5);
    EXPECT_THROW(lin("QUANTIDADE").setText("x"), host::data::DatasetError);
    EXPECT_DOUBLE_EQ(lin("QUANTIDADE").asFloat(), 2.5);
    EXPECT_TRUE(dialogos->texts().isEmpty());
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssQuantidadeTest, ThePrintedQuantityAsksHowToComputeTheManualValue)
{
    novoPedido();
    novaLinha("P3");
    lin("VEQUANTIDADEIMPRESSA").setText("3");
    EXPECT_DOUBLE_EQ(lin("VEQUANTIDADEIMPRESSA").asFloat(), 3);
    parametro("ATOPCAOVALORMANUAL", "R");
    dialogos->answer("Impresso", "Deseja calcular valor manual dos itens pelo valor normal ou valor impresso?");
    lin("VEQUANTIDADEIMPRESSA").setText("4");
    EXPECT_EQ(lin("VEITOPCAOMANUAL").asString(), "I");
    dialogos->answer("Normal");
    lin("VEQUANTIDADEIMPRESSA").setText("5");
    EXPECT_EQ(lin("VEITOPCAOMANUAL").asString(), "N");
    EXPECT_THROW(lin("VEQUANTIDADEIMPRESSA").setText("x"), host::data::DatasetError);
    EXPECT_DOUBLE_EQ(lin("VEQUANTIDADEIMPRESSA").asFloat(), 5);
    dmTec->quAssVendaItem->cancel();
}

TEST_F(PedidoAssQuantidadeTest, TheQuantityAlreadyEnteredCountsOnlyOtherPositiveLinesOfTheProduct)
{
    novoPedido();
    linha("P3", 2, 100);
    linha("P3", 3, 100);
    linha("P1", 9, 10);
    dmTec->quAssVendaItem->first();
    EXPECT_DOUBLE_EQ(dmTec->PVItemQuantidadeJaLancada(), 3);
    EXPECT_EQ(TdmTec::TiraPonto("1.234.5,6"), "12345,6");
}

}  // namespace
}  // namespace tectest
