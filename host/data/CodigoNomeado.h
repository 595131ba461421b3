#pragma once
// One-letter (or two-letter) codes typed as text into a pick list: the text
// names an option by its code, by its whole caption or by the caption's
// name after its "code -", in any case.

#include <QString>

#include <utility>
#include <vector>

namespace host::data {

using OpcoesCodigo = std::vector<std::pair<QString, QString>>;   // code, caption

// The code of the option the text names; empty when it names none (or is empty).
QString codigoNomeado(const OpcoesCodigo& opcoes, const QString& texto);

// Options written "code - name" (as the pick lists show them): the code is
// the part before the first "-", trimmed.
OpcoesCodigo opcoesDeLista(const std::vector<QString>& itens);

}  // namespace host::data
