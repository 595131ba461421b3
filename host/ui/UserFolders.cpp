#include "host/ui/UserFolders.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace host::ui {

QString userLocation(QStandardPaths::StandardLocation where)
{
    const QString found = QDir::cleanPath(QStandardPaths::writableLocation(where));
    if (!qEnvironmentVariableIsEmpty("HOME") || !found.startsWith(QLatin1String("/.")))
        return found;
    const passwd* pw = ::getpwuid(::geteuid());
    if (!pw || !pw->pw_dir || !*pw->pw_dir)
        return found;
    QString home = QString::fromLocal8Bit(pw->pw_dir);
    while (home.endsWith('/'))
        home.chop(1);
    return home + found;
}

}  // namespace host::ui
