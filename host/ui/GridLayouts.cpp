// Grid column layouts: order, width and visibility by field name.
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "host/ui/LayoutsStore.h"

#include <QList>
#include <QSettings>

namespace host::ui::Layouts {

namespace {

// One column of a stored layout, as a restore applies it.
struct StoredColumn {
    QString field;
    int width = 0;
    bool visible = true;
};

// The stored layout of the group, its columns in their stored order (the
// file's array: "Colunas/size" and, from 1, "Colunas/<n>/<key>"), worked
// out once for as long as the stored values stay the same.
const QList<StoredColumn>& storedColumns(const QString& group)
{
    const QHash<QString, QVariant>& stored = detail::storedValues();
    static QHash<QString, QList<StoredColumn>> workedOut;
    static quint64 generation = 0;
    if (generation != detail::storedGeneration()) {
        workedOut.clear();
        generation = detail::storedGeneration();
    }
    if (const auto it = workedOut.constFind(group); it != workedOut.constEnd())
        return *it;
    const QString array = group + "/Colunas/";
    const int count = stored.value(array + "size").toInt();
    QList<StoredColumn> columns;
    columns.reserve(count);
    for (int i = 1; i <= count; ++i) {
        const QString column = array + QString::number(i) + '/';
        columns.append({stored.value(column + "Campo").toString(), stored.value(column + "Largura").toInt(),
                        stored.value(column + "Visivel", true).toBool()});
    }
    return *workedOut.insert(group, columns);
}

// Whether the stored layout is the grid's as it stands.
bool sameColumns(const QList<StoredColumn>& stored, const DataGrid* grid)
{
    if (stored.size() != grid->columnCount())
        return false;
    for (int i = 0; i < grid->columnCount(); ++i) {
        const GridColumn* column = grid->column(i);
        const StoredColumn& saved = stored.at(i);
        if (saved.field != column->fieldName() || saved.width != column->width() || saved.visible != column->visible())
            return false;
    }
    return true;
}

// Saved columns come first in their saved order; columns the layout does
// not know (added since) keep their order after them. A grid of automatic
// columns shows its dataset's fields only.
void restoreColumns(const QList<StoredColumn>& stored, DataGrid* grid)
{
    int position = 0;
    for (const StoredColumn& saved : stored) {
        GridColumn* column = grid->columnByField(saved.field);
        // A column the user added to a designed grid comes back with the layout.
        if (!column && grid->customColumns() && !saved.field.isEmpty())
            column = grid->addColumn(saved.field);
        if (!column)
            continue;
        grid->moveColumn(column->index(), position++);
        if (saved.width > 0)
            column->setWidth(saved.width);
        column->setVisible(saved.visible);
    }
}

// The grid's columns as the group's array, in place of what it held; the
// write merges what another instance wrote meanwhile: read it all again.
void writeColumns(const DataGrid* grid, const QString& group)
{
    writeStored([&](QSettings& store) {
        store.remove(group);
        store.beginGroup(group);
        store.beginWriteArray("Colunas", grid->columnCount());
        for (int i = 0; i < grid->columnCount(); ++i) {
            const GridColumn* column = grid->column(i);
            store.setArrayIndex(i);
            store.setValue("Campo", column->fieldName());
            store.setValue("Largura", column->width());
            store.setValue("Visivel", column->visible());
        }
        store.endArray();
        store.endGroup();
    });
}

}  // namespace

void saveGrid(const DataGrid* grid, const QString& name)
{
    const QString key = name.isEmpty() ? grid->objectName() : name;
    if (key.isEmpty())
        return;
    // A grid closed as it was opened rewrites (and syncs) no file, and
    // makes no folder.
    if (sameColumns(storedColumns(detail::group("Grade_", key)), grid))
        return;
    writeColumns(grid, detail::group("Grade_", key));
}

bool restoreGrid(DataGrid* grid, const QString& name)
{
    const QString key = name.isEmpty() ? grid->objectName() : name;
    if (key.isEmpty())
        return false;
    // A copy: what is kept may be worked out again while the grid is laid out.
    const QList<StoredColumn> stored = storedColumns(detail::group("Grade_", key));
    if (stored.isEmpty())
        return false;
    // A grid opened as it was stored is not laid out again; otherwise it is
    // laid out once when every column is in place.
    if (!sameColumns(stored, grid))
        grid->changeColumnsTogether([&] { restoreColumns(stored, grid); });
    return true;
}

} // namespace host::ui::Layouts
