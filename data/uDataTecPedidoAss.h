#pragma once
// What the assistance-order rules of TdmTec share (internal to data/).

#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <QDateTime>
#include <QString>

namespace pedidoass {

// The refusal prefix of the order rules' warnings.
inline const QString kAbortada = QStringLiteral("Aviso: operação abortada.\r");

// The display text of a status letter for an order ("1") or a proposal ("0").
QString textoStatus(const QString& tipo, const QString& status);
// "Pedido" for an order, "Proposta" for anything else.
QString textoTipo(const QString& tipo);

// QUANTIDADETIPO of a stored configured line of the open order, read for
// every line at once on first use after the lines are opened or written
// (one statement instead of two per row); esquecerQtdeTipo drops it.
double qtdeTipo(const QString& pedido, const QString& cod, const QString& produto);
void esquecerQtdeTipo();

}  // namespace pedidoass
