#pragma once
// "Exportar para Excel": a grid's visible columns and every row of its
// dataset written as an .xlsx workbook (one sheet), with the grid's titles
// in bold, its column widths and the fields' display formats as the cells'
// number and date formats. Numbers and dates are written as such, texts
// (and fields shown through captions) as their display text.

#include <QString>

namespace host::ui {

class DataGrid;

// Writes the workbook and returns the file written: a name ending in ".xls"
// or without an extension gets ".xlsx" (the file is an .xlsx workbook and
// must say so). The dataset's cursor does not move. A failure to write
// raises std::runtime_error with the reason, in Portuguese.
QString exportGridToXlsx(DataGrid& grid, const QString& path);

// A classic display format as an Excel number format: "," grouping becomes
// "#,##0", sections and literals stay, "nn" minutes become "mm".
QString excelNumberFormat(const QString& classicFormat);
QString excelDateFormat(const QString& classicFormat);

} // namespace host::ui
