#pragma once
// The host's product search by manufacturer code (unit Uprodutocodigofabricante).

#include <QString>

namespace host::data {
class Field;
}

// The product whose manufacturer code (PRCODIGOFORNECEDOR, any letter case)
// is the given text: one product is taken at once, several are offered in
// the product picker (only those), none is told "Código do fabricante não
// encontrado." The chosen code is written into the field (its change rule
// runs). Empty text does nothing. True when a code was written.
bool SelecionaProdutoCodigoFabricante(const QString& sCodigoFabricante, host::data::Field* campo);
