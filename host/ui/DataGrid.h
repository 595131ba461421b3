#pragma once
// Data grid over a data source: one row per row of the dataset, columns by
// field (built from the dataset's fields until the caller adds columns of
// its own), in-place editing, look-up fields and pick lists as drop-down
// lists, ellipsis buttons, and the classic grid events. The grid's current
// row is the dataset's current row, both ways.

#include "host/data/DataSource.h"

#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QTableView>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace host::ui {

class DataGrid;
class DataGridModel;

class GridColumn {
public:
    enum class ButtonStyle { Auto, Ellipsis };

    GridColumn(DataGrid& grid, const QString& fieldName);

    QString fieldName() const { return fieldName_; }
    void setFieldName(const QString& fieldName);
    // The column's field while the dataset is open.
    host::data::Field* field() const;
    int index() const;

    QString title() const;          // the field's label unless one was given
    void setTitle(const QString& title);
    int width() const { return width_; }
    void setWidth(int width);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    QStringList pickList() const { return pickList_; }
    void setPickList(const QStringList& items);
    ButtonStyle buttonStyle() const { return buttonStyle_; }
    void setButtonStyle(ButtonStyle style);
    QColor color() const { return color_; }          // invalid: the grid's colour
    void setColor(const QColor& color);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);

private:
    friend class DataGrid;
    void changed();
    void looksChanged();

    DataGrid& grid_;
    QString fieldName_;
    QString title_;
    int width_ = 64;
    bool visible_ = true;
    bool readOnly_ = false;
    QStringList pickList_;
    ButtonStyle buttonStyle_ = ButtonStyle::Auto;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

// What a draw-cell handler may change before the cell is drawn.
struct CellStyle {
    QColor background;
    QColor foreground;
    QFont font;
};

class DataGrid : public QTableView {
    Q_OBJECT
public:
    // The grid reads its dataset's rows a page at a time as it scrolls:
    // opening shows the first page; what needs every row (the last row, all
    // rows selected) reads the rest first.
    static constexpr int kPageRows = 100;

    explicit DataGrid(const QString& name, QWidget* parent = nullptr);
    ~DataGrid() override;

    void setDataSource(host::data::DataSource* source);
    host::data::DataSource* dataSource() const;
    host::data::Dataset* dataset() const;

    // Columns, in display order. Adding one ends the automatic columns.
    GridColumn* addColumn(const QString& fieldName, const QString& title = {}, int width = -1);
    void clearColumns();
    int columnCount() const { return int(columns_.size()); }
    GridColumn* column(int index) const;
    GridColumn* columnByField(const QString& fieldName) const;   // any letter case
    const std::vector<std::unique_ptr<GridColumn>>& columns() const { return columns_; }
    // Puts a column at another position.
    void moveColumn(int from, int to);
    bool customColumns() const { return custom_; }
    // Runs changes to several columns (order, widths, visibility, columns
    // added) and lays the grid out once at the end instead of at each change.
    void changeColumnsTogether(const std::function<void()>& changes);

    // Options.
    void setEditing(bool on);                  // in-place editing (on by default)
    bool editing() const { return editing_; }
    void setReadOnlyGrid(bool on);
    bool readOnlyGrid() const { return readOnly_; }
    void setRowSelect(bool on);                // whole rows, no editing
    bool rowSelect() const { return rowSelect_; }
    void setMultiSelect(bool on);
    bool multiSelect() const { return multiSelect_; }
    // The colour under the cells (invalid: the palette's). The grid keeps
    // its palette: the style keeps the pictures it draws a frame with under
    // the palette's key, and a palette made for a grid leaves a new set of
    // them behind whenever it is made.
    void setBaseColor(const QColor& color);
    QColor baseColor() const { return baseColor_; }
    // Ctrl+Delete deletes the current row after "Confirma a exclusão do
    // registro?" only on a grid whose window says its rows are the user's
    // to delete that way, under the dataset's own delete rules (passwords,
    // checks, commit). Off by default: most rows go only through their
    // window's own deletion and its checks. The key is the grid's also in
    // an open cell: it never edits the cell's text.
    void setDeleteKey(bool on) { deleteKey_ = on; }
    bool deleteKey() const;
    // A text typed into the empty grid starts its first row, the key being
    // the cell's first; off by default (Insert and Down start one anyway).
    void setTypingStartsRow(bool on) { typingStartsRow_ = on; }
    // The column a row started in the grid (Insert, Down past the last row,
    // a text typed into the empty grid) opens in: the one its user types
    // first, past the keys the row's own rules fill. Empty: the column stays.
    void setEntryField(const QString& fieldName) { entryField_ = fieldName; }
    // Ctrl+Delete, from the grid or from its open cell (or a window's
    // button): the question, then the delete, where the grid allows it.
    void deleteCurrentRow();

    // The selected column (index into columns()) and its field.
    int selectedIndex() const;
    void setSelectedIndex(int index);
    GridColumn* selectedColumn() const { return column(selectedIndex()); }
    host::data::Field* selectedField() const;

    // Multi-select: the selected rows as record numbers (1-based, ascending).
    QList<int> selectedRows() const;
    void selectRow(int recNo, bool selected = true);
    void clearSelectedRows();
    void selectAll() override;

    // Runs the edit-button handler as a click on the ellipsis would.
    void editButtonClick();
    // Starts editing the current cell (a drop-down opens its list).
    void editCurrentCell();

    std::function<void()> onEditButtonClick;
    std::function<void()> onColEnter;
    std::function<void()> onColExit;
    std::function<void(GridColumn& column)> onTitleClick;
    std::function<void(CellStyle& style, int dataCol, GridColumn& column, bool selected)> onDrawColumnCell;
    std::function<void()> onDblClick;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> onKeyDown;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    std::function<void()> onColumnMoved;

    // The model's view of the data (for the editors and the layout store).
    void columnsChanged();
    void columnLooksChanged(int index);
    // The size the header's style gives a section's title.
    QSize titleSize(Qt::Orientation orientation, int section) const;

protected:
    // A grid not yet shown (its window being built) lays out its headers and
    // scroll bars once, when shown: each column added would otherwise measure
    // every title of the header again.
    void updateGeometries() override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A click on the cell already current opens its editor a moment later
    // (a second click may still make it a double click); a key typed
    // meanwhile opens it at once and is the editor's first key.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Writing a cell runs the field's rules, which may show a dialog (its own
    // event loop, the focus taken from the editor) or abort: the editor must
    // outlive the write, and a refused text keeps the cell current.
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class DataGridModel;
    void rebuildAutomaticColumns();
    void applyColumnGeometry();
    int shownWidth(const GridColumn& column) const;
    void applyOptions();
    void followDataset();
    // Writes the open cell editor's text into its field (before a post).
    void commitEditor();
    void headerMoved(int logical, int oldVisual, int newVisual);
    void layOutHeldChanges();
    // A printable key typed into the empty grid: its first row started.
    bool startRowForTyping(const QKeyEvent& event);
    // The new row's cursor put on the entry field's column, when shown.
    void goToEntryColumn();

    // What changed while the columns' changes were held together.
    struct HeldChanges {
        bool rows = false;    // order or options: the view starts again
        bool looks = false;   // widths, visibility, titles, columns added
    };

    std::unique_ptr<DataGridModel> model_;
    std::vector<std::unique_ptr<GridColumn>> columns_;
    bool custom_ = false;
    bool editing_ = true;
    bool readOnly_ = false;
    bool deleteKey_ = false;
    bool typingStartsRow_ = false;
    QString entryField_;
    bool rowSelect_ = false;
    bool multiSelect_ = false;
    QColor baseColor_;
    bool following_ = false;
    int lastColumn_ = -1;
    int exitingColumn_ = -1;
    // The editor whose text is being written, and what happened meanwhile.
    QWidget* committing_ = nullptr;
    QPointer<QWidget> closedUnderCommit_;
    bool deletionHeld_ = false;
    bool commitRefused_ = false;
    // The editor whose text the field refused (and the refusal told), not
    // typed in since: leaving it tells nothing again; a post tells it again.
    QPointer<QWidget> refusedEditor_;
    bool geometriesPending_ = false;
    std::optional<HeldChanges> held_;
    // The click on the current cell whose editor waits to open.
    QPersistentModelIndex pressedCurrent_;
    QPersistentModelIndex clickedCell_;
    QBasicTimer clickEdit_;
};

// Asks "Confirma a exclusão do registro?" and, on "Sim", deletes the current
// row (a row not yet stored is only let go). The dataset's own delete rules
// run and may refuse; committing is the caller's. True when the row went.
bool confirmAndDeleteRow(host::data::Dataset& dataset);

} // namespace host::ui
