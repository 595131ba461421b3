// The order's totals: which lines count in each ATFORMULATOTALOS mode, the
// grand-total formula, the full and the partial re-total, discounts, and what
// a re-total costs in statements.

#include "tests/tec/TotaisFixture.h"

#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <stdexcept>

namespace tectest {
namespace {

struct Modo {
    const char* valor;
    double pecas, servicos, diversas, total;
};

class TotaisPorModo : public TotaisTest, public ::testing::WithParamInterface<Modo> {};

// ordemCompleta plus a warranty parts line (1000, IPI 7) and a service line the
// customer did not authorise (500): only mode "T" counts them.
TEST_P(TotaisPorModo, CountsTheLinesAndAppliesTheFormulaOfTheMode)
{
    const Modo m = GetParam();
    modo(m.valor);
    ordemCompleta();
    peca(7, 2, 1000, "S", "1", 7, 1000);
    servico(7, 2, 500, "N", "3", 500);

    OrdemServicoAtualizaTotalizador(7);

    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOS->state(), host::data::DatasetState::Edit) << "left in edit, not posted";
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORPECAS), m.pecas);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORSERVICO), m.servicos);
    EXPECT_DOUBLE_EQ(total(tec.quOSAODESPDIVERSAS), m.diversas) << "extra expenses are summed in every mode";
    EXPECT_DOUBLE_EQ(total(tec.quOSAODESPVIAGEM), 20);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORPROJETO), 30);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORTOTAL), m.total);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORPECASREQUERIDO), m.pecas == 100 ? 110 : 1110);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORSERVICOSREQUERIDO), m.servicos == 50 ? 55 : 555);
    EXPECT_DOUBLE_EQ(total(tec.quOSAOVALORIPI), m.pecas == 100 ? 10 : 17);
}

// Counted: T every line; other modes authorised lines of type 3.
// Formula: "P" parts + services; "0" without extra expenses; others in full:
// travel + extra + parts + services - discounts (6) + project + IPI.
INSTANTIATE_TEST_SUITE_P(Modos, TotaisPorModo,
                         ::testing::Values(Modo{"T", 1100, 550, 5, 20 + 5 + 1100 + 550 - 6 + 30 + 17},
                                           Modo{"", 100, 50, 5, 20 + 5 + 100 + 50 - 6 + 30 + 10},
                                           Modo{"I", 100, 50, 5, 20 + 5 + 100 + 50 - 6 + 30 + 10},
                                           Modo{"X", 100, 50, 5, 20 + 5 + 100 + 50 - 6 + 30 + 10},
                                           Modo{"0", 100, 50, 5, 20 + 100 + 50 - 6 + 30 + 10},
                                           Modo{"P", 100, 50, 5, 150}),
                         [](const auto& info) {
                             return std::string(*info.param.valor ? info.param.valor : "vazio");
                         });

TEST_F(TotaisTest, AnOrderWithoutLinesGetsZeroInEveryColumn)
{
    modo("");
    exec("update AATC01AO set AOVALORPECAS = 9, AODESPVIAGEM = 9, AOVALORPROJETO = 9, AOVALORTOTAL = 9");
    OrdemServicoAtualizaTotalizador(7);
    for (host::data::Field* campo : {dmTec->quOSAOVALORPECAS, dmTec->quOSAODESPVIAGEM, dmTec->quOSAOVALORPROJETO,
                                     dmTec->quOSAOVALORTOTAL})
        EXPECT_DOUBLE_EQ(campo->asFloat(), 0) << campo->fieldName().toStdString();
}

TEST_F(TotaisTest, ADiscountTypedKeepsTheProjectValueInTheTotal)
{
    modo("");
    ordemCompleta();
    OrdemServicoAtualizaTotalizador(7);
    const double antes = total(dmTec->quOSAOVALORTOTAL);   // 20 + 5 + 150 - 6 + 30 + 10
    ASSERT_DOUBLE_EQ(antes, 209);
    dmTec->quOSAODESCONTO->setText("11");                  // typed: 1 -> 11
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORTOTAL), antes - 10);
    dmTec->quOSAODESCONTOPECA->setAsFloat(0);              // 2 -> 0
    dmTec->quOSAODESCONTOSERVICO->setAsFloat(0);           // 3 -> 0
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORTOTAL), antes - 10 + 5);

    modo("P");
    dmTec->quOSAODESCONTO->setAsFloat(50);
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORTOTAL), 150) << "mode P: parts and services only";
}

TEST_F(TotaisTest, FullReTotalOfAnotherOrderLoadsItFirst)
{
    ordem(8);
    peca(8, 1, 40);
    CarregaOrdemServico(7);
    OrdemServicoAtualizaTotalizador(8);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 8);
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORPECAS), 40);
}

TEST_F(TotaisTest, AnOrderThatDoesNotExistGetsNoHeaderRow)
{
    OrdemServicoAtualizaTotalizador(99);
    AtualizarOSCorrentePecas(99, "AATC01AP", false);
    EXPECT_TRUE(dmTec->quOS->isEmpty());
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 1);
}

TEST_F(TotaisTest, PartialReTotalPostsOneKindOfLineAndLeavesTheIPI)
{
    modo("");
    ordemCompleta();
    CarregaOrdemServico(7);
    AtualizarOSCorrentePecas(7, "aatc01ap", false);   // any letter case
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse) << "posted";
    EXPECT_DOUBLE_EQ(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(), 100);
    EXPECT_DOUBLE_EQ(one("select AOVALORPECASREQUERIDO from AATC01AO where AOCODIGO = 7").toDouble(), 110);
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORSERVICO), 0) << "services not summed";
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORIPI), 0) << "the IPI is refreshed by the full re-total only";
    // Stored columns: travel, extra and project are still 0 in the header.
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORTOTAL), 100 - 6);

    AtualizarOSCorrentePecas(7, "AATC01AA", true);
    EXPECT_FALSE(dmTec->quOS->active()) << "bFechar closes quOS";
    EXPECT_DOUBLE_EQ(one("select AOVALORSERVICO from AATC01AO where AOCODIGO = 7").toDouble(), 50);
    EXPECT_DOUBLE_EQ(one("select AOVALORTOTAL from AATC01AO where AOCODIGO = 7").toDouble(), 150 - 6);
}

TEST_F(TotaisTest, PartialReTotalOfAnUnknownTableChangesNoTotalButStillLoadsAndCloses)
{
    ordemCompleta();
    dmTec->quOS->close();
    AtualizarOSCorrentePecas(7, "AATC01AX", false);
    ASSERT_TRUE(dmTec->quOS->active()) << "the order was loaded";
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 7);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORPECAS), 0);
    AtualizarOSCorrentePecas(7, "", true);
    EXPECT_FALSE(dmTec->quOS->active());
}

TEST_F(TotaisTest, PartialReTotalFailuresReachTheCallerWithTheHandlersBack)
{
    ordemCompleta();
    CarregaOrdemServico(7);
    bool guardaChamada = false;
    // The header's after-cancel puts the real guard back; this test watches its own.
    dmTec->quOS->afterCancel = nullptr;
    dmTec->quOS->beforeEdit = [&](host::data::Dataset&) { guardaChamada = true; };
    dmTec->quOSAOVALORPECAS->onChange = [](host::data::Field&) { throw std::runtime_error("falha"); };
    dmTec->quOSAOVALORSERVICO->onChange = [](host::data::Field&) { throw std::runtime_error("falha"); };
    for (const char* tabela : {"AATC01AP", "AATC01AA"}) {
        EXPECT_THROW(AtualizarOSCorrentePecas(7, tabela, true), std::runtime_error) << tabela;
        EXPECT_TRUE(dmTec->quOS->active()) << "not closed after a failure";
        EXPECT_TRUE(bool(dmTec->quOS->beforePost)) << "before-post attached again";
        ASSERT_TRUE(bool(dmTec->quOS->beforeEdit)) << "the guard attached again";
        dmTec->quOS->cancel();
    }
    EXPECT_FALSE(guardaChamada) << "the partial re-total edits without the guard";
    dmTec->quOS->edit();
    EXPECT_TRUE(guardaChamada);
}

TEST_F(TotaisTest, FullReTotalPassesTheEditGuardAndReattachesBeforePostOnFailure)
{
    CarregaOrdemServico(7);
    dmTec->quOS->beforeEdit = [](host::data::Dataset&) { throw std::runtime_error("recusado"); };
    EXPECT_THROW(OrdemServicoAtualizaTotalizador(7), std::runtime_error);
    EXPECT_TRUE(bool(dmTec->quOS->beforePost));
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
}

// Sums in SQL: the same statements for 2 lines as for 100.
TEST_F(TotaisTest, ReTotallingCostsAFixedNumberOfStatements)
{
    modo("");
    int preparos = 0;
    auto custo = [&](int ordem) {
        CarregaOrdemServico(ordem);
        dmTec->quOS->cancel();
        testsupport::StatementCounter contador;
        OrdemServicoAtualizaTotalizador(ordem);
        dmTec->quOS->cancel();
        AtualizarOSCorrentePecas(ordem, "AATC01AP", false);
        AtualizarOSCorrentePecas(ordem, "AATC01AA", false);
        preparos = contador.prepares();
        return contador.count();
    };
    peca(7, 1, 10);
    servico(7, 1, 10);
    const int pequena = custo(7);
    const int preparosPequena = preparos;
    ordem(8);
    for (int i = 1; i <= 50; ++i) {
        peca(8, i, 10);
        servico(8, i, 10);
    }
    const int grande = custo(8);
    std::printf("[ cost ] full re-total + two partial re-totals: %d statements (2 lines), %d (100 lines)\n",
                pequena, grande);
    EXPECT_EQ(grande, pequena);
    // Nothing prepared per line; the first run prepares what later runs keep.
    EXPECT_LE(preparos, preparosPequena);
    EXPECT_LE(preparosPequena, pequena);
    // Full: the sums of every kind of line in one statement; each partial:
    // its sum and the header's update, then the header's after-post (audit
    // record and the row read again).
    EXPECT_EQ(grande, 1 + 2 * (2 + 2));
    EXPECT_DOUBLE_EQ(total(dmTec->quOSAOVALORPECAS), 500);
}

}  // namespace
}  // namespace tectest
