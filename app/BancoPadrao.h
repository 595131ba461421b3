#pragma once
// The host's database on start-up: the embedded default file in the system
// folder unless another is named.

#include <QString>

namespace app {

QString bancoPadrao();   // <system folder>/techassist.fdb
// The system folder (the default database, the log, the outbox) and its log
// folder, made when missing: a folder another user could change or replace,
// on the way or itself, refuses the start naming it (DbError).
void prepararPastaDoSistema();
// The default database, when missing, is created whole (schema and
// demonstration data for the user); any other missing file is an error
// ("O banco de dados ... não existe."), and a file this user cannot reach
// (a folder on the way it may not enter) is one naming why ("... não pode
// ser alcançado: ..."). Returns true when this start created it.
bool criarBancoQueFalta(const QString& nome, const QString& usuario, const QString& senha);
// An existing database (or a server's) gets the parts of the schema it lacks.
void completarBanco(const QString& nome, const QString& usuario, const QString& senha);

}  // namespace app
