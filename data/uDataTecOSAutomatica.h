#pragma once
// Service orders made without the service-order window, on behalf of the
// host: the periodic orders of contracts, the orders of the items of a stock
// document, and the removal of a document's orders. Every order goes through
// dmTec's datasets, so each new-record, numbering, pricing and saving rule of
// orders, items and service lines applies to it. That costs many more
// statements than writing the rows directly would; writing them past the
// datasets would be a second copy of those rules, so it is not done.
//
// These are batch runs: no dialog waits for a person (host::ExecucaoLote),
// and each generated order is one unit of work, kept whole or undone whole;
// a refused or failed order is logged and the run goes on with the next one.
// dmTec must exist (the exported LancaOrdemServico creates it first).

#include <QDateTime>
#include <QString>

namespace host {
class CalendarioDiasUteis;
struct ResultadoLote;
}

namespace uDataTecOSAutomatica {

// The identity of a stock document of the host.
struct DocumentoEstoque {
    QString cliente;
    QString serie;
    QString local;
    QString operacao;
    QString documento;
};

// Days between a contract's orders: the part of ACCODIGOINTEGRACAO before its
// first "-", trimmed, as a whole number; 999999 when that is no number.
int PeriodicidadeContrato(const QString& codigoIntegracao);

// The due date of a contract's next order: base + 3 days for the first order
// of a contract approved in advance (ACAPROVAIP "S..."), otherwise base +
// periodicity + 3 days; then the same or the next working day.
QDateTime VencimentoContrato(const QDateTime& base, int periodicidade, bool primeiraAprovada,
                             const host::CalendarioDiasUteis& calendario);

// Automatic mode: one order for each contract in force whose period has come.
// One run at a time per database: a second one is refused at once. What it
// made and what failed (one line per contract) are left in
// host::ultimoResultadoLote(); failures are also told in one message that
// ends with the summary.
void LancarOrdensContratos();
// "N ordens geradas, M contratos com erro".
QString ResumoOrdensContratos(const host::ResultadoLote& resultado);
// Removal mode: the orders made from the document, with their lines.
void ExcluirOrdensDocumento(const DocumentoEstoque& documento);
// Document mode: one order per qualifying item of the document; `sequencia`
// >= 0 with a non-blank product narrows it to that item.
void LancarOrdensDocumento(const DocumentoEstoque& documento, int sequencia, const QString& produto,
                           const QDateTime& dataDocumento);

}  // namespace uDataTecOSAutomatica
