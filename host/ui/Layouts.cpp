#include "host/ui/Layouts.h"

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

QString folder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString settingsFile() { return QDir(folder()).filePath("layouts.ini"); }


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
