#pragma once
// The layout file as the saved layouts read it: every key and value, read
// whole once and again only when the file changed on disk (another
// instance of the application saved a layout, or the folder moved). Every
// window's and grid's opening restores from it, and their closing compares
// with it, without opening the file each time. A layout written here is
// rare (a window moved, a column widened): the file is then read again.

#include <QHash>
#include <QString>
#include <QVariant>

namespace host::ui::Layouts::detail {

const QHash<QString, QVariant>& storedValues();
// Changes whenever the kept values are read again: what is worked out of
// them is kept while it stays the same.
quint64 storedGeneration();

// The group of a kind of layout ("Janela_", "Grade_") under a name, as the
// file keeps its keys.
QString group(const char* kind, const QString& name);

// After a layout was written here: the file is read again at the next use.
void forgetStoredValues();

}  // namespace host::ui::Layouts::detail
