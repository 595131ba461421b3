// Grid column layouts: order, width and visibility by field name.
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"

#include <QDir>
#include <QSettings>

namespace host::ui::Layouts {

namespace {

// Whether the stored layout is the grid's as it stands.
bool storedAsItIs(QSettings& store, const DataGrid* grid, const QString& group)
{
    store.beginGroup(group);
    bool same = store.beginReadArray("Colunas") == grid->columnCount();
    for (int i = 0; same && i < grid->columnCount(); ++i) {
        const GridColumn* column = grid->column(i);
        store.setArrayIndex(i);
        same = store.value("Campo").toString() == column->fieldName() &&
               store.value("Largura").toInt() == column->width() &&
               store.value("Visivel").toBool() == column->visible();
    }
    store.endArray();
    store.endGroup();
    return same;
}

// Saved columns come first in their saved order; columns the layout does
// not know (added since) keep their order after them. A grid of automatic
// columns shows its dataset's fields only.
void restoreColumns(QSettings& store, DataGrid* grid, int count)
{
    int position = 0;
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        const QString field = store.value("Campo").toString();
        GridColumn* column = grid->columnByField(field);
        // A column the user added to a designed grid comes back with the layout.
        if (!column && grid->customColumns() && !field.isEmpty())
            column = grid->addColumn(field);
        if (!column)
            continue;
        grid->moveColumn(column->index(), position++);
        const int width = store.value("Largura").toInt();
        if (width > 0)
            column->setWidth(width);
        column->setVisible(store.value("Visivel", true).toBool());
    }
}

}  // namespace

void saveGrid(const DataGrid* grid, const QString& name)
{
    const QString key = name.isEmpty() ? grid->objectName() : name;
    if (key.isEmpty())
        return;
    QDir().mkpath(folder());
    QSettings store(settingsFile(), QSettings::IniFormat);
    // A grid closed as it was opened rewrites (and syncs) no file.
    if (storedAsItIs(store, grid, "Grade_" + key))
        return;
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
    QSettings store(settingsFile(), QSettings::IniFormat);
    store.beginGroup("Grade_" + key);
    const int count = store.beginReadArray("Colunas");
    if (key.isEmpty() || count == 0)
        return false;
    // Laid out once when every column is in place.
    grid->changeColumnsTogether([&] { restoreColumns(store, grid, count); });
    store.endArray();
    return true;
}

} // namespace host::ui::Layouts
