#pragma once
// The rules of the contract register window that do not need the window:
// the F7 discount, the value checks after the items change, which loader a
// page runs, which instalments may be edited or deleted, the end date of a
// forecast, and the register's actions over the data module (forecast,
// deleting every forecast, meter readings). The window calls these; tests
// call them directly.

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

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

// ---- instalments of the register ----
// Whether a receivable of that situation may be edited in the register's
// grid under the contract option (only forecasts, unless "R" or "2").
bool PodeEditarParcela(const QString& opcaoContrato, const QString& situacao);
// Whether a receivable may be deleted from the register's grid (forecasts only).
bool PodeExcluirParcela(const QString& situacao);
// What "Excluir Parcelas" deletes: forecasts, or under ATPARCELASEMPREVISAO
// "S" also open receivables not marked "*"; never one that has been paid
// (payment date or amount) or officialised (sales order or original
// document number), nor an item's own receivable or a late-return fine,
// whatever the mode.
struct ParcelaReceber {
    QString situacao;
    bool paga = false;
    bool oficializada = false;
    bool doContrato = true;   // an instalment of the contract itself
};
bool ExcluiNaExclusaoTotal(const ParcelaReceber& parcela, bool parcelaSemPrevisao);
ParcelaReceber ParcelaDe(const host::data::Dataset& receber);

// The guards a contract register lends dmGlobal->quReceber while it shows a
// contract's instalments: only forecasts may be deleted (taking their cash
// rows and observation, as the host's own rule does), and the host's
// before-post is off. Given back (the host's own handlers) by devolver, or
// when the holder goes.
void ReceberAntesExcluir(host::data::Dataset& receber);
class ReceberEmprestado {
public:
    ReceberEmprestado() = default;
    ReceberEmprestado(const ReceberEmprestado&) = delete;
    ReceberEmprestado& operator=(const ReceberEmprestado&) = delete;
    ~ReceberEmprestado() { devolver(); }
    void emprestar();
    void devolver();

private:
    bool emprestado_ = false;
};

// The 28 payment kinds the contract registers offer ("1 - Carnê" to "CR - Crédito").
const QStringList& TiposPagamentoContrato();

// The background of an instalment row of the registers' grids: selected
// rows in the highlight colour, paid light blue, forecasts light yellow,
// open and overdue light red; an invalid colour (unchanged) otherwise.
QColor CorParcela(const QString& situacao, const QDateTime& vencimento, const QDate& hoje, bool selecionada = false,
                  const QColor& destaque = {});

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
// The condition of the cash-forecast rows of the current receivable ("Where xpId = 'R' ..."),
// as the log records it.
QString CondicaoCaixaParcela(const host::data::Dataset& receber);
// What a walk deleting forecasts asks of its caller: which receivables go,
// what must hold before one goes (a password), what goes with it besides
// its cash rows (complementary forecasts), and the audit row's clock.
struct ExclusaoPrevisoes {
    std::function<bool(const host::data::Dataset&)> vai;
    std::function<void(host::data::Dataset&)> antes;
    std::function<void(host::data::Dataset&)> junto;
    std::function<QDateTime()> agora = [] { return QDateTime::currentDateTime(); };
};
// From the first row, each receivable `vai` takes goes with its cash-forecast
// rows and leaves an audit row, each committed; the rest stay. Returns the
// count; the dataset is left on its first row.
int ExcluirPrevisoes(host::data::Dataset& receber, const ExclusaoPrevisoes& exclusao);
// Every receivable of the dataset that may go (see ExcluiNaExclusaoTotal),
// with its cash rows, audit and complementary forecasts. Returns the count.
int ExcluirTodasPrevisoes(host::data::Dataset& receber, int contrato);
void ExcluirParcelasContrato(host::data::Dataset& receber, int contrato);

// ---- F10 meter readings ----
// From the current item to the last one: the latest running total is
// proposed, a reading of the date is appended for each value entered; a
// cancel stops the walk. Returns the readings written.
int LancarContadores(int contrato, const QDateTime& data);
void LancamentoContadores();

// The register's windows live on the contract data module (and dmTec): made
// without them, they refuse to be built.
void ExigeModulosContrato();

// ---- windows opened by name ----
// The module's dispatcher, which lies above this unit, registers itself
// when the module loads; the register opens the detail, compositions and
// amendment windows through it.
using ShowJanelaRotina = void (*)(const QString& nome);
void RegistrarShowJanela(ShowJanelaRotina rotina);
void ShowJanela(const QString& nome);

}  // namespace uAssContCad
