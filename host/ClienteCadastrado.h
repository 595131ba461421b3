#pragma once
// Customer codes typed into the registers: a code must name a customer of
// the customer register (AUGC0301). The rule is attached to a field by the
// data module that owns it, so every window bound to the field follows it.

#include <QString>

#include <vector>

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
// For a field whose own validation reads the customer's type: the type
// (TIPO_CLIENTE) of the field's customer, read by the same statement that
// refuses an unknown code as ExigeClienteCadastrado does; an empty code
// reads nothing (an empty type).
QString TipoClienteExigido(const host::data::Field& campo, const QString& rotulo);

// The fields among those given that name someone who is not a contact
// person of the customer (the host's people of category "C"); empty fields
// are not asked. One statement for all of them.
std::vector<host::data::Field*> ContatosDeOutroCliente(const QString& cliente,
                                                       std::vector<host::data::Field*> campos);

// Refuses (a warning that abandons the operation) the first of the fields
// that names someone who is not a contact of the customer, naming its box by
// its caption on screen (else `rotulo`).
void ExigeContatosDoCliente(const QString& cliente, const std::vector<host::data::Field*>& campos,
                            const QString& rotulo);

}  // namespace host
