#pragma once
// The small constructors the entry windows build their controls with: each
// control carries its name (tests and layouts find it by it) and, for the
// data-aware ones, its data source and field.

#include <QString>
#include <QStringList>

#include <initializer_list>

class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace host::data {
class DataSource;
}

namespace host::ui {

class DataCheckBox;
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class GridColumn;

// A PushButton (measured once per text and look for the session).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
// The narrow "..." button beside a field that opens a search (its width
// measured once per font).
QPushButton* makeSearchButton(QWidget* parent, const char* name);
DataEdit* makeEdit(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field);
// An edit of a code as wide as that many digits at its own font, frame and
// margins included: a fixed width in pixels cuts the code under a larger font.
void fitCodeWidth(QLineEdit* edit, int digits);
// A label showing the field (unbound without a source).
DataLabel* makeText(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field);
// A caption that works as a link (the labels that open registers).
DataLabel* makeLink(QWidget* parent, const char* name, const QString& caption);
DataLookupCombo* makeLookup(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field,
                            host::data::DataSource* list, const QString& keyField, const QString& listFields);
// A combo over the field with its fixed items; `editable` lets the user type
// a value outside them (a drop-down), otherwise only the items are chosen.
DataComboBox* makeCombo(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field,
                        const QStringList& items, bool editable = false);
// A check box storing "S"/"N" (or "Sim"/"Não" on a field that maps them).
DataCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, host::data::DataSource* source,
                        const QString& field);

// Grid columns: a titled column, an ellipsis button on it, not editable.
GridColumn* addGridColumn(DataGrid* grid, const QString& field, const QString& title = {}, int width = 80);
GridColumn* withButton(GridColumn* column);
GridColumn* readOnly(GridColumn* column);
// A grid over the source filling the page (below what the page holds).
DataGrid* gridOnPage(QWidget* page, const char* name, host::data::DataSource* source);

// Captions above their controls, in a grid of cells filled left to right.
class CaptionGrid {
public:
    CaptionGrid(QWidget* parent, int columns);
    // The caption (a label or a text) over the control and its extras.
    void field(QWidget* caption, QWidget* control, std::initializer_list<QWidget*> extras = {}, int span = 1);
    void field(const QString& caption, QWidget* control, std::initializer_list<QWidget*> extras = {},
               int span = 1);
    void whole(QWidget* control);   // a row of its own
    void newRow();
    void finish();                  // the rows below take the spare height

private:
    QGridLayout* layout_;
    int columns_;
    int row_ = 0;
    int column_ = 0;
};

}  // namespace host::ui
