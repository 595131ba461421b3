#pragma once
// Billing of rental contracts: the monthly instalments forecast for
// principal contracts (with their complements' instalments of the same
// month folded in, with or without a rental receipt document) and the daily
// billing of a contract whose equipment has all come back. The windows read
// their rows and call these; every write is here.

#include "host/Udmglobal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace host::data {
class Dataset;
class Field;
}
namespace host::db {
class Statement;
}

namespace uAssContLocFaturamento {

// Fixed values of the rental receipt document: the series and operation
// the writers store and the loaders ask for.
inline const QString kSerieRecibo = "RC";
inline const QString kOperacaoRecibo = "00001";

// One instalment as listed on the billing screen (a principal's row or a
// complement's). The key is CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA,
// CODIGO_FILIAL.
struct ParcelaLocacao {
    int contrato = 0;
    QString cliente, documento, filial;
    double sequencia = 0;
    double valor = 0;
    QString situacao;
    QDateTime vencimento, emissao;
    QString banco, local, pedidoCliente;
    double valorContrato = 0;   // the contract's ACVALOR
    bool temParcela() const { return !documento.trimmed().isEmpty(); }
    bool previsao() const { return situacao == "V"; }
};
// The current row of the listing or of the linked instalments.
ParcelaLocacao LeParcela(host::data::Dataset& linha);

// The rows of a walk as a listing's fields.
struct CamposListagem {
    using Coluna = host::data::Field*;
    CamposListagem(host::data::Dataset& d) : linhas(&d) {}   // NOLINT: a listing is its rows
    host::data::Dataset* linhas;
    Coluna coluna(const char* nome) const;
    QString texto(Coluna c) const;            // trimmed; empty when absent
    QString textoComoEsta(Coluna c) const;    // as stored; empty when absent or null
    double numero(Coluna c) const;
    QDateTime data(Coluna c) const;
};

// The rows of a walk as a statement's cursor, read by column position.
struct ColunasComando {
    using Coluna = int;
    host::db::Statement* st;
    Coluna coluna(const char* nome) const;
    QString texto(Coluna c) const;
    QString textoComoEsta(Coluna c) const;
    double numero(Coluna c) const;
    QDateTime data(Coluna c) const;
};

// The same, row after row of one walk: the columns are found once, not
// fourteen lookups by name per row, whichever way the rows are read. Valid
// while the rows keep their columns.
template <class Fonte>
class LeitorParcelaDe {
public:
    explicit LeitorParcelaDe(Fonte fonte);
    ParcelaLocacao le() const;

private:
    using Coluna = typename Fonte::Coluna;
    Fonte f_;
    Coluna contrato_, cliente_, documento_, filial_, sequencia_, valor_, situacao_, vencimento_, emissao_, banco_,
        local_, pedidoCliente_, valorContrato_;
};
using LeitorParcela = LeitorParcelaDe<CamposListagem>;

// The listed instalment as the database holds it now (status, value, dates,
// customer's order), or nothing when its row is gone. A list read earlier
// may show as a forecast what was billed since.
std::optional<ParcelaLocacao> ParcelaAtual(const ParcelaLocacao& listada);

// Of the complements' rows, those folded into the principal instalment:
// forecasts ("V") due in the principal's own month. Billed ones stay, and
// other months' forecasts are left for their own run.
std::vector<ParcelaLocacao> ParcelasDoMes(const ParcelaLocacao& principal,
                                          const std::vector<ParcelaLocacao>& vinculadas);

// The three lists of one billed instalment and its total.
struct ResumoFaturamento {
    QString contratos, vencimentos, valores;
    double total = 0;
    QString obs10() const;    // the note, trimmed, at most 80 characters
    QString nota() const;     // the lists on three lines
};
ResumoFaturamento ResumoParcela(const ParcelaLocacao& principal, const std::vector<ParcelaLocacao>& dobradas);

// The key of the receivable's note (AUGC70OB, OBID "R", OBSEQUENCIA 4).
QString ChaveNotaParcela(const QString& documento, const QString& cliente, double sequencia);

// The thirteen arguments of the collection for the instalment billed under
// that document number.
FaturaBoletoLocacao ArgumentosFaturaBoleto(const ParcelaLocacao& principal, const QString& documento,
                                           const ResumoFaturamento& resumo);

// "período: março/2024": the receipt line of a monthly instalment.
QString TextoPeriodoMensal(const QDateTime& vencimento);

// Bills one forecast instalment, all or nothing under a savepoint and one
// commit: the month's complement forecasts deleted with their cash rows and
// notes, the receivable billed with its total and note, and its collection
// issued; with comRecibo first the rental receipt (header and one line per
// item value), whose number the receivable takes. Returns the receivable's
// number as it ends. A missing bank refuses before anything is written; an
// instalment that is no longer a forecast when it is written refuses the
// whole (the receipt too).
QString FaturarParcela(const ParcelaLocacao& principal, const std::vector<ParcelaLocacao>& vinculadas,
                       bool comRecibo);

// One line of a rental receipt: its value (unit and total, quantity 1)
// and its text.
struct LinhaRecibo {
    double valor = 0;
    QString texto;
};
// The next number of the rental receipts at the branch, or, when one of the
// customer's receivables holds it, the receivables' next number (which none
// holds), so that the receivables the receipt numbers never share a key with
// another; `proprio` is the number of the receivable being renumbered (its
// own number is no clash). The number passed over is added to `passados`.
// Nothing is committed.
QString NumeroReciboLivre(const QString& local, const QString& cliente, const QString& proprio,
                          QStringList* passados = nullptr);

// Records a rental receipt of the customer at the branch, under
// NumeroReciboLivre: the header with that total and one line per entry
// (product "999", numbered from 1, the contract on each). Returns its
// number. Nothing is committed.
QString InserirReciboLocacao(int contrato, const QString& local, const QString& cliente, double total,
                             const std::vector<LinhaRecibo>& linhas, const QString& proprio = {},
                             QStringList* passados = nullptr);

// The values of the contract's items (ACITVALOR of quCtrEquipLocacao
// restricted to the contract), in the dataset's order. The dataset is put
// back on the contract it held, if any.
std::vector<double> ValoresItensContrato(int contrato);

// Loads the receipt of that document into the datasets the report prints
// (the host's header, lines and customer; the report module's own
// instalments, so that no register's list of instalments changes).
void CarregaRecibo(const QString& documento, const QString& cliente, const QString& local);
// ... and previews it.
void ImprimeRecibo(const QString& documento, const QString& cliente, const QString& local);

// ---- daily billing ----

struct LinhaDiaria {
    QDateTime entrega, encerramento;   // encerramento invalid: still out
    double valor = 0;                  // per day
};
// Whole days between delivery and closing (absolute, a partial day dropped).
int DiasLocacao(const QDateTime& entrega, const QDateTime& encerramento);
double ValorLinhaDiaria(const LinhaDiaria& linha);
// "Período: 01/03/24 a 04/03/24"
QString TextoPeriodoDiario(const LinhaDiaria& linha);

struct ContratoDiario {
    int contrato = 0;
    QString local, cliente, vendedor, tabelaVencimento;
};
// Records the receipt of the daily total (header, one line per row, the
// receivables by the due-date table) and returns its number; an empty
// number when the total is not above 0 (nothing recorded).
QString FaturarDiarias(const ContratoDiario& contrato, const std::vector<LinhaDiaria>& linhas);

}  // namespace uAssContLocFaturamento
