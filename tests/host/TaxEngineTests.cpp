// The host's tax engine: services and immune products, the operation's rate
// and base share, the final consumer, substitution, and the federal taxes
// with their retained counterparts.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "tests/support/HostDatabase.h"

class TaxEngineTest : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO, CLIE) values ('00001', 'Loja', 'SP', '123456')");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO, CLIE) values ('00002', 'Ana', 'SP', 'ISENTO')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, AIQ_IPI, PERCENTUAL_ICMS, PRIMUNE, COM_FAB_S_FS,"
             " PRALIQUOTAPIS, PRALIQUOTACOFINS) values ('P1', 'Peça', 10, 18, 'N', '1', 1, 3)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, AIQ_IPI, PERCENTUAL_ICMS, PRIMUNE) values ('LIV', 'Livro',"
             " 10, 18, 'S')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, AIQ_IPI, PERCENTUAL_ICMS, COM_FAB_S_FS) values ('SRV',"
             " 'Mão de obra', 10, 18, '7')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, PERC_CALC) values ('5102', 'Venda', 0, 0)");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, ASSUME_ICMS_SN) values ('5949', 'Isenta', 0, 'S')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, PERC_CALC) values ('5101', 'Parcial', 12, 60)");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, OFSUBSTITUICAO, OFMVA, OFICMSINTERNO, OFCALCPIS)"
             " values ('5403', 'Venda ST', 12, 'S', 40, 18, 'R')");
    }
    ImpostoItemEntrada linha(const QString& produto, const QString& operacao, const QString& cliente = "00001")
    {
        ImpostoItemEntrada entrada;
        entrada.produto = produto;
        entrada.operacaoDocumento = operacao;
        entrada.cliente = cliente;
        return entrada;
    }
};

TEST_F(TaxEngineTest, ServicesPayNoIPIOrICMSAndImmuneProductsNoIPI)
{
    const PercentuaisImposto servico = dmGlobal->NFCarregaPercentualIPIeICMS(linha("SRV", "5102"));
    EXPECT_DOUBLE_EQ(servico.ipi, 0);
    EXPECT_DOUBLE_EQ(servico.icms, 0);
    const PercentuaisImposto livro = dmGlobal->NFCarregaPercentualIPIeICMS(linha("LIV", "5102"));
    EXPECT_DOUBLE_EQ(livro.ipi, 0);
    EXPECT_DOUBLE_EQ(livro.icms, 18);
}

TEST_F(TaxEngineTest, TheOperationChoosesTheRateAndTheShareOfTheBase)
{
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaPercentualIPIeICMS(linha("P1", "5949")).icms, 0)
        << "an operation that assumes its rate of 0 is exempt";
    ImpostoItemEntrada parcial = linha("P1", "5101");
    const PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(parcial);
    EXPECT_DOUBLE_EQ(taxas.icms, 12);
    const ValoresICMS icms = dmGlobal->NFCarregaBaseValorICMS(parcial, taxas, 200, 20);
    EXPECT_DOUBLE_EQ(icms.base, 120) << "60% of the value; a contributor's IPI stays out";
    EXPECT_NEAR(icms.valor, 14.4, 1e-9);
    EXPECT_DOUBLE_EQ(icms.valorSubstituicao, 0);
}

TEST_F(TaxEngineTest, AFinalConsumersIPIEntersTheICMSBase)
{
    const ImpostoItemEntrada entrada = linha("P1", "5102", "00002");
    const PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 100, 10).base, 110);
}

TEST_F(TaxEngineTest, DataGivenByTheDocumentAreUsedAsGiven)
{
    ImpostoItemEntrada entrada = linha("P1", "5102");
    entrada.dadosInformados = true;
    entrada.icmsOperacao = 7;
    entrada.reducaoICMS = 20;
    entrada.inscricaoCliente = "123";
    const PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    EXPECT_DOUBLE_EQ(taxas.icms, 7);
    EXPECT_DOUBLE_EQ(taxas.terceiro, 20);
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 100, 0).base, 80);
}

TEST_F(TaxEngineTest, SubstitutionByTheOperationsMargin)
{
    const ImpostoItemEntrada entrada = linha("P1", "5403");
    const PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    EXPECT_DOUBLE_EQ(taxas.substituicao, 40);
    EXPECT_DOUBLE_EQ(taxas.icmsSubstituicao, 18);
    const ValoresICMS icms = dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 100, 10);
    EXPECT_DOUBLE_EQ(icms.valor, 12);
    EXPECT_NEAR(icms.baseSubstituicao, 154, 1e-9) << "(100 + IPI 10) x 1.40";
    EXPECT_NEAR(icms.valorSubstituicao, 154 * 0.18 - 12, 1e-9) << "less this sale's ICMS";
}

TEST_F(TaxEngineTest, FederalTaxesFromTheProductAndRetainedByTheOperation)
{
    dmGlobal->SetParametro("ATALIQUOTACSLL", "1");
    OutrosImpostos impostos = dmGlobal->NFCarregaOutrosImpostosItem(linha("P1", "5102"), 1000, 100, 180);
    EXPECT_NEAR(impostos.pis, 8.2, 1e-9) << "the product's 1% of 1000 less the ICMS";
    EXPECT_NEAR(impostos.cofins, 24.6, 1e-9);
    EXPECT_NEAR(impostos.csll, 10, 1e-9) << "no product rate: the parameter's";
    EXPECT_DOUBLE_EQ(impostos.pisSub, 0);
    impostos = dmGlobal->NFCarregaOutrosImpostosItem(linha("P1", "5403"), 1000, 0, 0);
    EXPECT_DOUBLE_EQ(impostos.pis, 0);
    EXPECT_NEAR(impostos.pisSub, 10, 1e-9) << "retained";
    EXPECT_NEAR(impostos.cofins, 30, 1e-9);
}
