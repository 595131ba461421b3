// The data modules and loaders as the front door reaches them.

#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"

#include <stdexcept>

#if __has_include("contracts/uDataTecCont.h")
#include "contracts/uDataTecCont.h"
#define TA_TEM_CONTRATOS 1
#else
#define TA_TEM_CONTRATOS 0
#endif

namespace uPackageAss::dados {

namespace {
[[noreturn]] void indisponivel(const char* rotina)
{
    throw std::runtime_error(std::string(rotina) + ": rotina não disponível nesta versão do módulo");
}
}  // namespace

bool contratosDisponiveis() { return TA_TEM_CONTRATOS != 0; }

#if TA_TEM_CONTRATOS
bool existeContrato() { return dmTecContrato.get() != nullptr; }
void criarContrato() { dmTecContrato.create(nullptr); }
host::Component* moduloContrato() { return dmTecContrato.get(); }
void carregaContrato(int codigo) { CarregaContrato(codigo); }
void carregaContratoItemDetalheCorrente()
{
    dmTecContrato->CarregaContratoItemDetalhe(dmTecContrato->quCtrCadastroItACITCODIGO->asInteger());
}
#else
bool existeContrato() { return false; }
void criarContrato() { indisponivel("TdmTecContrato"); }
host::Component* moduloContrato() { return nullptr; }
void carregaContrato(int) { indisponivel("CarregaContrato"); }
void carregaContratoItemDetalheCorrente() { indisponivel("CarregaContratoItemDetalhe"); }
#endif

host::data::Query* consultaContrato(const QString& nome)
{
    host::Component* modulo = moduloContrato();
    return modulo ? modulo->find<host::data::Query>(nome) : nullptr;
}

void carregaOrdemServico(int) { indisponivel("CarregaOrdemServico"); }
void carregaEquipamentoCliente(const QString&, int) { indisponivel("CarregaEquipamentoCliente"); }
void carregaDefeitoItem(int, int, double, int) { indisponivel("CarregaDefeitoItem"); }

}  // namespace uPackageAss::dados
