#include "host/ui/Layouts.h"
#include "host/ui/LayoutsStore.h"
#include "host/ui/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QVariant>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include <sys/stat.h>

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
// folder is looked up again only when what it depends on changes (the
// application's names, the user's home and configuration folders).
QString folder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    static QString dependsOn, userFolder;
    const QString now = QCoreApplication::organizationName() + '/' + QCoreApplication::applicationName() + '\n' +
                        qEnvironmentVariable("XDG_CONFIG_HOME") + '\n' + qEnvironmentVariable("HOME") +
                        (QStandardPaths::isTestModeEnabled() ? "\ntest" : "");
    if (userFolder.isEmpty() || now != dependsOn) {
        userFolder = userLocation(QStandardPaths::AppConfigLocation);
        dependsOn = now;
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


namespace detail {
namespace {

// What tells a changed file: its identity, size and time of change.
struct FileState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec changed{};
    bool operator==(const FileState& o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

FileState stateOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

struct Kept {
    QString path;
    FileState state;
    bool valid = false;
    quint64 generation = 0;
    QHash<QString, QVariant> values;
};

Kept& kept()
{
    static Kept k;
    return k;
}

}  // namespace

const QHash<QString, QVariant>& storedValues()
{
    Kept& k = kept();
    const QString path = settingsFile();
    if (k.valid && k.path == path && k.state == stateOf(path))
        return k.values;
    k.values.clear();
    ++k.generation;
    k.state = stateOf(path);
    if (k.state.exists) {
        QSettings store(path, QSettings::IniFormat);
        for (const QString& key : store.allKeys())
            k.values.insert(key, store.value(key));
    }
    k.path = path;
    k.valid = true;
    return k.values;
}

quint64 storedGeneration() { return kept().generation; }

QString group(const char* kind, const QString& name)
{
    // As the file keeps it: no empty levels, no slash at either end.
    return (QLatin1String(kind) + name).split(u'/', Qt::SkipEmptyParts).join(u'/');
}

void forgetStoredValues() { kept().valid = false; }

}  // namespace detail

void saveWindow(const QWidget* window, const QString& name)
{
    const QString key = keyName(window, name);
    if (key.isEmpty())
        return;
    const QString group = detail::group("Janela_", key) + '/';
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
    const QHash<QString, QVariant>& stored = detail::storedValues();
    if (std::all_of(std::begin(values), std::end(values), [&](const auto& v) {
            const auto it = stored.constFind(group + QLatin1String(v.first));
            return it != stored.constEnd() && it->toString() == v.second.toString();
        }))
        return;
    writeStored([&](QSettings& store) {
        for (const auto& [field, value] : values)
            store.setValue(group + QLatin1String(field), value);
    });
}

void writeStored(const std::function<void(QSettings&)>& write)
{
    const QString made = folder();
    if (!QDir(made).exists() && QDir().mkpath(made))
        QFile::setPermissions(made, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    {
        QSettings store(settingsFile(), QSettings::IniFormat);
        write(store);
        store.sync();
    }
    QFile::setPermissions(settingsFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // The write merges what another instance wrote meanwhile: read it all again.
    detail::forgetStoredValues();
}

bool restoreWindow(QWidget* window, const QString& name)
{
    const QString key = keyName(window, name);
    if (key.isEmpty())
        return false;
    const QHash<QString, QVariant>& stored = detail::storedValues();
    const QString group = detail::group("Janela_", key) + '/';
    auto value = [&](const char* field) { return stored.value(group + QLatin1String(field)); };
    if (!stored.contains(group + "Width"))
        return false;
    const int width = value("Width").toInt();
    const int height = value("Height").toInt();
    if (width <= 0 || height <= 0)
        return false;
    window->setGeometry(value("Left").toInt(), value("Top").toInt(), width, height);
    if (value("Maximized").toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

} // namespace host::ui::Layouts
