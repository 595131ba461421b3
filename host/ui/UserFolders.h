#pragma once
// The user's standard folders (data, configuration) as Qt finds them, but
// for a process started without HOME (a service, `env -i`): Qt then builds
// them on the root folder ("/.local/share"), and the account's home, as a
// login would have set it, takes the root folder's place.

#include <QStandardPaths>
#include <QString>

namespace host::ui {

QString userLocation(QStandardPaths::StandardLocation where);

}  // namespace host::ui
