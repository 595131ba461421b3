#include "tests/support/OutrosUsuarios.h"

#include <QProcess>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace testsupport {

bool executarAteOFim(const QString& programa, const QStringList& argumentos)
{
    QProcess p;
    p.start(programa, argumentos);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString garantirUsuarios()
{
    if (::geteuid() != 0)
        return "not run as root: other OS users cannot be made";
    if (!::getgrnam(kGrupoTeste))
        executarAteOFim("groupadd", {"-f", kGrupoTeste});
    for (const char* usuario : {kDonoTeste, kOutroTeste})
        if (!::getpwnam(usuario))
            executarAteOFim("useradd", {"-M", "-N", "-g", kGrupoTeste, "-s", "/usr/sbin/nologin", usuario});
    if (!::getgrnam(kGrupoTeste) || !::getpwnam(kDonoTeste) || !::getpwnam(kOutroTeste))
        return "the test users could not be made (useradd/groupadd)";
    if (!executarAteOFim("setpriv", {"--version"}))
        return "setpriv is missing";
    return {};
}

uid_t uidDe(const char* usuario) { return ::getpwnam(usuario)->pw_uid; }

gid_t grupoTeste() { return ::getgrnam(kGrupoTeste)->gr_gid; }

QStringList comoUsuario(const char* usuario)
{
    const passwd* pw = ::getpwnam(usuario);
    return {QString("--reuid=%1").arg(pw->pw_uid), QString("--regid=%1").arg(pw->pw_gid), "--init-groups"};
}

}  // namespace testsupport
