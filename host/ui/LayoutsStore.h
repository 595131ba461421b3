#pragma once
// The layout file as the saved layouts read it: every key and value, read
// whole once and again only when the file changed on disk (another
// instance of the application saved a layout, or the folder moved). Every
// window's and grid's opening restores from it, and their closing compares
// with it, without opening the file each time. A layout written here is
// rare (a window moved, a column widened): the file is then read again.

#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

namespace host::ui::Layouts::detail {

const QHash<QString, QVariant>& storedValues();
// Changes whenever the kept values are read again: what is worked out of
// them is kept while it stays the same.
quint64 storedGeneration();

// The group of a kind of layout ("Janela_", "Grade_") under a name, as the
// file keeps its keys.
QString group(const char* kind, const QString& name);

// Writes layouts into the file; at its end the file is written (merged with
// whatever another instance wrote meanwhile) and read again at the next use.
class LayoutWriter {
public:
    LayoutWriter();
    ~LayoutWriter();
    LayoutWriter(const LayoutWriter&) = delete;
    LayoutWriter& operator=(const LayoutWriter&) = delete;
    void set(const QString& key, const QVariant& value);
    // Every key of the group goes.
    void removeGroup(const QString& group);

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace host::ui::Layouts::detail
