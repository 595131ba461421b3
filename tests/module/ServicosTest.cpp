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
#include "service_orders/uAssTecnico.h"

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
    itens.close();

    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO) values (0, 9001)");
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO) values (57, 9002)");
    itens.paramByName("AOCODIGO")->setAsInteger(9001);
    itens.open();
    ASSERT_FALSE(itens.isEmpty());
    EXPECT_EQ(RetornaTecOSItemCorrente(), -1);   // on a row whose code is 0
    itens.close();
    itens.paramByName("AOCODIGO")->setAsInteger(9002);
    itens.open();
    EXPECT_EQ(RetornaTecOSItemCorrente(), 57);
}

using AbreOrdemServicoClienteTest = ModuleTest;

TEST_F(AbreOrdemServicoClienteTest, ShowsTheOrderWindowOnANewUnsavedOrderOfTheCustomer)
{
    const int ordens = one("select count(*) from AATC01AO").toInt();
    uPackageAss::AbreOrdemServicoCliente("00002");
    host::ui::Form* janela = host::ui::WindowRegistry::find("fmAssOrdemServico");
    ASSERT_NE(janela, nullptr);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Insert);
    EXPECT_EQ(dmTec->quOSCLCODIGO->asString(), "00002");
    // The display updates it suspended are resumed.
    EXPECT_FALSE(dmTec->quOS->controlsDisabled());
    EXPECT_FALSE(global->quClienteConsulta->controlsDisabled());
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), ordens);
}

using ContratoNovoAutomaticoTest = ModuleTest;

TEST_F(ContratoNovoAutomaticoTest, InsertsTheCustomersContractCommitsItAndOpensIt)
{
    const int codigo = one("select coalesce(max(ACCODIGO), 0) + 1 from AATC05AC").toInt();
    dialogs->acknowledge("Contrato inserido com sucesso!");
    uPackageAss::ContratoNovoAutomatico("00003", "1.01");
    ASSERT_EQ(dialogs->pending(), 0);
    const QString aviso = dialogs->texts().value(0);
    EXPECT_TRUE(aviso.contains(QString("Código Contrato: %1").arg(codigo))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains("Conta Fluxo Caixa: 1.01")) << aviso.toStdString();

    ASSERT_TRUE(dados::existeContrato());
    Query* contrato = dados::consultaContrato("quCtrCadastro");
    ASSERT_TRUE(contrato->active());
    EXPECT_EQ(contrato->recordCount(), 1);
    EXPECT_EQ(contrato->fieldByName("ACCODIGO")->asInteger(), codigo);
    EXPECT_EQ(contrato->fieldByName("ACNUMEROCONTRATO")->asString(), "00003");
    EXPECT_EQ(contrato->fieldByName("CLCODIGO")->asString(), "00003");
    EXPECT_EQ(contrato->fieldByName("CXCODIGO")->asString(), "1.01");
    EXPECT_NE(host::ui::WindowRegistry::find("fmAssContCad"), nullptr);

    // Committed: what the host rolls back later keeps the contract.
    global->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one(QString("select count(*) from AATC05AC where ACCODIGO = %1").arg(codigo)).toInt(), 1);
}

using AutoTesteTest = ModuleTest;

TEST_F(AutoTesteTest, EverySeventyTwoClassesPassInOrder)
{
    uPackageAss::ShowJanelaTec("AutomatizacaoDeTeste");
    TFmTesteAutomatizado* teste = FmTesteAutomatizado.get();
    ASSERT_NE(teste, nullptr);
    const auto& resultados = teste->Resultados();
    ASSERT_EQ(resultados.size(), 72);
    const QStringList classes = {
        "TdmTec", "TdmTecContrato", "TDmRelTec", "TfmAssAndamento", "TfmAssBaixaPecas", "TfmAssBasicoContratos",
        "TfmAssBasicoContratosFaturamento", "TqrAssBasicoContratosImp", "TfmAssCadMedidor", "TfmAssCheckout",
        "TfmAssCheckoutConsulta", "TqrAssCheckoutProtocolo", "TqrAssClienteXEquipImp", "TfmAssConferenciaAcessorio",
        "TfmAssContAditivo", "TfmAssContCad", "TfmAssContCadCM", "TfmAssContCadIt", "TfmAssContFat",
        "TfmAssContFatLocEquip", "TfmAssContLocacao", "TfmAssContCadLocEquip", "TfmAssContLocRel", "TfmAssContObj",
        "TqrAssContratoLocEquip", "TfmAssContReaj", "TfmAssContRenovacao", "TfmAssDefeito", "TfmAssEntradaEquip",
        "TfmAssEquipamento", "TfmAssEquipamentoLocacao", "TfmAssFaturamento", "TfmAssFilaAtendimento",
        "TfmAssHoraTecnica", "TqrAssImpProposta", "TfmAssOrdemServico", "TfmAssOrdemServicoCusto",
        "TfmAssOrdemServicoFecha", "TfmAssOrdemServicoHora", "TqrAssOSAndamento", "TqrAssOSColetaImp",
        "TfmAssOSComprasCliente", "TqrAssOSComprovante", "TqrAssOSComprovanteEqto", "TqrAssOSEtiquetas",
        "TqrAssOSHistorico", "TqrAssOSHistoricoOficina", "TqrAssOSHistoricoOficinaNA", "TfmAssOSLaudo",
        "TqrAssOSOrcamento", "TqrAssOSOrcamentoCompleto", "TqrAssOSPesquisaFic", "TqrAssOSPesquisaRel",
        "TqrAssOSRecibo", "TfmAssOSSelecaoRel", "TqrAssOSSelecaoRelImp", "TqrAssOSSelecaoSituacaoRel",
        "TqrAssOSTotalCliImp", "TfmAssSituacao", "TfmAssSituacaoTroca", "TfmAssSolicitacao", "TfmAssTecnico",
        "TfmAssVendas", "TqrAssVendasImp", "TqrAssVendasImp2", "TfmPesquisaAssContratos",
        "TfmPesquisaAssContratosLocEquip", "TfmPesquisaAssDefeitos", "TfmPesquisaAssEquipamento",
        "TfmPesquisaAssOrdemServico", "TfmPesquisaAssOrdemServicoSimples", "TfmSolicitacaoEntregas"};
    ASSERT_EQ(classes.size(), 72);
    for (int i = 0; i < 72; ++i)
        EXPECT_EQ(resultados[i].classe, classes[i]) << i;
    for (const auto& r : resultados) {
        EXPECT_TRUE(r.sucesso) << r.classe.toStdString() << ": " << r.mensagem.toStdString();
    }
    // What the test created it also freed; what the application holds stays.
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_EQ(host::ui::WindowRegistry::find("fmAssOrdemServico"), nullptr);
    EXPECT_EQ(dialogs->texts(), QStringList{});
}

TEST_F(AutoTesteTest, TheTesterReportsAClassThatIsNotTheOneItsVariableHolds)
{
    TFmTesteAutomatizado& teste = *FmTesteAutomatizado.create();
    teste.Iniciar();
    teste.TestaForm("TfmAssDefeito", fmAssTecnico, true);
    teste.TestaForm("TfmAssTecnico", fmAssTecnico, true);
    ASSERT_EQ(teste.Resultados().size(), 2);
    EXPECT_FALSE(teste.Resultados()[0].sucesso);
    EXPECT_TRUE(teste.Resultados()[0].mensagem.contains("TfmAssTecnico"));
    EXPECT_TRUE(teste.Resultados()[1].sucesso);
    EXPECT_EQ(fmAssTecnico.get(), nullptr);   // freed after each class
    EXPECT_EQ(teste.Falhas(), 1);
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
