#pragma once
// The host's generic search window: a grid over a data source that the
// caller points at a dataset, a search-kind code, columns built by the
// caller, caption and client width. A double click or Enter on a row closes
// it with OK, Esc with Cancel. Typing letters in the grid finds the first row
// whose selected column begins with them (the host's search keys).

#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"

#include <QString>

#include <functional>
#include <memory>

class QLineEdit;
class QMenu;

namespace host::ui {

class SearchWindow : public Form {
    Q_OBJECT
public:
    explicit SearchWindow(QWidget* parent = nullptr);
    ~SearchWindow() override;

    DataGrid* grid() const { return grid_; }                        // "dbgdGeral"
    host::data::DataSource* dataSource() const { return source_.get(); }   // "dsGeral"
    void setDataset(host::data::Dataset* dataset);
    int searchKind() const { return searchKind_; }
    void setSearchKind(int kind) { searchKind_ = kind; }
    void setGridPopupMenu(QMenu* menu);

    // A list whose rows are edited in place: a key typed in a cell edits it,
    // as in any data grid, instead of searching (a dataset that cannot be
    // modified keeps the search keys).
    void setTypingEdits(bool on) { typingEdits_ = on; }

    // The typed prefix the search keys look for (cleared when the column changes).
    QString searchText() const { return searchText_; }

    // A search box ("edPesquisa") above the grid: each change of its text
    // runs the handler (the caller re-reads its rows with the text as a
    // parameter). In the box Enter picks, Esc cancels and the arrow and page
    // keys move through the rows.
    void enableSearchEdit(std::function<void(const QString& text)> onSearch);
    QLineEdit* searchEdit() const { return searchEdit_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool searchKey(int key, const QString& text);
    bool searchEditKey(int key);

    DataGrid* grid_;
    std::unique_ptr<host::data::DataSource> source_;
    int searchKind_ = 0;
    bool typingEdits_ = false;
    QString searchText_;
    QLineEdit* searchEdit_ = nullptr;
    std::function<void(const QString&)> onSearch_;
};

// The host's search keys on a grid: a printable key adds its text to the
// typed prefix (Backspace takes one character back) and the grid's dataset
// moves to the first row whose selected column begins with it, in any letter
// case. False (nothing done) for other keys or without a selected field.
bool searchGridKey(DataGrid& grid, QString& typed, int key, const QString& text);

// CriaColunaDBGrid: a column of the field with its title and width.
GridColumn* createGridColumn(DataGrid& grid, int width, const QString& title, const QString& fieldName);

// The host's title-click handling: orders a query by the clicked column
// (again on the same column: descending) and reopens it. Other datasets and
// calculated or look-up columns are left as they are. Returns whether the
// data was reordered.
bool sortByColumn(DataGrid& grid, GridColumn& column);

// The SQL text with its outer "order by" replaced (a text without one gets it
// appended). Ordering by "FIELD" toggles to "FIELD desc" when already so.
QString reorderedSql(const QString& sql, const QString& fieldName);

} // namespace host::ui
