#pragma once
// The contract rules the contract register and the rental registers share:
// which instalments may be edited or deleted, the walk that deletes
// forecasts with their cash rows, the guards lent to the host's receivables,
// the payment kinds and instalment colours of their grids, and the check
// that the data modules they live on exist. Tests call them directly.

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace host::data {
class Dataset;
}

namespace uDataTecContRegras {

// ---- instalments ----
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

// ---- deleting forecasts ----
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
// The dataset read again, then each receivable `vai` takes goes with its
// cash-forecast rows and leaves an audit row, each whole and committed; the
// rest stay. Returns the count; the dataset is left on its first row.
int ExcluirPrevisoes(host::data::Dataset& receber, const ExclusaoPrevisoes& exclusao);
// Every receivable of the dataset that may go (see ExcluiNaExclusaoTotal),
// with its cash rows, audit and complementary forecasts. Returns the count.
int ExcluirTodasPrevisoes(host::data::Dataset& receber, int contrato);

// The register's windows live on the contract data module (and dmTec): made
// without them, they refuse to be built.
void ExigeModulosContrato();

}  // namespace uDataTecContRegras
