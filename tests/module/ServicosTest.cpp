// The small services: queries by name, the current order item, the self-test.

#include "tests/module/ModuleFixture.h"

#include "host/HostLog.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"

#include "data/uDataTec.h"
#include "host/Utesteautomatizado.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"
#include "module/uPackageAssDados.h"

namespace moduletest {
namespace {

using host::data::Query;
using uPackageAss::RetornaTecOSItemCorrente;
using uPackageAss::RetornaTecQuery;
namespace dados = uPackageAss::dados;

using RetornaTecQueryTest = ModuleTest;

TEST_F(RetornaTecQueryTest, FindsServiceQueriesInAnyLetterCase)
{
    for (const char* nome : {"quOS", "QUOS", "quos"}) {
        Query* query = nullptr;
        RetornaTecQuery(nome, query);
        EXPECT_EQ(query, dmTec->quOS) << nome;
    }
    Query* solicita = nullptr;
    RetornaTecQuery("quSolicita", solicita);
    EXPECT_EQ(solicita, dmTec->quSolicita);
    // No query is opened or closed.
    EXPECT_FALSE(dmTec->quOS->active());
}

TEST_F(RetornaTecQueryTest, AnUnknownNameLeavesTheOutputAsGiven)
{
    uPackageAss::CriarDataTec();
    Query* query = dmTec->quOSItem;
    RetornaTecQuery("quNaoExiste", query);
    EXPECT_EQ(query, dmTec->quOSItem);
    Query* vazia = nullptr;
    RetornaTecQuery("usOS", vazia);   // an update object, not a query
    EXPECT_EQ(vazia, nullptr);
}

TEST_F(RetornaTecQueryTest, WithoutTheContractModuleContractNamesGiveNothing)
{
    Query* objeto = nullptr;
    RetornaTecQuery("quCtrObjeto", objeto);
    EXPECT_EQ(objeto, nullptr);
    EXPECT_FALSE(dados::existeContrato());
}

TEST_F(RetornaTecQueryTest, ContractQueriesThroughTheContractModule)
{
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
    Query* exato = nullptr;
    RetornaTecQuery("quCtrObjeto", exato);
    EXPECT_EQ(exato, dados::consultaContrato("quCtrObjeto"));
    Query* maiusculas = nullptr;
    RetornaTecQuery("QUCTROBJETO", maiusculas);
    EXPECT_EQ(maiusculas, dados::consultaContrato("quCtrObjeto"));
    // A reference that is not empty skips the contract search.
    Query* preenchida = dmTec->quOS;
    RetornaTecQuery("QUCTROBJETO", preenchida);
    EXPECT_EQ(preenchida, dmTec->quOS);
    // ... but not the exact-case override.
    RetornaTecQuery("quCtrCadastro", preenchida);
    EXPECT_EQ(preenchida, dados::consultaContrato("quCtrCadastro"));
}

using RetornaTecOSItemCorrenteTest = ModuleTest;

TEST_F(RetornaTecOSItemCorrenteTest, MinusOneUnlessTheCurrentItemHasACode)
{
    EXPECT_EQ(RetornaTecOSItemCorrente(), -1);   // closed
    Query& itens = *dmTec->quOSItem;
    itens.paramByName("AOCODIGO")->setAsInteger(-999);
    itens.open();
    ASSERT_TRUE(itens.isEmpty());
    EXPECT_EQ(RetornaTecOSItemCorrente(), -1);   // empty
}

using AutoTesteTest = ModuleTest;

TEST_F(AutoTesteTest, EverySeventyTwoClassesPassInOrder)
{
    uPackageAss::ShowJanelaTec("AutomatizacaoDeTeste");
    TFmTesteAutomatizado* teste = FmTesteAutomatizado.get();
    ASSERT_NE(teste, nullptr);
    const auto& resultados = teste->Resultados();
    ASSERT_EQ(resultados.size(), 72);
    EXPECT_EQ(resultados[0].classe, "TdmTec");
    EXPECT_EQ(resultados[1].classe, "TdmTecContrato");
    EXPECT_EQ(resultados[2].classe, "TDmRelTec");
    EXPECT_EQ(resultados[3].classe, "TfmAssAndamento");
    EXPECT_EQ(resultados[71].classe, "TfmSolicitacaoEntregas");
    for (const auto& r : resultados) {
        EXPECT_TRUE(r.sucesso) << r.classe.toStdString() << ": " << r.mensagem.toStdString();
    }
    // What the test created it also freed; what the application holds stays.
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_EQ(host::ui::WindowRegistry::find("fmAssOrdemServico"), nullptr);
    EXPECT_EQ(dialogs->texts(), QStringList{});
}

TEST_F(AutoTesteTest, AWindowInUseIsLeftAlone)
{
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    host::ui::Form* emUso = host::ui::WindowRegistry::find("fmAssTecnico");
    ASSERT_NE(emUso, nullptr);
    uPackageAss::ShowJanelaTec("AutomatizacaoDeTeste");
    EXPECT_EQ(host::ui::WindowRegistry::find("fmAssTecnico"), emUso);
    EXPECT_TRUE(emUso->isVisible());
}

}  // namespace
}  // namespace moduletest
