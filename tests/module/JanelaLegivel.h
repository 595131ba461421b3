#pragma once
// A window as a person reads it: nothing it shows cut at the default font
// (grid titles, tab captions, button texts, labels and group titles), and
// its picture kept next to the test program as an artefact (drawn on a real
// X server by the screenshot test, offscreen otherwise).

#include <QString>

class QWidget;

namespace host::ui {
class DataGrid;
}

namespace moduletest {

// Expects every caption shown on the window as it stands (its current tab)
// to be as wide as its text.
void confereLegivel(QWidget& janela);

// Expects every column of the grid, its title with it, to lie wholly inside
// the grid's view: none is cut at the grid's right edge.
void confereColunasInteiras(host::ui::DataGrid& grade);

// Lets the window settle, saves its picture as the file of that name beside
// the test program and checks it as confereLegivel does.
void guardaFoto(QWidget& janela, const QString& arquivo);

}  // namespace moduletest
