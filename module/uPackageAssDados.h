#pragma once
// What the front door uses of the data modules and their loaders, in one
// place: the contract data module and the loaders are reached only here.

#include <QString>

namespace host {
class Component;
}
namespace host::data {
class Query;
}

namespace uPackageAss::dados {

bool existeContrato();
void criarContrato();                      // dmTecContrato through its variable
host::Component* moduloContrato();         // nullptr while it does not exist
// A component of dmTecContrato by its exact name; nullptr when absent.
host::data::Query* consultaContrato(const QString& nome);

void carregaOrdemServico(int codigo);      // CarregaOrdemServico
void carregaEquipamentoCliente(const QString& cliente, int equipamento);
void carregaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento);
void carregaContrato(int codigo);          // CarregaContrato
void carregaContratoItemDetalheCorrente(); // the details of the current contract item

}  // namespace uPackageAss::dados
