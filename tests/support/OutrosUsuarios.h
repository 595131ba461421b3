#pragma once
// Other OS users for the tests that run a program as another user: a group
// and two of its members, made by the test program when first asked (only
// root can) and removed when it ends. Their names carry the program's process
// number: programs running at once never share them, and the next program
// removes those of a program that was killed.
//
// What the other users run and open lies in a folder of this program's own
// under the system's temporary folder, which they can reach wherever the
// checkout is (a home only its owner may enter).

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace testsupport {

// "techassist-<marca>-<process number>": a user's or group's name of this run.
QString nomeDaExecucao(const char* marca);
// The group's two members, and the group.
const char* donoTeste();
const char* outroTeste();
const char* grupoTesteNome();

// Empty when the users exist; else why they cannot be made here.
QString garantirUsuarios();
// Makes a group of this run (removed with the users) when missing.
bool garantirGrupo(const QString& nome);
uid_t uidDe(const char* usuario);
gid_t grupoTeste();
// setpriv's arguments that run a system command as the user, with the user's groups.
QStringList comoUsuario(const char* usuario);
// What runs `programa` as the user, with the user's groups: setpriv's
// arguments followed by a copy of the program (and of the libraries of the
// build it loads) the user can reach.
QStringList comoUsuario(const char* usuario, const QString& programa);
// The number of a process that has ended (what a killed program left names it).
qint64 processoTerminado();
// Runs the program to its end: true when it ended with code 0.
bool executarAteOFim(const QString& programa, const QStringList& argumentos);

// A folder of this program under the system's temporary folder that every
// user can enter (root's, mode 0755), removed when the program ends.
QString pastaParaOutrosUsuarios();

// Remove the users, groups and folders of this program, or of test programs
// no longer running.
void removerUsuariosDestaExecucao();
void removerUsuariosDeExecucoesTerminadas();

}  // namespace testsupport
