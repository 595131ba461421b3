#pragma once
// Closing and reopening rental contract lines, as both registers do it: the
// closing reason, the serial movements of returned equipment and the text
// they carry, and the movement kind of a stock operation. The registers'
// link handlers (uAssContLocEncerramento.cpp) drive these over their lists.

#include <QString>

namespace host::data {
class Dataset;
}

namespace uAssContLocEncerramento {

inline const QString kCaptionMotivo = QStringLiteral("Motivo Encerramento");
inline const QString kPromptMotivo =
    QStringLiteral("Informe o motivo do Encerramento.\r*Motivo deve ter no mínimo 10 caracteres.");

// A reason is long enough with 10 characters, blanks at either end not counted.
bool MotivoSuficiente(const QString& motivo);

// Asks the reason (empty default) until it is long enough; false, the
// reason as it was, when the prompt is cancelled.
// The box takes no more than `espaco`, the room of the line's reason column.
bool PedeMotivoEncerramento(QString& motivo, int espaco);
int EspacoMotivo(const host::data::Dataset& linhas);

// Moves each serial number still on the contract line (the item) to the
// location of closed rental equipment (the greatest location whose
// LESTATUSPEDIDO is "7"), with the text: those whose current movement names
// the line or came back from it, and those of the product that name no line
// once no other line of the product is open. A piece whose current movement
// is elsewhere (out on another contract, moved there already) stays where it
// is. Nothing is committed. Returns the number of serial numbers moved.
int MovimentaNumerosSerieEncerrados(const QString& produto, int contrato, int item, const QString& texto);

// The text of a complement's closing movements: the kind and status of the
// contract's source order, or "Movimento" when it has none.
QString TextoMovimentoComplemento(int contrato);

// The stock movement of an operation type: "E" entry ("5", "A", "D"), "S"
// exit ("1"-"4", "6"-"9", "B"), "" refused.
QString TipoMovimentoOperacao(const QString& tipoOperacao);

}  // namespace uAssContLocEncerramento
