#pragma once
// Other OS users for the tests that run a program as another user: a group
// and two of its members, made when missing (only root can) and kept, since
// another test program may be using them at the same time.

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace testsupport {

inline constexpr const char* kGrupoTeste = "techassist-teste";
inline constexpr const char* kDonoTeste = "techassist-t1";
inline constexpr const char* kOutroTeste = "techassist-t2";

// Empty when the users exist; else why they cannot be made here.
QString garantirUsuarios();
uid_t uidDe(const char* usuario);
gid_t grupoTeste();
// setpriv's arguments that run what follows them as the user, with the user's groups.
QStringList comoUsuario(const char* usuario);
// Runs the program to its end: true when it ended with code 0.
bool executarAteOFim(const QString& programa, const QStringList& argumentos);

}  // namespace testsupport
