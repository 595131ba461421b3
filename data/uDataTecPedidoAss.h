#pragma once
// What the assistance-order rules of TdmTec share (internal to data/).

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"

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

// A new line's number (COD) taken again just before the line is stored:
// another desk may have stored a line of the order under the number it was
// given. The number only grows (the largest stored plus one); the line's
// text (kind "V" under the order, sequence the number times `sinal`) is
// copied to the new number. The field's value when it stays.
// A serial number typed on an order's line (VEITNUMEROSERIE, in the order's
// or the checkout's grid) is refused unless it is one of the product's
// registered pieces, when it has any; the picker's marker is no number.
void recusarSerieDigitada(host::data::Dataset& linha);

void renumerarLinhaNova(host::data::Field& cod, int proxima, const QString& pedido, int sinal);

// The order's row held until the commit of the unit the caller runs it in,
// before what it turns into a document (an order, a contract) is read
// again: a second desk finalising the same order meanwhile is refused in
// words, and one that comes after reads what this one made. The status
// (IMPRESSO_NF) and the order made of it (VEPROPOSTA) as stored.
struct PedidoTomado {
    QString status, pedidoGerado;
};
PedidoTomado tomarPedido(const QString& numero);

}  // namespace pedidoass
