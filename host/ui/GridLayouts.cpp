// Grid column layouts: order, width and visibility by field name.
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"

#include <QDir>
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

// The stored layout of the group, its columns in their stored order: read
// once, to compare with the grid and to restore from.
QList<StoredColumn> storedColumns(QSettings& store, const QString& group)
{
    QList<StoredColumn> columns;
    store.beginGroup(group);
    const int count = store.beginReadArray("Colunas");
    columns.reserve(count);
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        columns.append({store.value("Campo").toString(), store.value("Largura").toInt(),
                        store.value("Visivel", true).toBool()});
    }
    store.endArray();
    store.endGroup();
    return columns;
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

}  // namespace

void saveGrid(const DataGrid* grid, const QString& name)
{
    const QString key = name.isEmpty() ? grid->objectName() : name;
    if (key.isEmpty())
        return;
    QSettings store(settingsFile(), QSettings::IniFormat);
    // A grid closed as it was opened rewrites (and syncs) no file, and
    // makes no folder.
    if (sameColumns(storedColumns(store, "Grade_" + key), grid))
        return;
    QDir().mkpath(folder());
    store.remove("Grade_" + key);
    store.beginGroup("Grade_" + key);
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
}

bool restoreGrid(DataGrid* grid, const QString& name)
{
    const QString key = name.isEmpty() ? grid->objectName() : name;
    if (key.isEmpty())
        return false;
    QSettings store(settingsFile(), QSettings::IniFormat);
    const QList<StoredColumn> stored = storedColumns(store, "Grade_" + key);
    if (stored.isEmpty())
        return false;
    // A grid opened as it was stored is not laid out again; otherwise it is
    // laid out once when every column is in place.
    if (!sameColumns(stored, grid))
        grid->changeColumnsTogether([&] { restoreColumns(stored, grid); });
    return true;
}

} // namespace host::ui::Layouts
