#pragma once
// The edit buttons of the order lines' grids share one way of deciding by
// column; the checkout's selected-equipment grid uses it too.

namespace host::ui {
class DataGrid;
}

// The checkout's selected equipment (configured lines of the order):
// product insertion, serial numbers, price by quantity, stock by location
// and the line's configuration text, by the grid's selected column.
void dbgdAssCheckoutEquipEditButtonClick(host::ui::DataGrid* grid);

// True when the grid's selected column is the first visible column bound to
// the field (a hidden column or a second copy of the field never is).
bool AssColunaSelecionada(const host::ui::DataGrid* grid, const char* campo);
