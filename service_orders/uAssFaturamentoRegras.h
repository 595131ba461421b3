#pragma once
// The rules of the billing of service orders: the statements of the search
// and of the selection, the receivable's document number, and the billing of
// a selection into one receivable of the host.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace host::data {
class Dataset;
}

namespace uAssFaturamento {

// Every column of the order and the customer's name, of the orders without
// a receivable document; conditions are appended with " and ...".
QString SqlOrdensNaoFaturadas();
// The selection of those orders among the codes given (a code given twice
// counts once); with no code, the empty selection.
QString SqlSelecao(const QStringList& ordens);

// The customers of the orders in the dataset, each once, in the order met.
QStringList ClientesSelecao(host::data::Dataset& selecao);

// What the user chose for the receivable.
struct EscolhaFaturamento {
    QString tabelaVencimento;   // AFVT0101.CODIGO
    QString banco;              // AUGC0901.CODIGO_BANCO
    QString situacao;           // the orders' new situation; empty or "0": none
};

// Refuses (a warning that aborts) a selection holding an order whose total
// is below zero, naming it; the dataset ends on its first row.
void RecusarOrdemNegativa(host::data::Dataset& selecao);

// One receivable of the total for the customer of the selection's first
// order, over the chosen payment term, at the current branch; then every
// order of the dataset is stamped with its document and branch (and the
// situation chosen) in one update. All is committed at the end, or nothing:
// an order found already billed, or whose total is no longer the one the
// dataset holds, or whose total is below zero, refuses the whole (the
// receivable too). The
// dataset's controls are disabled meanwhile; it ends on its first row.
// Returns the document number.
QString FaturarOrdens(host::data::Dataset& selecao, double total, const EscolhaFaturamento& escolha,
                      const QDateTime& emissao = {});

}  // namespace uAssFaturamento
