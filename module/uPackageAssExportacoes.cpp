// The plain names the host resolves in the loaded library; each forwards to
// its unit-qualified routine. SelecionaEquipamentoCliente has no plain name.

#include "module/uPackageAss.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "shared_windows/uPesqAssDefeitos.h"
#include "shared_windows/uPesqAssEquipamento.h"
#include "service_orders/uPesqAssOrdemServico.h"

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

// The data modules' loaders keep their plain C++ names inside the module; the
// host finds them by the same plain names, given here as symbol names. The
// host may call one before any entry routine: each first creates the data
// module it loads (the contract loaders the contract module too, whatever the
// contracts option says, as the dispatcher does).

namespace {

void moduloServico() { uPackageAss::CriarDataTec(); }

void moduloContrato()
{
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
}

}  // namespace

extern "C" {

void exportaCarregaOrdemServico(int ordem) __asm__("CarregaOrdemServico");
void exportaCarregaOrdemServico(int ordem)
{
    moduloServico();
    CarregaOrdemServico(ordem);
}

void exportaCarregaDefeitoItem(int, int, double, int) __asm__("CarregaDefeitoItem");
void exportaCarregaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento)
{
    moduloServico();
    CarregaDefeitoItem(ordem, item, chaveDocumento, sequenciaDocumento);
}

bool exportaSelecionaOrdemServico(int&, int&, QString&) __asm__("SelecionaOrdemServico");
bool exportaSelecionaOrdemServico(int& iNumeroOrdem, int& iCodigoEquipamento, QString& SDescricao)
{
    moduloServico();
    return SelecionaOrdemServico(iNumeroOrdem, iCodigoEquipamento, SDescricao);
}

// The defects picker for the host's other packages: the selected rows appended to their dataset.
bool exportaSelecionaDefeitoMulti(int&, QString&, host::data::Dataset*) __asm__("SelecionaDefeitoMulti");
bool exportaSelecionaDefeitoMulti(int& iCodigo, QString& sDescricao, host::data::Dataset* destino)
{
    moduloServico();
    return SelecionaDefeitoMulti(iCodigo, sDescricao, destino);
}

// The equipment-model picker for the host's other packages.
bool exportaSelecionaEquipamento(int&, QString&) __asm__("SelecionaEquipamento");
bool exportaSelecionaEquipamento(int& iCodigo, QString& sDescricao)
{
    moduloServico();
    return SelecionaEquipamento(iCodigo, sDescricao);
}

void exportaCarregaSolicitacao(int solicitacao) __asm__("CarregaSolicitacao");
void exportaCarregaSolicitacao(int solicitacao)
{
    moduloServico();
    CarregaSolicitacao(solicitacao);
}

void exportaCarregaContrato(int contrato) __asm__("CarregaContrato");
void exportaCarregaContrato(int contrato)
{
    moduloContrato();
    CarregaContrato(contrato);
}

void exportaCarregaContratoEquipamento(int contrato) __asm__("CarregaContratoEquipamento");
void exportaCarregaContratoEquipamento(int contrato)
{
    moduloContrato();
    CarregaContratoEquipamento(contrato);
}

void exportaCtrAlteracaoPrecoProduto(const QString&, double) __asm__("CtrAlteracaoPrecoProduto");
void exportaCtrAlteracaoPrecoProduto(const QString& produto, double preco)
{
    moduloContrato();
    CtrAlteracaoPrecoProduto(produto, preco);
}

int exportaSegToHora(int segundos) __asm__("SegToHora");
int exportaSegToHora(int segundos) { return SegToHora(segundos); }

// The host re-totals an order through these two; the partial one creates
// the data module first, as the full one needs it too.
void exportaOrdemServicoAtualizaTotalizador(int ordem) __asm__("OrdemServicoAtualizaTotalizador");
void exportaOrdemServicoAtualizaTotalizador(int ordem)
{
    moduloServico();
    OrdemServicoAtualizaTotalizador(ordem);
}

void exportaAtualizarOSCorrentePecas(int, const QString&, bool) __asm__("AtualizarOSCorrentePecas");
void exportaAtualizarOSCorrentePecas(int ordem, const QString& tabela, bool fechar)
{
    moduloServico();
    AtualizarOSCorrentePecas(ordem, tabela, fechar);
}

// The host may call the picker before anything created the data module.
bool exportaSelecionaOSAndamentoDefeito(int, int) __asm__("SelecionaOSAndamentoDefeito");
bool exportaSelecionaOSAndamentoDefeito(int ordem, int linha)
{
    uPackageAss::CriarDataTec();
    return SelecionaOSAndamentoDefeito(ordem, linha);
}

}

// Assistance orders: the header loader, the totals of the current order, the
// stock location of a status and the serial movements of the checkout.
extern "C" {

void exportaCarregaPedidoAssVenda(const QString&, const QString&) __asm__("CarregaPedidoAssVenda");
void exportaCarregaPedidoAssVenda(const QString& numero, const QString& condicao)
{
    moduloServico();
    CarregaPedidoAssVenda(numero, condicao);
}

void exportaPedidoAssVendaAtualizarTotalizador() __asm__("PedidoAssVendaAtualizarTotalizador");
void exportaPedidoAssVendaAtualizarTotalizador()
{
    moduloServico();
    PedidoAssVendaAtualizarTotalizador();
}

QString exportaRetornaLocalEquipamentosStatusPedidoAss(const QString&, const QString&) __asm__(
    "RetornaLocalEquipamentosStatusPedidoAss");
QString exportaRetornaLocalEquipamentosStatusPedidoAss(const QString& tipo, const QString& status)
{
    return RetornaLocalEquipamentosStatusPedidoAss(tipo, status);
}

void exportaRegistraNSStatusPedidoAss(int&) __asm__("RegistraNSStatusPedidoAss");
void exportaRegistraNSStatusPedidoAss(int& contador)
{
    moduloServico();
    RegistraNSStatusPedidoAss(contador);
}

}
