#pragma once
// The rules of the contract register window that do not need the window:
// the F7 discount, the value checks after the items change, which loader a
// page runs, the end date of a forecast, and the register's actions over
// the data module (forecast, deleting every forecast, meter readings). The
// window calls these; tests call them directly. What the rental registers
// share with it is in the contract data module (uDataTecContRegras.h).

#include <QDateTime>
#include <QString>

namespace host::data {
class Dataset;
class Query;
}

namespace uAssContCad {

// ---- F7: percentage discount on forecast instalments ----
struct ValoresParcela {
    double valor = 0;      // VALOR_DOCUMENTO
    double desconto = 0;   // VALOR_DESCONTO
};
// The gross value (value + discount already given) with the percentage off:
// discount = Trunc2(gross x % / 100), value = Trunc2(gross - discount).
ValoresParcela AplicaDesconto(double valorDocumento, double valorDesconto, double percentual);
// The current receivable of the dataset, when it is a forecast ("V"):
// edited, discounted and posted. False (nothing changed) otherwise.
bool DescontoParcelaCorrente(host::data::Dataset& receber, double percentual);
// The whole F7 action: asks the percentage, discounts the current
// instalment, moves on, asks about the others, tells whether any changed.
void AplicarDescontoParcelas(host::data::Dataset& receber);

// ---- value checks after the items change ----
// After the customer's items window: the row's value or the instalment
// value changed, each cut to cents.
bool ValorClienteAlterado(double valorAnterior, double valorAtual, double parcelaAnterior, double parcelaAtual);
// Leaving the items page: the computed instalment value against the
// contract's, compared in whole cents (two doubles that print alike are equal).
bool ValorItensAlterado(double valorCalculado, double valorParcela);
// Neither check asks under contract option "T".
bool ConfirmaValorContrato(const QString& opcaoContrato);
// "O valor dos itens foi alterado, ..." of each check.
QString PerguntaValorCliente(double valorAnterior, double valorCalculado);
QString PerguntaValorItens(double valorParcela, double valorCalculado);

// The customer's total on the customers page: the items of the contract
// whose customer line is active (a customer without a line counts).
double TotalClientesAtivos(int contrato);
// The total of one customer's items of the contract (the items window).
double TotalItensCliente(int contrato, const QString& cliente);

// ---- pages ----
// What the page loads (by the page's name), from the current header.
struct ContextoPagina {
    int contrato = 0;
    QString cliente;               // CLCODIGO of the header
    bool todosContatos = false;    // "Mostrar Todos Contatos com Cliente"
    bool parcelaSemPrevisao = false;
};
// Runs the loader of the page; returns false for a page that loads nothing.
// The receivables history is loaded on `historico`.
bool CarregaPagina(const QString& pagina, const ContextoPagina& contexto, host::data::Query* historico);
QString SqlHistoricoClientes(const QString& cliente);

// ---- forecast ("Gerar Previsão") ----
int MesesDoPeriodo(const QString& periodo);   // 0: a letter without months
// The end of a forecast of exactly `quantidade` periods from `inicio`, any
// modality; a period letter without months keeps `padrao`.
QDateTime DataFinalPrevisao(const QDateTime& inicio, const QString& periodo, int quantidade, const QDateTime& padrao);
// The period dates of the receivables of a contract under option "P":
// one-month periods from the contract's start, each starting the day after
// the previous one ended. Errors on a row are passed over.
void GravarDataInicioFimVeiculos(host::data::Dataset& receber, int contrato, const QDateTime& implantacao);
// The forecast of the current contract of quCtrCadastro: the checks, the
// date and count questions, the generator, the complementary contracts.
void GerarPrevisaoContrato();

// ---- "Excluir Parcelas" ----
// Asked and checked, then every forecast that may go
// (uDataTecContRegras::ExcluirTodasPrevisoes).
void ExcluirParcelasContrato(host::data::Dataset& receber, int contrato);

// ---- F10 meter readings ----
// From the current item to the last one: the latest running total is
// proposed, a reading of the date is appended for each value entered; a
// cancel stops the walk. Returns the readings written.
int LancarContadores(int contrato, const QDateTime& data);
void LancamentoContadores();

// ---- windows opened by name ----
// The module's dispatcher, which lies above this unit, registers itself
// when the module loads; the register opens the detail, compositions and
// amendment windows through it.
using ShowJanelaRotina = void (*)(const QString& nome);
void RegistrarShowJanela(ShowJanelaRotina rotina);
void ShowJanela(const QString& nome);

}  // namespace uAssContCad
