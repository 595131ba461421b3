// Creating the data modules and hooking the host's contract menu.

#include "tests/module/ModuleFixture.h"

#include "host/HostLog.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"

#include "data/uDataTec.h"
#include "host/Uprincipal.h"
#include "module/uPackageAss.h"
#include "contract_data/uDataTecContMigration.h"
#include "module/uPackageAssDados.h"

#include <QAction>

namespace moduletest {
namespace {

using uPackageAss::CriarDataTec;
namespace dados = uPackageAss::dados;

struct EstadoMenu {
    QString caption;
    bool visible;
    bool ligado;
};

EstadoMenu estado(TMenuItem* item) { return {item->caption(), item->visible(), bool(item->OnClick)}; }

using CriarDataTecTest = ModuleTest;

TEST_F(CriarDataTecTest, WithoutContractsCreatesOnlyTheServiceModuleAndLeavesTheMenu)
{
    for (const char* opcao : {"N", ""}) {
        parametro("ATUTILIZACONTRATOS", opcao);
        criarPrincipal();
        CriarDataTec();
        EXPECT_NE(dmTec.get(), nullptr) << opcao;
        EXPECT_FALSE(dados::existeContrato()) << opcao;
        for (TMenuItem* item : {principal->miCadastroContrato, principal->miFaturamentoContrato,
                                principal->miCadastroObjeto, principal->miCadastroCobertura,
                                principal->miReajusteContrato})
            EXPECT_FALSE(item->OnClick) << item->action()->objectName().toStdString();
        EXPECT_EQ(principal->miCadastroCobertura->caption(), "Coberturas");
        EXPECT_TRUE(principal->miCadastroCobertura->visible());
        EXPECT_EQ(logDe("[CriarDataTec]"), (QStringList{"***INICIO", "***FIM"}));
        host::clearLogTrace();
        dmTec.free();
    }
}

TEST_F(CriarDataTecTest, ContractsInUseWithoutTheMainWindowHookNothing)
{
    parametro("ATUTILIZACONTRATOS", "E");
    ASSERT_EQ(fmPrincipal, nullptr);
    CriarDataTec();
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_FALSE(dados::existeContrato());
}

TEST_F(CriarDataTecTest, ASecondCallCreatesNothingNew)
{
    CriarDataTec();
    TdmTec* primeiro = dmTec.get();
    CriarDataTec();
    EXPECT_EQ(dmTec.get(), primeiro);
    EXPECT_EQ(logDe("[CriarDataTec]"), (QStringList{"***INICIO", "***FIM", "***INICIO", "***FIM"}));
}

TEST_F(CriarDataTecTest, ContractsInUseHookTheFiveItemsAgainOnEveryCall)
{
    for (const char* opcao : {"S", "E"}) {
        parametro("ATUTILIZACONTRATOS", opcao);
        criarPrincipal();
        for (int chamada = 0; chamada < 2; ++chamada) {
            CriarDataTec();
            EXPECT_TRUE(dados::existeContrato());
            const EstadoMenu contrato = estado(principal->miCadastroContrato);
            EXPECT_EQ(contrato.caption, "Cadastro de Contratos") << "the host's own caption stays";
            EXPECT_TRUE(contrato.visible && contrato.ligado);
            const EstadoMenu faturamento = estado(principal->miFaturamentoContrato);
            EXPECT_EQ(faturamento.caption, "Faturamento de Contratos");
            EXPECT_TRUE(faturamento.ligado);
            const EstadoMenu objetos = estado(principal->miCadastroObjeto);
            EXPECT_EQ(objetos.caption, "Cadastro de Objetos");
            EXPECT_TRUE(objetos.visible && objetos.ligado);
            const EstadoMenu coberturas = estado(principal->miCadastroCobertura);
            EXPECT_EQ(coberturas.caption, "Cadastro de Cobertura");
            EXPECT_FALSE(coberturas.visible);
            EXPECT_TRUE(coberturas.ligado);
            const EstadoMenu reajuste = estado(principal->miReajusteContrato);
            EXPECT_EQ(reajuste.caption, "Reajuste de Contratos");
            EXPECT_TRUE(reajuste.visible && reajuste.ligado);
        }
        principal.reset();
    }
}

TEST_F(CriarDataTecTest, AFailureIsLoggedShownAndEndsTheOperation)
{
    // Contracts in use, and the contract tables' migration stops half-way.
    parametro("ATUTILIZACONTRATOS", "S");
    criarPrincipal();
    global->IBTransaction1->commitRetaining();
    host::db::executeSql(*global->IBTransaction1, "alter table AATC05AC drop TVCODIGO");
    global->IBTransaction1->commitRetaining();
    uDataTecContMigration::setObservadorColuna(
        [](const uDataTecContMigration::Coluna&) { throw std::runtime_error("migração interrompida"); });
    dialogs->acknowledge("Erro: ao abrir módulo Assistência.");
    EXPECT_THROW(CriarDataTec(), host::Abort);
    uDataTecContMigration::setObservadorColuna({});
    EXPECT_EQ(dialogs->pending(), 0);
    const QStringList log = logDe("[CriarDataTec]");
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], "***INICIO");
    EXPECT_TRUE(log[1].startsWith(" EXCEPTION --> ")) << log[1].toStdString();
    const QString texto = dialogs->texts().value(0);
    // The message, a line break, then what failed.
    EXPECT_TRUE(texto.startsWith("Erro: ao abrir módulo Assistência.")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("migração interrompida")) << texto.toStdString();
    // The service module stays: only what failed is tried again next time.
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_FALSE(dados::existeContrato());
}

}  // namespace
}  // namespace moduletest
