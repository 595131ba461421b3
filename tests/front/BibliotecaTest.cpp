// The module library loaded by name, as the host executable loads it.

#include "tests/support/HostDatabase.h"

#include "host/Utesteautomatizado.h"
#include "host/data/Query.h"
#include "host/ui/Layouts.h"
#include "host/ui/WindowRegistry.h"

#include <QCoreApplication>
#include <QLibrary>

// The module library, set by the build.
extern const char* const TA_MODULE_PATH;

namespace {

class BibliotecaTest : public testsupport::HostDemoDatabaseTest {
protected:
    void SetUp() override
    {
        HostDemoDatabaseTest::SetUp();
        host::ui::Layouts::setFolder(systemFolder);
        global->SetParametro("ATUTILIZACONTRATOS", "N");
        biblioteca.setFileName(TA_MODULE_PATH);
        ASSERT_TRUE(biblioteca.load()) << biblioteca.errorString().toStdString();
    }
    void TearDown() override
    {
        host::ui::WindowRegistry::freeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        HostDemoDatabaseTest::TearDown();
    }

    template <class F>
    F resolver(const char* nome)
    {
        return reinterpret_cast<F>(biblioteca.resolve(nome));
    }

    QLibrary biblioteca;
};

TEST_F(BibliotecaTest, ExportsTheEntryRoutinesByTheirPlainNames)
{
    for (const char* nome : {"CriarDataTec", "ShowJanelaTec", "AbreOrdemServicoCliente", "ContratoNovoAutomatico",
                             "SelecionaDefeitoItem", "RetornaTecQuery", "RetornaTecOSItemCorrente",
                             "CarregaOrdemServico", "CarregaDefeitoItem", "CarregaSolicitacao", "CarregaContrato",
                             "CarregaContratoEquipamento", "CtrAlteracaoPrecoProduto", "SegToHora", "SelecionaOSAndamentoDefeito",
                             "OrdemServicoAtualizaTotalizador", "AtualizarOSCorrentePecas", "LancaOrdemServico",
                             "SelecionaOrdemServico", "SelecionaDefeitoMulti", "SelecionaEquipamento"})
        EXPECT_NE(biblioteca.resolve(nome), nullptr) << nome;
    auto segToHora = resolver<int (*)(int)>("SegToHora");
    ASSERT_NE(segToHora, nullptr);
    EXPECT_EQ(segToHora(7199), 1);
    EXPECT_EQ(segToHora(7200), 2);
    // The equipment picker only under its unit-qualified name.
    EXPECT_EQ(biblioteca.resolve("SelecionaEquipamentoCliente"), nullptr);
    EXPECT_NE(biblioteca.resolve("_ZN11uPackageAss27SelecionaEquipamentoClienteEiRK7QStringRi"), nullptr);
    EXPECT_NE(biblioteca.resolve("_ZN11uPackageAss13ShowJanelaTecERK7QString"), nullptr);
}

TEST_F(BibliotecaTest, ExportsTheCheckoutRoutinesByTheirPlainNames)
{
    for (const char* nome : {"SelecionaCheckoutPedido", "SelecionaConsultaCheckout", "VisualizarProtocoloEntregaContrato"})
        EXPECT_NE(biblioteca.resolve(nome), nullptr) << nome;
}

// The first calls into the library: the library keeps its data modules for
// the life of the process, so this test runs before any other creates them.
TEST_F(BibliotecaTest, LoadersCalledFirstByTheHostCreateTheirModulesAndAnswer)
{
    dialogs->setAutoAcknowledgeMessages(true);   // the contract tables' migration informs
    auto carregaContrato = resolver<void (*)(int)>("CarregaContrato");
    auto carregaContratoEquipamento = resolver<void (*)(int)>("CarregaContratoEquipamento");
    auto carregaOrdemServico = resolver<void (*)(int)>("CarregaOrdemServico");
    auto retornaTecQuery = resolver<void (*)(const QString&, host::data::Query*&)>("RetornaTecQuery");
    ASSERT_TRUE(carregaContrato && carregaContratoEquipamento && carregaOrdemServico && retornaTecQuery);
    const auto consulta = [&](const char* nome) {
        host::data::Query* query = nullptr;
        retornaTecQuery(nome, query);
        return query;
    };
    carregaOrdemServico(0);
    host::data::Query* ordens = consulta("quOS");
    ASSERT_NE(ordens, nullptr);
    EXPECT_TRUE(ordens->active() && ordens->isEmpty());
    carregaContrato(0);
    host::data::Query* contratos = consulta("quCtrCadastro");
    ASSERT_NE(contratos, nullptr);
    EXPECT_TRUE(contratos->active() && contratos->isEmpty());
    EXPECT_TRUE(contratos->sql().contains("Where Cont.ACCODIGO is Null"));
    carregaContratoEquipamento(1);
    host::data::Query* equipamentos = consulta("quCtrCadastroEquip");
    ASSERT_NE(equipamentos, nullptr);
    EXPECT_TRUE(equipamentos->active());
    EXPECT_TRUE(equipamentos->sql().contains("CtrEquip.ACCODIGO = 1"));
}

TEST_F(BibliotecaTest, LoadingCreatesNothingAndTheDispatcherOpensHostVisibleWindows)
{
    EXPECT_TRUE(host::ui::WindowRegistry::forms().isEmpty());
    auto showJanelaTec = resolver<void (*)(const QString&)>("ShowJanelaTec");
    ASSERT_NE(showJanelaTec, nullptr);
    showJanelaTec("fmAssTecnico");
    host::ui::Form* tecnicos = host::ui::WindowRegistry::find("fmAssTecnico");
    ASSERT_NE(tecnicos, nullptr);
    EXPECT_STREQ(tecnicos->metaObject()->className(), "TfmAssTecnico");
    // The module's messages go through the host's dialogs.
    dialogs->acknowledge("Janela não encontrada!");
    showJanelaTec("fmAssDesconhecida");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BibliotecaTest, TheSelfTestRunsThroughTheLibrary)
{
    auto showJanelaTec = resolver<void (*)(const QString&)>("ShowJanelaTec");
    ASSERT_NE(showJanelaTec, nullptr);
    showJanelaTec("AutomatizacaoDeTeste");
    TFmTesteAutomatizado* teste = FmTesteAutomatizado.get();
    ASSERT_NE(teste, nullptr);
    EXPECT_EQ(teste->Resultados().size(), 72);
}

// The printed rental documents and the text routines under their plain names.
TEST_F(BibliotecaTest, ExportsTheRentalDocumentsAndTheTextRoutines)
{
    for (const char* nome : {"VisualizarContratoLocacaoEquipamentos", "VisualizarPropostaAssVenda", "Converte",
                             "Formata", "StrZero", "Alltrim", "Rtrim", "BuscaTroca", "BuscaDireita", "Repete"})
        EXPECT_NE(biblioteca.resolve(nome), nullptr) << nome;
    auto strZero = resolver<QString (*)(double, int, int)>("StrZero");
    ASSERT_NE(strZero, nullptr);
    EXPECT_EQ(strZero(12.5, 8, 2), "00012.50");
    auto buscaDireita = resolver<int (*)(QChar, const QString&)>("BuscaDireita");
    ASSERT_NE(buscaDireita, nullptr);
    EXPECT_EQ(buscaDireita('/', "01/02/2024"), 6);
}

}  // namespace
