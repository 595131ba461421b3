// The edit guard as a table: mode x dataset x event x tag x master user, with
// the password prompts counted; the situation passwords; the release of the
// technical report; the guard through the header's own events.

#include "tests/tec/OSRegrasFixture.h"

#include "host/data/Abort.h"

namespace tectest {
namespace {

struct CasoGuarda {
    const char* nome;
    const char* modo;          // ATRESTRICAOOS
    const char* dataset;       // quOS, quOSItem, quOSPecas
    const char* evento;
    int tag;
    bool mestre;               // logged in as the master user, else as technician JOAO
    const char* alteraOS;      // JOAO's ATALTERAROS
    const char* tipoSituacao;  // ASTIPO of the order's situation
    const char* senhaSituacao; // ASSENHA of the order's situation
    bool pecaFaturada;         // the order's parts line carries a sales order
    const char* recusa;        // the message that refuses, "" when allowed
    int senhasFinalizada;      // finished-order prompts (answered right)
    int senhasSituacao;        // situation prompts (answered right)
};

const char* const kSemPermissao = "Você não tem permissão para executar esta tarefa ";
const char* const kOrdemFaturada = "Não é possível alterar Ordem de Serviço pois existem itens faturados!";
const char* const kItemFaturado = "Não é possível alterar item faturado!";

const CasoGuarda kCasosGuarda[] = {
    {"ModoVazioDeixaTudo", "", "quOS", "BEFOREDELETE", 0, false, "N", "F", "s1", true, "", 0, 0},
    {"SemPermissaoRecusa", "S", "quOSPecas", "BEFOREINSERT", 0, false, "N", "N", "", false, kSemPermissao, 0, 0},
    {"MestrePassaPermissaoESenha", "S", "quOS", "BEFOREEDIT", 0, true, "N", "F", "", false, "", 0, 0},
    {"FinalizadaMinusculaPedeSenha", "S", "quOS", "BEFOREEDIT", 0, false, "S", "f", "", false, "", 1, 0},
    {"FinalizadaModoIPeloItem", "I", "quOSItem", "BEFOREPOST", 0, false, "S", "D", "", false, "", 1, 0},
    {"MortaNaoPedeSenha", "S", "quOS", "BEFOREEDIT", 0, false, "S", "M", "", false, "", 0, 0},
    {"ModoSIgnoraFaturamento", "S", "quOSPecas", "BEFOREEDIT", 0, false, "S", "N", "", true, "", 0, 0},
    {"BFinalComLinhaFaturada", "B", "quOSPecas", "BEFOREEDIT", 0, false, "S", "F", "", true, kOrdemFaturada, 0, 0},
    {"BInserirLinhaNaoRecusado", "B", "quOSPecas", "BEFOREINSERT", 0, false, "S", "F", "", true, "", 0, 0},
    {"BTag8NaoAplicaRegras", "B", "quOSPecas", "BEFOREEDIT", 8, false, "S", "F", "s1", true, "", 0, 0},
    {"BTag8AindaPedePermissao", "B", "quOSPecas", "BEFOREEDIT", 8, false, "N", "F", "", true, kSemPermissao, 0, 0},
    {"BMestreNaoEscapa", "B", "quOSPecas", "BEFOREEDIT", 0, true, "N", "F", "", true, kOrdemFaturada, 0, 0},
    {"BLinhaFaturadaRecusada", "B", "quOSPecas", "BEFOREDELETE", 0, false, "S", "N", "", true, kItemFaturado, 0, 0},
    {"BSenhaDaSituacaoAoEditarOrdem", "B", "quOS", "BEFOREEDIT", 0, false, "S", "N", "s1", false, "", 0, 1},
    {"BSenhaDaSituacaoAoExcluirItem", "B", "quOSItem", "BEFOREDELETE", 0, true, "S", "N", "s1", false, "", 0, 1},
    {"BSemSenhaNuncaPergunta", "B", "quOS", "BEFOREEDIT", 0, false, "S", "N", "", false, "", 0, 0},
    {"AInserirComLinhaFaturada", "A", "quOSPecas", "BEFOREINSERT", 0, false, "S", "N", "", true, kItemFaturado, 0, 0},
    {"ALinhaNaoFaturada", "A", "quOSPecas", "BEFOREEDIT", 0, false, "S", "F", "s1", false, "", 0, 0},
    {"ATag8NaoEscapa", "A", "quOSPecas", "BEFOREPOST", 8, true, "S", "N", "", true, kItemFaturado, 0, 0},
};

class GuardaTest : public OSRegrasTest, public ::testing::WithParamInterface<CasoGuarda> {};

TEST_P(GuardaTest, DecidesByModeDatasetEventTagAndUser)
{
    const CasoGuarda& caso = GetParam();
    situacaoCom(1, caso.tipoSituacao, caso.senhaSituacao);
    tecnicoCom(1, "JOAO", caso.alteraOS);
    ordem(7, "00001", "A", 1);
    item(1, 7);
    peca(7, 1, 1, caso.pecaFaturada ? "000123" : "");
    servico(7, 1, 1);
    if (!caso.mestre)
        entrarComo("JOAO");
    parametro("ATRESTRICAOOS", caso.modo);
    parametro("ATSENHAOS", "os");
    CarregaOrdemServico(7);
    dmTec->CarregaOSItens(7, 0);
    dmTec->CarregaOSPecas(7, 0);
    host::data::Dataset* dataset = dynamic_cast<host::data::Dataset*>(dmTec->findComponent(caso.dataset));
    ASSERT_NE(dataset, nullptr);
    dataset->setTag(caso.tag);
    for (int i = 0; i < caso.senhasFinalizada; ++i)
        dialogos->enter("os", "Senha para alteração de Ordem de Serviço finalizada");
    for (int i = 0; i < caso.senhasSituacao; ++i)
        dialogos->enter("s1", "Senha para alteração de situação (1) de Ordem de Serviço");
    if (*caso.recusa)
        dialogos->acknowledge(caso.recusa);

    bool recusado = false;
    try {
        dmTec->RestricaoInserindoOS(*dataset, caso.evento);
    } catch (const host::Abort&) {
        recusado = true;
    }
    EXPECT_EQ(recusado, *caso.recusa != 0);
    EXPECT_EQ(senhasPedidas(), caso.senhasFinalizada + caso.senhasSituacao);
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(dataset->state(), host::data::DatasetState::Browse) << "the guard changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Casos, GuardaTest, ::testing::ValuesIn(kCasosGuarda),
                         [](const ::testing::TestParamInfo<CasoGuarda>& info) { return std::string(info.param.nome); });

TEST_F(OSRegrasTest, AWrongPasswordEndsTheGuardSilentlyAndEachEventAsksAgain)
{
    situacaoCom(1, "F");
    tecnicoCom(1, "JOAO", "S");
    ordem(7, "00001", "A", 1);
    item(1, 7);
    peca(7, 1, 1);
    entrarComo("JOAO");
    parametro("ATRESTRICAOOS", "S");
    parametro("ATSENHAOS", "os");
    CarregaOrdemServico(7);
    dmTec->CarregaOSPecas(7, 0);

    // Editing a parts line and then saving it: asked before the edit and before the post.
    dialogos->enter("os").enter("os");
    dmTec->RestricaoInserindoOS(*dmTec->quOSPecas, "BEFOREEDIT");
    dmTec->RestricaoInserindoOS(*dmTec->quOSPecas, "BEFOREPOST");
    EXPECT_EQ(senhasPedidas(), 2);

    // The header's own edit: a wrong password leaves it browsing, with no message of the guard's.
    dialogos->enter("errada").acknowledge("Senha inválida!");
    EXPECT_THROW(dmTec->quOS->edit(), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    dialogos->enter("os");
    dmTec->quOS->edit();
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Edit);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSRegrasTest, ModeAAlsoRefusesEditingAnInvoicedHeader)
{
    situacaoCom(1, "N");
    ordem(7, "00001", "A", 1);
    exec("update AATC01AO set VECODIGO = '000555' where AOCODIGO = 7");
    parametro("ATRESTRICAOOS", "A");
    CarregaOrdemServico(7);
    dialogos->acknowledge(kItemFaturado);
    EXPECT_THROW(dmTec->quOS->edit(), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
}

TEST_F(OSRegrasTest, ModeBRefusesAnItemWhoseLinesAreAllInvoicedAndAChangedItemSituationAsksItsPassword)
{
    situacaoCom(1, "N");
    situacaoCom(2, "N", "s2");
    ordem(7, "00001", "A", 1);
    item(1, 7);
    item(2, 7);
    peca(7, 1, 1, "000123");
    servico(7, 1, 1, "000123");
    parametro("ATRESTRICAOOS", "B");
    CarregaOrdemServico(7);
    dmTec->CarregaOSItens(7, 0);
    ASSERT_TRUE(dmTec->quOSItem->locate("AOITCODIGO", 1));
    dialogos->acknowledge("Não é possível alterar Item pois suas peças/serviços foram faturados!");
    EXPECT_THROW(dmTec->RestricaoInserindoOS(*dmTec->quOSItem, "BEFOREPOST"), host::Abort);

    // Item 2 has no line: the item's new situation (2, stored: none) asks its password.
    ASSERT_TRUE(dmTec->quOSItem->locate("AOITCODIGO", 2));
    dmTec->quOSItem->beforeEdit = nullptr;
    dmTec->quOSItem->edit();
    dmTec->quOSItemASCODIGO->setAsInteger(2);
    dialogos->enter("s2", "Senha para alteração de situação (2) de Ordem de Serviço");
    dmTec->RestricaoInserindoOS(*dmTec->quOSItem, "BEFOREPOST");
    EXPECT_EQ(senhasPedidas(), 1);
}

TEST_F(OSRegrasTest, RetornaSituacaoFinalReadsTheStoredTypeInAnyCase)
{
    situacaoCom(1, "s");
    situacaoCom(2, "N");
    ordem(7, "00001", "A", 1);
    ordem(8, "00001", "A", 2);
    ordem(9, "00001", "A", 0);
    EXPECT_TRUE(RetornaSituacaoFinal(7));
    EXPECT_FALSE(RetornaSituacaoFinal(8));
    EXPECT_FALSE(RetornaSituacaoFinal(9)) << "an order without a situation is not finished";
    EXPECT_FALSE(RetornaSituacaoFinal(404));
}

TEST_F(OSRegrasTest, TheReportIsReleasedToATechnicianWhoMayWriteItUntilTheHeaderIsSavedOrCancelled)
{
    tecnicoCom(1, "JOAO", "N", "S");
    ordem(7);
    ordem(8);
    exec("update AATC01AO set AOCAUSA = 'Queda' where AOCODIGO = 8");
    entrarComo("JOAO");
    parametro("ATRESTRICAOOS", "S");

    CarregaOrdemServico(8);
    dmTec->LiberaAlteracaoLaudo();
    dialogos->acknowledge(kSemPermissao);
    EXPECT_THROW(dmTec->quOS->edit(), host::Abort) << "a report already written stays guarded";

    CarregaOrdemServico(7);
    dmTec->LiberaAlteracaoLaudo();
    dmTec->quOS->edit();
    dmTec->quOSAOSOLUCAO->setAsString("Troca da placa");
    dmTec->quOS->cancel();
    dialogos->acknowledge(kSemPermissao);
    EXPECT_THROW(dmTec->quOS->edit(), host::Abort) << "the cancel put the guard back";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSRegrasTest, VerificaTecnicoCadastradoFindsTheNameInAnyCase)
{
    tecnicoCom(12, "Maria Souza", "S");
    int codigo = -1;
    EXPECT_TRUE(dmTec->VerificaTecnicoCadastrado(codigo, "MARIA SOUZA"));
    EXPECT_EQ(codigo, 12);
    EXPECT_FALSE(dmTec->VerificaTecnicoCadastrado(codigo, "O'Brien"));
    EXPECT_EQ(codigo, 0);
}

}  // namespace
}  // namespace tectest
