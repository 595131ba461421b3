// The taxes of a parts line: the host's four steps in their order, the
// values cut to cents when stored but passed on as the host returned them,
// the log lines, and a failure that leaves the line unsaved.

#include "tests/tec/TotaisFixture.h"

#include "host/HostLog.h"
#include "tests/support/TestDatabase.h"

#include <stdexcept>

namespace tectest {
namespace {

class ImpostosTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        exec("update or insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO, CLIE) values ('00001', 'Loja', 'SP',"
             " '123') matching (CODIGO_CLIENTE)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, AIQ_IPI, PERCENTUAL_ICMS) values ('P1', 'Peça', 10, 18)");
        exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, BASE_CALC_IPI) values ('5102', 'Venda',"
             " 0, 'S') matching (COD_OP)");
        exec("update AATC01AO set OFCODIGO = '5102' where AOCODIGO = 7");
    }
    // The parts line 1 of order 7 with the given total, loaded and in edit.
    void linha(double total)
    {
        peca(7, 1, total);
        CarregaOrdemServico(7);
        dmTec->CarregaOSPecas(7, 0);
        dmTec->quOSPecas->edit();
        host::clearTaxCalls();
        host::clearLogTrace();
    }
    double valor(host::data::Field* campo) const { return campo->asFloat(); }
    static QStringList rotinas()
    {
        QStringList nomes;
        for (const QString& chamada : host::taxCalls())
            nomes << chamada.section(' ', 0, 0);
        return nomes;
    }
    static const QString kOrigem;
};

const QString ImpostosTest::kOrigem = "[TdmTec.OSCalculaImpostoCorrente]";

TEST_F(ImpostosTest, FourStepsInOrderWithTheUncutIPIPassedOn)
{
    linha(123.49);   // IPI 10% = 12.349
    dmTec->OSCalculaImpostoCorrente();

    EXPECT_EQ(rotinas(), (QStringList{"NFCarregaPercentualIPIeICMS", "NFCarregaBaseValorIPI", "NFCarregaBaseValorICMS",
                                      "NFCarregaOutrosImpostosItem"}));
    EXPECT_EQ(host::taxCalls().value(1), "NFCarregaBaseValorIPI aliquota=10 total=123.49");
    EXPECT_EQ(host::taxCalls().value(2), "NFCarregaBaseValorICMS total=123.49 ipi=12.349") << "not cut";
    EXPECT_EQ(host::taxCalls().value(3), "NFCarregaOutrosImpostosItem total=123.49 ipi=12.349 icms=24.45")
        << "the IPI as returned, the ICMS as stored";

    TdmTec& tec = *dmTec;
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPIPI), 10);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPICMS), 18);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALORIPI), 12.34) << "12.349 stored cut";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPBASEIPI), 123.49);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPBASEICMS), 135.83) << "123.49 + 12.349 (BASE_CALC_IPI), cut";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALORICMS), 24.45) << "135.839 x 18% = 24.451..., cut";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALORSUBST), 0);

    const QStringList log = host::logTraceTexts();
    EXPECT_EQ(log.first(), kOrigem + "|***INICIO");
    EXPECT_EQ(log.last(), kOrigem + "|***FIM");
    tec.quOSPecas->post();
    EXPECT_DOUBLE_EQ(one("select APVALORIPI from AATC01AP where AOCODIGO = 7").toDouble(), 12.34);
}

// Saving a parts line in totals mode "I" runs this for the line: a fixed few
// reads (product rates, the operation's substitution, the product's federal
// rates, the operation's retentions), the order's joined data reused.
TEST_F(ImpostosTest, TaxesOfALineCostAFixedNumberOfStatements)
{
    linha(123.49);
    testsupport::StatementCounter contador;
    dmTec->OSCalculaImpostoCorrente();
    EXPECT_EQ(contador.count(), 4);
    EXPECT_LE(contador.prepares(), 4);
}

TEST_F(ImpostosTest, FederalTaxesAreStoredAsReturned)
{
    exec("update ACEC1101 set PRALIQUOTAPIS = 1.65, PRALIQUOTACOFINS = 7.6 where CODIGO = 'P1'");
    linha(100);
    dmTec->OSCalculaImpostoCorrente();
    // PIS and COFINS on 100 less the stored ICMS 19.80 (base 110 with the IPI).
    EXPECT_NEAR(valor(dmTec->quOSPecasAPPIS), 80.2 * 0.0165, 1e-9);
    EXPECT_NEAR(valor(dmTec->quOSPecasAPCOFINS), 80.2 * 0.076, 1e-9);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPPISSUB), 0);
}

TEST_F(ImpostosTest, AZeroLineStillRunsEveryStep)
{
    linha(0);
    dmTec->OSCalculaImpostoCorrente();
    EXPECT_EQ(rotinas().size(), 4);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPVALORIPI), 0);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPBASEICMS), 0);
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPIPI), 10) << "the rates are still set";
}

TEST_F(ImpostosTest, AFailureEndsTheRoutineWithoutTheEndLineAndKeepsWhatWasWritten)
{
    linha(123.49);
    dmTec->quOSPecasAPVALORIPI->onChange = [](host::data::Field&) { throw std::runtime_error("falha"); };
    EXPECT_THROW(dmTec->OSCalculaImpostoCorrente(), std::runtime_error);
    EXPECT_EQ(host::logTraceTexts(), QStringList{kOrigem + "|***INICIO"});
    EXPECT_DOUBLE_EQ(valor(dmTec->quOSPecasAPIPI), 10) << "the rates written before stay in the row";
    EXPECT_EQ(rotinas().size(), 2) << "the ICMS and other-tax steps did not run";
}

}  // namespace
}  // namespace tectest
