#pragma once
// Customer codes typed into the registers: a code must name a customer of
// the customer register (AUGC0301). The rule is attached to a field by the
// data module that owns it, so every window bound to the field follows it.

#include <QString>

namespace host::data {
class Field;
}

namespace host {

// Whether the (trimmed) code names a registered customer.
bool ClienteCadastrado(const QString& codigo);

// From now on an unknown code set into the field is refused with a warning
// naming the field by the caption it is shown under on screen (else
// `rotulo`), and the field keeps its value;
// an empty code is left to the mandatory-field rules. The field's own
// validation, if any, runs after this check.
void ExigeClienteCadastrado(host::data::Field& campo, const QString& rotulo);

}  // namespace host
