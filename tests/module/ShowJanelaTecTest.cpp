// The window dispatcher: names, their windows and lifecycles, the contract
// family branch, the ";"-argument and refused names.

#include "tests/module/ModuleFixture.h"

#include "host/HostLog.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Uprincipal.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"
#include "module/uPackageAssAbrir.h"
#include "module/uPackageAssDados.h"
#include "app/JanelasPedidas.h"
#include "contract_data/uDataTecContMigration.h"
#include "host/db/Database.h"

#include <stdexcept>

#include <QCoreApplication>

namespace moduletest {
namespace {

using host::ui::Form;
using host::ui::WindowRegistry::find;
using uPackageAss::ShowJanelaTec;

struct CasoJanela {
    const char* nome;
    const char* variavel;
    const char* classe;
    const char* caption;
    bool soEsconde;
};

// Without the rental option "Q".
const CasoJanela kJanelas[] = {
    {"fmAssFaturamento", "fmAssFaturamento", "TfmAssFaturamento", "Faturamento de Ordem de Serviço", false},
    {"fmAssHoraTecnica", "fmAssHoraTecnica", "TfmAssHoraTecnica", "Hora Técnica", false},
    {"fmAssTecnico", "fmAssTecnico", "TfmAssTecnico", "Cadastro de Técnicos", false},
    {"fmAssDefeito", "fmAssDefeito", "TfmAssDefeito", "Cadastro de Defeitos", false},
    {"fmAssEquipamento", "fmAssEquipamento", "TfmAssEquipamento", "Cadastro de Equipamentos", false},
    {"fmAssSituacao", "fmAssSituacao", "TfmAssSituacao", "Cadastro de Situação ", false},
    {"fmAssContratos", "fmAssBasicoContratos", "TfmAssBasicoContratos", "Cadastro de Contratos", false},
    {"fmAssContratosFaturamento", "fmAssBasicoContratosFaturamento", "TfmAssBasicoContratosFaturamento",
     "Faturamento dos Contratos", false},
    {"fmAssOrdemServico", "fmAssOrdemServico", "TfmAssOrdemServico", "Ordem de Serviço", false},
    {"fmAssAndamento", "fmAssAndamento", "TfmAssAndamento", "Andamento das Ordens de Serviço", false},
    {"fmAssSolicitacao", "fmAssSolicitacao", "TfmAssSolicitacao", "Solicitação de Peças ", false},
    {"fmAssOSSelecaoRel", "fmAssOSSelecaoRel", "TfmAssOSSelecaoRel", "Relatório de Ordem de Serviço por Seleção",
     false},
    {"fmAssBaixaPecas", "fmAssBaixaPecas", "TfmAssBaixaPecas", "Acerto de Peças", false},
    {"fmAssContObj", "fmAssContObj", "TfmAssContObj", "Cadastro de Objetos", false},
    {"fmAssContReaj", "fmAssContReaj", "TfmAssContReaj", "Reajustar Valores de Contratos", false},
    {"fmAssContFat", "fmAssContFat", "TfmAssContFat", "Gerar Faturamento de Contratos", false},
    {"fmAssContFatLocEquip", "fmAssContFatLocEquip", "TfmAssContFatLocEquip",
     "Faturamento de Contratos (Locação de Equipamentos)", false},
    {"fmAssContLocacao", "fmAssContLocacao", "TfmAssContLocacao", "Cadastro de Contrato de Locação de Equipamento",
     false},
    {"fmAssEquipamentoLocacao", "fmAssEquipamentoLocacao", "TfmAssEquipamentoLocacao",
     "Controle Equipamentos para Locação", true},
    {"fmAssContCad", "fmAssContCad", "TfmAssContCad", "Cadastro de Contratos", false},
    {"fmAssContratosLocEquip", "fmAssContCadLocEquip", "TfmAssContCadLocEquip",
     "Contratos de Locação de Equipamentos", false},
    {"fmAssVenda", "fmAssVendas", "TfmAssVendas", "Pedido de Assistência", false},
    {"fmAssCheckout", "fmAssCheckoutConsulta", "TfmAssCheckoutConsulta", "Consulta de Pedidos para Checkout", false},
    {"fmAssContRenovacao", "fmAssContRenovacao", "TfmAssContRenovacao",
     "Renovação de Contratos Locação Equipamentos", false},
    {"fmAssEntradaEquip", "fmAssEntradaEquip", "TfmAssEntradaEquip", "Entrada de Equipamentos", true},
    {"fmAssCadMedidor", "fmAssCadMedidor", "TfmAssCadMedidor", "Cadastro Medidores", false},
    {"fmAssContCadCM", "fmAssContCadCM", "TfmAssContCadCM", "Lançamento de Compostos do Contrato", true},
};

void eliminarLiberadas() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

using ShowJanelaTecTest = ModuleTest;

TEST_F(ShowJanelaTecTest, EveryNameOpensItsWindowOnceAndClosesAsItsLifecycleSays)
{
    for (const CasoJanela& caso : kJanelas) {
        SCOPED_TRACE(caso.nome);
        ShowJanelaTec(caso.nome);
        Form* form = find(caso.variavel);
        ASSERT_NE(form, nullptr);
        EXPECT_STREQ(form->metaObject()->className(), caso.classe);
        EXPECT_EQ(form->caption(), QString::fromUtf8(caso.caption));
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->showingModal());
        // A second call shows the same instance.
        ShowJanelaTec(caso.nome);
        EXPECT_EQ(find(caso.variavel), form);
        form->close();
        eliminarLiberadas();
        if (caso.soEsconde) {
            ASSERT_EQ(find(caso.variavel), form);
            EXPECT_FALSE(form->isVisible());
            form->setProperty("marca", 7);
            ShowJanelaTec(caso.nome);
            EXPECT_EQ(find(caso.variavel), form);
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(form->property("marca").toInt(), 7);
        } else {
            EXPECT_EQ(find(caso.variavel), nullptr);
            ShowJanelaTec(caso.nome);
            Form* nova = find(caso.variavel);
            ASSERT_NE(nova, nullptr);
            EXPECT_TRUE(nova->isVisible());
        }
    }
    EXPECT_EQ(dialogs->texts(), QStringList{});
}

TEST_F(ShowJanelaTecTest, TheAmendmentWindowIsShownModally)
{
    bool modal = false;
    dialogs->modal("fmAssContAditivo", [&](Form& form) {
        modal = form.showingModal();
        EXPECT_EQ(form.caption(), "Aditivo");
    });
    ShowJanelaTec("fmAssContAditivo");
    EXPECT_TRUE(modal);
    EXPECT_EQ(dialogs->pending(), 0);
    eliminarLiberadas();
    EXPECT_EQ(find("fmAssContAditivo"), nullptr);
}

TEST_F(ShowJanelaTecTest, LogsTheNameAndCreatesTheServiceModule)
{
    ShowJanelaTec("fmAssTecnico");
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_EQ(logDe("[ShowJanelaTec]"), (QStringList{"***INICIO", "Janela:fmAssTecnico", "***FIM"}));
}

TEST_F(ShowJanelaTecTest, CreatesTheContractModuleWhateverTheContractsOption)
{
    ShowJanelaTec("fmAssTecnico");
    EXPECT_TRUE(uPackageAss::dados::existeContrato());
}

TEST_F(ShowJanelaTecTest, AFailingContractModuleIsIgnoredAndTheWindowStillOpens)
{
    host::db::executeSql(*global->IBTransaction1, "alter table AATC05AC drop TVCODIGO");
    global->IBTransaction1->commitRetaining();
    uDataTecContMigration::setObservadorColuna(
        [](const uDataTecContMigration::Coluna&) { throw std::runtime_error("migração interrompida"); });
    ShowJanelaTec("fmAssTecnico");
    uDataTecContMigration::setObservadorColuna({});
    EXPECT_FALSE(uPackageAss::dados::existeContrato());
    EXPECT_NE(find("fmAssTecnico"), nullptr);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(logDe("[ShowJanelaTec]").constLast(), "***FIM");
    EXPECT_TRUE(logDe("[CriarDataTec]").filter("EXCEPTION").isEmpty());
}

TEST_F(ShowJanelaTecTest, UnknownNamesAndOtherLetterCaseAreRefused)
{
    for (const char* nome : {"fmassordemservico", "FMASSORDEMSERVICO", "fmAssOrdemservico", "fmAssInexistente", "",
                             " fmAssTecnico", "fmAssTecnico;1"}) {
        SCOPED_TRACE(nome);
        dialogs->acknowledge("Janela não encontrada!");
        ShowJanelaTec(nome);
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(logDe("[ShowJanelaTec]").constLast(), "***FIM");
    }
    EXPECT_EQ(find("fmAssOrdemServico"), nullptr);
    EXPECT_EQ(find("fmAssTecnico"), nullptr);
}

TEST_F(ShowJanelaTecTest, AWindowAskedOnTheCommandLineIsNamedWhenItOpensNothing)
{
    dialogs->acknowledge("Janela não encontrada!\r--janela \"fmNaoExiste\"");
    app::abrirJanelaPedida("fmNaoExiste", &ShowJanelaTec);
    for (const char* pedido : {"fmAssOrdemServico;abc", "fmAssOrdemServico;", "fmAssOrdemServico;12;3"}) {
        const QString argumento = QString(pedido).section(';', 1);
        dialogs->acknowledge(QString("--janela \"%1\": \"%2\" não é um número de ordem de serviço.").arg(pedido, argumento));
        app::abrirJanelaPedida(pedido, &ShowJanelaTec);
    }
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(find("fmAssOrdemServico"), nullptr) << "no empty order window";

    // What is found opens as the dispatcher opens it; messages come back unchanged afterwards.
    app::abrirJanelaPedida("fmAssTecnico", &ShowJanelaTec);
    EXPECT_NE(find("fmAssTecnico"), nullptr);
    dialogs->acknowledge("Janela não encontrada!");
    ShowJanelaTec("fmNaoExiste");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ShowJanelaTecTest, MutedMessagesRefuseSilently)
{
    bDesligarMensagens = true;
    ShowJanelaTec("fmAssNada");
    bDesligarMensagens = false;
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(ShowJanelaTecTest, ServiceOrderNameAloneShowsTheWindowOnTheEmptyOrder)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (42, '00001')");
    ShowJanelaTec("fmAssOrdemServico");
    ASSERT_NE(find("fmAssOrdemServico"), nullptr);
    ASSERT_TRUE(dmTec->quOS->active());
    EXPECT_TRUE(dmTec->quOS->isEmpty());
}

TEST_F(ShowJanelaTecTest, ServiceOrderNameWithANumberOpensTheWindowOnThatOrder)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (42, '00001')");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO) values (43, '00001')");
    ShowJanelaTec("fmAssOrdemServico;42");
    ASSERT_NE(find("fmAssOrdemServico"), nullptr);
    ASSERT_TRUE(dmTec->quOS->active());
    EXPECT_EQ(dmTec->quOS->recordCount(), 1);
    EXPECT_EQ(dmTec->quOS->fieldByName("AOCODIGO")->asInteger(), 42);
    ShowJanelaTec("fmAssOrdemServico; 43");
    EXPECT_EQ(dmTec->quOS->fieldByName("AOCODIGO")->asInteger(), 43);
    // a bad number loads the empty order 0, with no items under it
    ShowJanelaTec("fmAssOrdemServico;abc");
    EXPECT_TRUE(dmTec->quOS->isEmpty());
    EXPECT_FALSE(dmTec->quOSItem->active());
}

TEST_F(ShowJanelaTecTest, TheOrderArgumentIsAWholeNumberOrZero)
{
    const struct {
        const char* nome;
        int ordem;
    } casos[] = {
        {"fmAssOrdemServico;42", 42}, {"fmAssOrdemServico;", 0},     {"fmAssOrdemServico;abc", 0},
        {"fmAssOrdemServico;4x", 0},  {"fmAssOrdemServico;4.5", 0},  {"fmAssOrdemServico; 42 ", 42},
        {"fmAssOrdemServico;\t7", 7}, {"fmAssOrdemServico; ", 0},  {"fmAssOrdemServico;4 2", 0},
        {"fmAssOrdemServico;-3", -3}, {"fmAssOrdemServico;42;7", 42}, {"fmAssOrdemServico;99999999999", 0},
        {"fmAssOrdemServico", 0},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(uPackageAss::numeroDaOrdem(caso.nome), caso.ordem) << caso.nome;
}

TEST_F(ShowJanelaTecTest, RentalOptionQSendsBothContractNamesToOneRentalWindow)
{
    parametro("ATOPCAOCONTRATO", "Q");
    ShowJanelaTec("fmAssContratos");
    Form* locacao = find("fmAssContLocacao");
    ASSERT_NE(locacao, nullptr);
    ShowJanelaTec("fmAssContCad");
    EXPECT_EQ(find("fmAssContLocacao"), locacao);
    EXPECT_EQ(find("fmAssContCad"), nullptr);
    EXPECT_EQ(find("fmAssBasicoContratos"), nullptr);
    ShowJanelaTec("fmAssContratosFaturamento");
    ShowJanelaTec("fmAssContFat");
    EXPECT_NE(find("fmAssContFatLocEquip"), nullptr);
    EXPECT_EQ(find("fmAssContFat"), nullptr);
    EXPECT_EQ(logDe("[ShowJanelaTec]").count("ATOPCAOCONTRATO=\"Q\""), 4);
}

TEST_F(ShowJanelaTecTest, WithoutQTheContractRegisterLogsTheComparison)
{
    for (const char* opcao : {"", "E", "q"}) {
        parametro("ATOPCAOCONTRATO", opcao);
        host::clearLogTrace();
        ShowJanelaTec("fmAssContCad");
        EXPECT_NE(find("fmAssContCad"), nullptr) << opcao;
        EXPECT_EQ(find("fmAssContLocacao"), nullptr) << opcao;
        EXPECT_TRUE(logDe("[ShowJanelaTec]").contains("ATOPCAOCONTRATO<>\"Q\"")) << opcao;
        host::ui::WindowRegistry::freeAll();
    }
}

TEST_F(ShowJanelaTecTest, MenuHandlersChooseTheRentalScreensWithE)
{
    parametro("ATOPCAOCONTRATO", "E");
    TFormulario::AbreContrato(nullptr);
    TFormulario::AbreFaturamento(nullptr);
    EXPECT_NE(find("fmAssContCadLocEquip"), nullptr);
    EXPECT_NE(find("fmAssContFatLocEquip"), nullptr);
    // The dispatcher's own "Q" test does not hold.
    EXPECT_FALSE(logDe("[ShowJanelaTec]").contains("ATOPCAOCONTRATO=\"Q\""));
    host::ui::WindowRegistry::freeAll();

    parametro("ATOPCAOCONTRATO", "");
    TFormulario::AbreContrato(nullptr);
    TFormulario::AbreFaturamento(nullptr);
    TFormulario::AbreObjeto(nullptr);
    TFormulario::AbreReajuste(nullptr);
    for (const char* nome : {"fmAssContCad", "fmAssContFat", "fmAssContObj", "fmAssContReaj"})
        EXPECT_NE(find(nome), nullptr) << nome;
}

}  // namespace
}  // namespace moduletest
