#pragma once
// Saved layouts: a window's position and size, a grid's columns (order,
// width, visibility), each under a window or grid name. Stored with QSettings
// in one ini file in the user's configuration folder; tests point the folder
// at a temporary one.

#include <QString>

#include <functional>

class QSettings;
class QWidget;

namespace host::ui {

class DataGrid;

namespace Layouts {

// The folder of the layout file; empty gives back the user's configuration folder.
void setFolder(const QString& folder);
QString folder();
QString settingsFile();

// Writes the layout file through `write`, its folder made when missing: a
// user's layout is the user's only (folder 0700 when made here, file 0600).
void writeStored(const std::function<void(QSettings&)>& write);

// The name defaults to the widget's object name.
void saveWindow(const QWidget* window, const QString& name = {});
// False (and the window untouched) when nothing was saved under the name.
bool restoreWindow(QWidget* window, const QString& name = {});

void saveGrid(const DataGrid* grid, const QString& name = {});
bool restoreGrid(DataGrid* grid, const QString& name = {});

} // namespace Layouts
} // namespace host::ui
