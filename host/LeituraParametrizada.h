#pragma once
// The host's single-value reads (CarregaDado and its siblings, MaximoDado,
// ContadorDados) take their condition as text, with the key pasted in
// ("where AOCODIGO = 41", "where CODIGO = 'C0012'"): each new key would be a
// new text, prepared anew (over a network, one exchange each). The values
// compared with a plain column are bound as parameters instead, so one
// statement, kept by the transaction, serves every key.

#include <QString>

#include <memory>

namespace host::db {
class Statement;
class Transaction;
}

namespace host {

// The transaction's kept statement of the read, its compared values bound:
// quoted values compared with a text or integer column, plain integers
// compared with an integer column. Any other literal stays in the text, and
// so does the whole read when a value would not convert as the literal does
// (a date, a fraction, a text longer than its column).
std::shared_ptr<db::Statement> leituraComParametros(db::Transaction& tr, const QString& sql);

}  // namespace host
