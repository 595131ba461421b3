#include "host/ui/Layouts.h"

#include <QCoreApplication>
#include <QDir>
#include <QVariant>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>

namespace host::ui::Layouts {
namespace {

QString& folderOverride()
{
    static QString folder;
    return folder;
}

QString keyName(const QObject* object, const QString& name)
{
    return name.isEmpty() ? object->objectName() : name;
}

} // namespace

void setFolder(const QString& folder) { folderOverride() = folder; }

// Asked at every window's and grid's opening and closing: the user's
// folder is looked up again only when the application's names change.
QString folder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    static QString names, userFolder;
    const QString now = QCoreApplication::organizationName() + '/' + QCoreApplication::applicationName();
    if (userFolder.isEmpty() || now != names) {
        userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        names = now;
    }
    return userFolder;
}

QString settingsFile()
{
    static QString inFolder, file;
    const QString now = folder();
    if (file.isEmpty() || now != inFolder) {
        file = QDir(now).filePath("layouts.ini");
        inFolder = now;
    }
    return file;
}


void saveWindow(const QWidget* window, const QString& name)
{
    const QString key = keyName(window, name);
    if (key.isEmpty())
        return;
    QSettings store(settingsFile(), QSettings::IniFormat);
    store.beginGroup("Janela_" + key);
    const bool maximized = window->isMaximized();
    // A maximised window keeps the size it returns to.
    const QRect rect = maximized ? window->normalGeometry() : window->geometry();
    const std::pair<const char*, QVariant> values[] = {{"Left", rect.x()},
                                                        {"Top", rect.y()},
                                                        {"Width", rect.width()},
                                                        {"Height", rect.height()},
                                                        {"Maximized", maximized}};
    // A window closed as it was opened rewrites (and syncs) no file, and
    // makes no folder.
    if (std::all_of(std::begin(values), std::end(values), [&store](const auto& v) {
            return store.contains(v.first) && store.value(v.first).toString() == v.second.toString();
        }))
        return;
    QDir().mkpath(folder());
    for (const auto& [name, value] : values)
        store.setValue(name, value);
    store.endGroup();
}

bool restoreWindow(QWidget* window, const QString& name)
{
    const QString key = keyName(window, name);
    QSettings store(settingsFile(), QSettings::IniFormat);
    store.beginGroup("Janela_" + key);
    if (key.isEmpty() || !store.contains("Width"))
        return false;
    const int width = store.value("Width").toInt();
    const int height = store.value("Height").toInt();
    if (width <= 0 || height <= 0)
        return false;
    window->setGeometry(store.value("Left").toInt(), store.value("Top").toInt(), width, height);
    if (store.value("Maximized").toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

} // namespace host::ui::Layouts
