#pragma once
// Addresses composed from their parts: street, number, complement,
// district, city, state, postal code, each with the separator that goes
// before it. An empty part is left out with its separator, so an address
// with empty parts never reads " - - - -" or "77 -  - Jundiai".

#include <QString>

#include <initializer_list>

namespace host {

struct ParteEndereco {
    const char* separador;   // before the part, when a part before it is printed
    QString texto;
    const char* rotulo = "";   // before the part's text whenever it is printed ("CEP: ")
};

// The parts' texts, trimmed, joined by the separators of those printed.
QString compoeEndereco(std::initializer_list<ParteEndereco> partes);

// The same rule as one SQL text expression over the columns given (each
// expression is read as text, null as empty): for statements whose rows
// show or print the address as one column.
struct ParteEnderecoSql {
    const char* separador;
    QString coluna;
};
QString compoeEnderecoSql(std::initializer_list<ParteEnderecoSql> partes);

}  // namespace host
