#pragma once
// What the three modes of the automatic service orders share: the log, one
// order as one unit of work, and the order's header and service line made
// through dmTec's datasets.

#include <QDateTime>
#include <QString>

#include <functional>

namespace host {
class ExecucaoLote;
}

namespace uDataTecOSAutomatica::comum {

inline const QString kOrigem = "[LancaOrdemServico]";

void log(const QString& texto);

// Runs the steps of one order as one unit: the commits its posts ask for are
// held back and made once at the end; a failure undoes every step, leaves
// quOS, quOSItem and quOSAndamento with nothing pending, logs
// " EXCEPTION --> " and gives its text in `falha` (for a silent refusal, the
// last dialog text of the run). True when the order was kept.
bool ordemInteira(host::ExecucaoLote& lote, const std::function<void()>& passos, QString& falha);

// A new order on quOS (loaded empty by the caller), saved: the new-order
// defaults, then AORETORNO, the customer and, when valid, the entry date.
// Returns its AOCODIGO.
int novaOrdem(const QString& retorno, const QString& cliente, const QDateTime& entrada = {});

// The order's service line of the product ATSERVICOPADRAO, saved; with
// `passos` the steps are logged as the document mode logs them.
void novaLinhaServico(int aoCodigo, bool passos = false);

}  // namespace uDataTecOSAutomatica::comum
