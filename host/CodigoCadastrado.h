#pragma once
// Codes typed into document lines must name a row of their register: a
// product (ACEC1101), a rentable piece of equipment (AUGC20EV). The rule is
// attached to a field by the data module that owns it, so every grid bound
// to the field follows it; customers are in ClienteCadastrado.h.

#include <QString>

namespace host::data {
class Field;
}

namespace host {

// The caption of the box or column the user typed the field in; `rotulo`
// when no control shows it. Refusals of typed values name the field so.
QString LegendaDigitada(const host::data::Field& campo, const QString& rotulo);

// Whether the (trimmed) code names a registered product.
bool ProdutoCadastrado(const QString& codigo);
// Whether the code names a registered piece of equipment, of the kind given
// (EVID: "L" rentable equipment) or of any kind when `tipo` is empty.
bool EquipamentoCadastrado(const QString& codigo, const QString& tipo = {});

// From now on an unknown code set into the field is refused with a warning
// naming the column the user typed in (else `rotulo`), and the field keeps
// its value; an empty code is left to the mandatory-field rules. The
// field's own validation, if any, runs after this check.
void ExigeProdutoCadastrado(host::data::Field& campo, const QString& rotulo);
void ExigeEquipamentoCadastrado(host::data::Field& campo, const QString& rotulo, const QString& tipo = {});

}  // namespace host
