// TdmGlobal: customer, receivable, stock, price, sales-order and tax routines.

#include "host/Udmglobal.h"

#include <stdexcept>

namespace {
[[noreturn]] void notYet(const char* name) { throw std::logic_error(std::string(name) + ": not yet"); }
}  // namespace

void TdmGlobal::CarregaCliente(const QString&) { notYet("CarregaCliente"); }
bool TdmGlobal::PVVerificaBloqueioAtraso(const QString&, bool) { notYet("PVVerificaBloqueioAtraso"); }
bool TdmGlobal::LimiteCredito(const QString&, double, bool) { notYet("LimiteCredito"); }
void TdmGlobal::CarregaParcelasReceber(const QString&, const QString&, const QString&, const QString&) { notYet("CarregaParcelasReceber"); }
void TdmGlobal::CarregaTabelaVencimento(const QString&) { notYet("CarregaTabelaVencimento"); }
void TdmGlobal::quReceberNUMERO_DOCUMENTOSetText(host::data::Field&, const QString&) { notYet("quReceberNUMERO_DOCUMENTOSetText"); }
double TdmGlobal::PosicaoEstoque(const QString&) { notYet("PosicaoEstoque"); }
double TdmGlobal::Reservado(const QString&, bool, const QString&) { notYet("Reservado"); }
double TdmGlobal::CotacaoMoeda(const QString&, const QDateTime&, bool) { notYet("CotacaoMoeda"); }
QString TdmGlobal::RetornaCodigoProduto(const QString&, const QString&, double&) { notYet("RetornaCodigoProduto"); }
void TdmGlobal::VerificaVendaProdutoRepetido(const QString&, const QString&, const QString&, const QString&, const QString&, host::data::Dataset*) { notYet("VerificaVendaProdutoRepetido"); }
double TdmGlobal::VerificaUnidadeFracionamento(const QString&, double, bool, bool) { notYet("VerificaUnidadeFracionamento"); }
QString TdmGlobal::RetornaOperacaoRegraFiscal(const QString&, const QString&, const QString&, const QString&, QString&, bool, const QString&, int) { notYet("RetornaOperacaoRegraFiscal"); }
QString TdmGlobal::InserirPedidoVenda(const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, int, const QDateTime&, const QString&, const QString&) { notYet("InserirPedidoVenda"); }
int TdmGlobal::InserirPedidoVendaItem(const QString&, const QString&, double, double, bool, bool, double, double, double, const QString&, int, const QString&, bool, const QString&, const QString&, const QString&) { notYet("InserirPedidoVendaItem"); }
int TdmGlobal::DesdobraContasReceber(const DesdobramentoReceber&) { notYet("DesdobraContasReceber"); }
PercentuaisImposto TdmGlobal::NFCarregaPercentualIPIeICMS(const ImpostoItemEntrada&) { notYet("NFCarregaPercentualIPIeICMS"); }
ValoresIPI TdmGlobal::NFCarregaBaseValorIPI(double, double) { notYet("NFCarregaBaseValorIPI"); }
ValoresICMS TdmGlobal::NFCarregaBaseValorICMS(const ImpostoItemEntrada&, const PercentuaisImposto&, double, double) { notYet("NFCarregaBaseValorICMS"); }
OutrosImpostos TdmGlobal::NFCarregaOutrosImpostosItem(const ImpostoItemEntrada&, double) { notYet("NFCarregaOutrosImpostosItem"); }
