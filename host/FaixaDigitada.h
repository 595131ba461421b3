#pragma once
// Amounts typed into document lines must lie where a line makes sense: a
// quantity above zero, a discount from 0 to 100 %, a price not below zero;
// and a document's discount in money no larger than what it discounts. Otherwise the line's total
// turns negative and flows into the document's total and its billing. The
// rule is attached to a field by the data module that owns it, so every
// grid and box bound to the field follows it; values set by the rules
// themselves (price tables, returns) are not typed and not checked here.

#include <QString>

#include <functional>
#include <optional>

namespace host::data {
class Field;
}

namespace host {

// The refusal of a quantity of 0 or less, or of a discount outside 0-100,
// naming the box (`rotulo`); empty when the value fits. For dialogs that
// take the amounts of a line.
QString RecusaQuantidade(double quantidade, const QString& rotulo);
QString RecusaDesconto(double desconto, const QString& rotulo);
QString RecusaPreco(double preco, const QString& rotulo);

// From now on a typed quantity of 0 or less (an empty one included) is
// refused with a warning naming the column the user typed in (else
// `rotulo`), and the field keeps its value. A text that is no number is
// left to the field's own handling, which runs after this check.
void ExigeQuantidadePositiva(host::data::Field& campo, const QString& rotulo);
// The same for a discount in percent outside 0-100 (empty is no discount).
void ExigeDescontoPercentual(host::data::Field& campo, const QString& rotulo);
// The same for a unit price below zero (empty is no price).
void ExigePrecoNaoNegativo(host::data::Field& campo, const QString& rotulo);
// The refusal of a discount in money above the value it discounts (to the
// cent), naming the box; empty when it fits. For a document's own save.
QString RecusaDescontoAteOValor(double desconto, double valor, const QString& rotulo);
// The same for a discount in money above what it discounts, as
// `descontado` tells it when the text is typed (the document's total
// before this discount); no value, no check (the document's own save
// checks it then).
void ExigeDescontoAteOValor(host::data::Field& campo, const QString& rotulo,
                            std::function<std::optional<double>()> descontado);

}  // namespace host
