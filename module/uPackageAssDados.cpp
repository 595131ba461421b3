// The data modules and loaders as the front door reaches them.

#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"

#include "contract_data/uDataTecCont.h"

namespace uPackageAss::dados {

bool existeContrato() { return dmTecContrato.get() != nullptr; }
void criarContrato() { dmTecContrato.create(nullptr); }
host::Component* moduloContrato() { return dmTecContrato.get(); }
void carregaContrato(int codigo) { CarregaContrato(codigo); }
void carregaContratoItemDetalheCorrente()
{
    dmTecContrato->CarregaContratoItemDetalhe(dmTecContrato->quCtrCadastroItACITCODIGO->asInteger());
}

host::data::Query* consultaContrato(const QString& nome)
{
    host::Component* modulo = moduloContrato();
    return modulo ? modulo->find<host::data::Query>(nome) : nullptr;
}

void carregaOrdemServico(int codigo) { CarregaOrdemServico(codigo); }
void carregaEquipamentoCliente(const QString& cliente, int equipamento)
{
    dmTec->CarregaEquipamentoCliente(cliente, equipamento);
}
void carregaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento)
{
    CarregaDefeitoItem(ordem, item, chaveDocumento, sequenciaDocumento);
}

}  // namespace uPackageAss::dados
