// The price of a parts line: the product's data and rates, the base price in
// currency, the promotion's first and last day, the discount source, every
// price-table mode, the per-location price and the fiscal operation.

#include "tests/tec/PecasFixture.h"

namespace tectest {
namespace {

using host::data::DatasetState;

struct CasoPreco {
    const char* nome;
    const char* tabela;     // ATTABELAPRECO
    const char* desconto;   // ATDESCONTOPECA
    const char* linhas;     // price-table rows, ";"-separated inserts into ACEC11PD
    double unitario, percentual;
};

// P1 sells at 10, costs 6 (8 in currency), carries a product discount of 7;
// customer 00001 has a discount of 3, band F1, line of business R1 (6 %).
const CasoPreco kCasosPreco[] = {
    {"sem tabela nem origem", "", "", "", 10, 0},
    {"desconto do cliente C", "", "C", "", 10, 3},
    {"desconto do cliente E", "", "E", "", 10, 3},
    {"desconto do produto", "", "P", "", 10, 7},
    {"faixa com linha", "F", "C", "(PDFAIXAVENDA, PRCODIGO, PDDESCONTO) values ('F1', 'P1', 4)", 10, 4},
    {"faixa sem linha zera o desconto do cliente", "F", "C", "", 10, 0},
    {"acréscimo da faixa sobre o custo em moeda", "M", "",
     "(PDFAIXAVENDA, PRCODIGO, PDACRESCIMO) values ('F1', 'P1', 20)", 9.6, 0},
    {"faixa sem acréscimo fica no custo em moeda", "M", "", "", 8, 0},
    {"preço do cliente com desconto mantém o preço", "S", "",
     "(CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('00001', 'P1', 5, 9)", 10, 5},
    {"preço do cliente sem desconto toma o valor", "S", "",
     "(CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('00001', 'P1', 0, 9)", 9, 0},
    {"preço de outro cliente não vale", "S", "C",
     "(CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('00002', 'P1', 0, 9)", 10, 3},
    {"E fora de promoção como S", "E", "",
     "(CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('00001', 'P1', 0, 9)", 9, 0},
    {"acréscimo do cliente sobre o custo", "A", "",
     "(CLCODIGO, PRCODIGO, PDACRESCIMO) values ('00001', 'P1', 50)", 9, 0},
    {"grupo com desconto negativo mantém o preço", "G", "",
     "(PDID, CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('G', '00001', 'G1', -2, 8)", 10, -2},
    {"grupo sem desconto toma o valor", "G", "",
     "(PDID, CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('G', '00001', 'G1', 0, 8)", 8, 0},
    {"ramo de atividade", "R", "", "", 10, 6},
    {"modo desconhecido", "X", "", "", 10, 0},
};

class PrecoTest : public PecasTest {
protected:
    void SetUp() override
    {
        PecasTest::SetUp();
        exec("insert into RAMO (COD_RAMO, RADESCONTOPROD) values ('R1', 6)");
    }
    void precoSemTabela()
    {
        parametro("ATTABELAPRECO", "");
        parametro("ATDESCONTOPECA", "");
    }
};

TEST_F(PrecoTest, EveryPriceTableModeAndDiscountSource)
{
    for (const CasoPreco& caso : kCasosPreco) {
        SCOPED_TRACE(caso.nome);
        exec("delete from ACEC11PD");
        if (*caso.linhas)
            exec(QString("insert into ACEC11PD ") + caso.linhas);
        parametro("ATTABELAPRECO", caso.tabela);
        parametro("ATDESCONTOPECA", caso.desconto);
        novaLinha("P1");
        EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), caso.unitario);
        EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPDESCONTO), caso.percentual);
        dmTec->quOSPecas->cancel();
    }
}

TEST_F(PrecoTest, ProductDataAndRatesAreCopiedIntoTheLine)
{
    exec("update ACEC1101 set QTDE_PRODUCAO = 2, PRDESCRICAOCOMERCIAL = 'Parafuso inox' where CODIGO = 'P1'");
    novaLinha("789100");   // the other code
    TdmTec& tec = *dmTec;
    EXPECT_EQ(texto(tec.quOSPecasPRCODIGO), "P1");
    EXPECT_EQ(texto(tec.quOSPecasDESCRICAO), "Parafuso");
    EXPECT_EQ(texto(tec.quOSPecasGRUPO), "G1");
    EXPECT_EQ(texto(tec.quOSPecasDESCRICAOGRUPO), "Fixação") << "the group's change rule";
    EXPECT_EQ(texto(tec.quOSPecasPRDESCRICAOCOMERCIAL), "Parafuso inox");
    EXPECT_EQ(texto(tec.quOSPecasUNIDADE_MEDIDA), "UN");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasDISPONIVEL), 3);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasRESERVADO), 2);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasPCO_CUSTO), 6);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPICMS), 18) << "the operation does not impose its own rate";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPIPI), 5);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALTOTAL), 10) << "1 x 10";
    tec.quOSPecas->cancel();

    exec("update AFVC0901 set ASSUME_ICMS_SN = 'n', VAL_ITEM_IPI = 'N' where COD_OP = '5102'");
    CarregaOrdemServico(7);
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPICMS), 12) << "the operation's rate";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPIPI), 0) << "left as it was";
    tec.quOSPecas->cancel();

    exec("update AFVC0901 set OFISENTOIE = 'C' where COD_OP = '5102'");
    exec("update AUGC0301 set CLIE = 'isento' where CODIGO_CLIENTE = '00001'");
    CarregaOrdemServico(7);
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPICMS), 18) << "an exempt final consumer pays the product's rate";
}

TEST_F(PrecoTest, UnknownCodeIsEmptiedWithAMessage)
{
    abrir();
    dmTec->quOSPecas->append();
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(dmTec->quOSPecasPRCODIGO->setText("zz9"), host::Abort);
    EXPECT_TRUE(dmTec->quOSPecasPRCODIGO->isNull());
    EXPECT_EQ(dmTec->quOSPecas->state(), DatasetState::Insert) << "the row stays as it was";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PrecoTest, PromotionFromItsFirstThroughItsLastDay)
{
    const QDate hoje = QDate::currentDate();
    struct Periodo {
        const char* nome;
        QDate inicio, fim;
        bool vale;
    } periodos[] = {
        {"primeiro dia", hoje, hoje.addDays(5), true},
        {"último dia", hoje.addDays(-5), hoje, true},
        {"dia seguinte ao fim", hoje.addDays(-5), hoje.addDays(-1), false},
        {"antes do início", hoje.addDays(1), hoje.addDays(5), false},
        {"sem datas", {}, {}, true},
    };
    auto data = [](const QDate& d) { return d.isValid() ? "'" + d.toString("yyyy-MM-dd") + "'" : QString("null"); };
    precoSemTabela();
    for (const Periodo& p : periodos) {
        SCOPED_TRACE(p.nome);
        exec("update ACEC1101 set PRPRECOPROMOCIONAL = 7.899, PRINICIOPROMOCAO = " + data(p.inicio) +
             ", PRDATAPROMOCAO = " + data(p.fim) + " where CODIGO = 'P1'");
        novaLinha("P1");
        EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), p.vale ? 7.89 : 10) << "cut to cents";
        EXPECT_EQ(texto(dmTec->quOSPecasAPPROMOCAO), p.vale ? "S" : "");
        dmTec->quOSPecas->cancel();
    }
}

TEST_F(PrecoTest, PromotionKeepsItsPriceAgainstTheCustomerPriceOnlyInModeE)
{
    exec("update ACEC1101 set PRPRECOPROMOCIONAL = 7 where CODIGO = 'P1'");
    exec("insert into ACEC11PD (CLCODIGO, PRCODIGO, PDDESCONTO, PDVALOR) values ('00001', 'P1', 0, 9)");
    parametro("ATTABELAPRECO", "E");
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), 7);
    dmTec->quOSPecas->cancel();
    parametro("ATTABELAPRECO", "S");
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), 9);
    EXPECT_EQ(texto(dmTec->quOSPecasAPPROMOCAO), "S") << "the flag stays although the price is the customer's";
}

TEST_F(PrecoTest, PriceInCurrencyAndPerLocation)
{
    exec("update ACEC1101 set MOMOEDA = 'USD', PCO_MOEDA = 3 where CODIGO = 'P1'");
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('USD', '2020-01-01', 5.5)");
    precoSemTabela();
    parametro("ATPRECOMOEDA", "S");
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), 16.5) << "3 x 5.5";
    dmTec->quOSPecas->cancel();

    parametro("ATPRECOMOEDA", "");
    parametro("ATPRECOPORLOCAL", "P");
    exec("insert into ACEC1401 (CODIGO, DESCRICAO, LEFILIAL) values ('001', 'Loja', '01')");
    exec("insert into ACEC1401 (CODIGO, DESCRICAO, LEFILIAL) values ('002', 'Depósito', '02')");
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POPRECOVENDA) values ('P1', '001', 12.5)");
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POPRECOVENDA) values ('P1', '002', 0)");
    parametro("ATLOCALPORFILIAL", "S");
    novaLinha("P1");
    EXPECT_EQ(texto(dmTec->quOSPecasLECODIGO), "001") << "the location of the order's branch";
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), 12.5);
    dmTec->quOSPecas->cancel();

    exec("update AATC01AO set AOLOCAL = '02' where AOCODIGO = 7");
    CarregaOrdemServico(7);
    novaLinha("P1");
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALUNITARIO), 10) << "a price of 0 leaves the earlier one";
}

TEST_F(PrecoTest, FiscalOperationOfTheLine)
{
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('5405', 'Subst') matching (COD_OP)");
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('6102', 'Fora') matching (COD_OP)");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, CLCODIGO, OUID, OUMOVIMENTO) values ('5405', 'P1', '00001', 'P',"
         " 'S')");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, OUUF, OUID, OUMOVIMENTO) values ('6102', 'P2', 'SP', 'P', 'S')");
    parametro("ATREGRAFISCAL", "P");
    struct {
        const char* produto;
        const char* operacao;
    } casos[] = {{"P1", "5405"}, {"P2", "6102"}};
    for (const auto& caso : casos) {
        novaLinha(caso.produto);
        EXPECT_EQ(texto(dmTec->quOSPecasOFCODIGO), caso.operacao) << caso.produto;
        dmTec->quOSPecas->cancel();
    }
    exec("delete from AFVC09OU where PRCODIGO = 'P2'");
    novaLinha("P2");
    EXPECT_EQ(texto(dmTec->quOSPecasOFCODIGO), "5102") << "no rule: the order's operation";
    dmTec->quOSPecas->cancel();

    exec("update AFVC0901 set OFREGRAFISCAL = 'N' where COD_OP = '5102'");
    novaLinha("P1");
    EXPECT_EQ(texto(dmTec->quOSPecasOFCODIGO), "5102") << "the order's operation takes no per-product rule";
    dmTec->quOSPecas->cancel();

    parametro("ATREGRAFISCAL", "R");
    novaLinha("P1");
    EXPECT_EQ(texto(dmTec->quOSPecasOFCODIGO), "5405") << "through the host's rule routine";
    dmTec->quOSPecas->cancel();
    parametro("ATREGRAFISCAL", "");
    novaLinha("P1");
    EXPECT_TRUE(dmTec->quOSPecasOFCODIGO->isNull()) << "left as it was";
}

}  // namespace
}  // namespace tectest
