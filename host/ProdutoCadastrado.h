#pragma once
// Product codes typed into document lines: a code must name a product of
// the product register (ACEC1101). Attached to a field by the data module
// that owns it, so every grid bound to the field follows it.

#include <QString>

namespace host::data {
class Field;
}

namespace host {

// Whether the (trimmed) code names a registered product.
bool ProdutoCadastrado(const QString& codigo);

// From now on an unknown code set into the field is refused with a warning
// naming the column the user typed in (else `rotulo`), and the field keeps
// its value; an empty code is left to the mandatory-field rules. The
// field's own validation, if any, runs after this check.
void ExigeProdutoCadastrado(host::data::Field& campo, const QString& rotulo);

}  // namespace host
