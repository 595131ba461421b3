#pragma once
// A text typed into a pick list that names none of its options is refused
// naming the box, and the field keeps its value.

#include <QString>

namespace host::data {
class Field;
}

namespace host {

[[noreturn]] void RecusaOpcaoDigitada(const host::data::Field& campo, const QString& texto);

}  // namespace host
