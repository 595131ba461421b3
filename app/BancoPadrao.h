#pragma once
// The host's database on start-up: the embedded default file in the system
// folder unless another is named; a new file gets the host schema and the
// demonstration data, an existing one the parts of the schema it lacks.

#include <QString>

namespace app {

QString bancoPadrao();   // <system folder>/techassist.fdb
// Creates the file when missing (schema and demonstration data for the
// user), otherwise adds what the schema lacks. Returns true when created.
bool prepararBanco(const QString& nome, const QString& usuario, const QString& senha);

}  // namespace app
