// The plain names the host resolves in the loaded library; each forwards to
// its unit-qualified routine. SelecionaEquipamentoCliente has no plain name.

#include "module/uPackageAss.h"

extern "C" {

void CriarDataTec() { uPackageAss::CriarDataTec(); }
void ShowJanelaTec(const QString& nome) { uPackageAss::ShowJanelaTec(nome); }
void AbreOrdemServicoCliente(const QString& cliente) { uPackageAss::AbreOrdemServicoCliente(cliente); }
void ContratoNovoAutomatico(const QString& cliente, const QString& conta)
{
    uPackageAss::ContratoNovoAutomatico(cliente, conta);
}
void SelecionaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento)
{
    uPackageAss::SelecionaDefeitoItem(ordem, item, chaveDocumento, sequenciaDocumento);
}
void RetornaTecQuery(const QString& nome, host::data::Query*& query) { uPackageAss::RetornaTecQuery(nome, query); }
int RetornaTecOSItemCorrente() { return uPackageAss::RetornaTecOSItemCorrente(); }

}
