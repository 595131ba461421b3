#pragma once
// Inner parts of DataGrid: the table model over the dataset and the cell
// delegate (drawing hook and editors). Not for use outside the grid.

#include "host/ui/DataGrid.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStyledItemDelegate>

#include <functional>
#include <limits>

class QKeyEvent;
class QLineEdit;

namespace host::ui {

class DataGridModel : public QAbstractTableModel, public host::data::DataLink {
    Q_OBJECT
public:
    explicit DataGridModel(DataGrid& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The rows come a page at a time as the view scrolls: a long result
    // opens without being read to its end.
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // The view shows at least `count` rows (fewer when the dataset has fewer).
    void fetchUpTo(int count);
    void fetchAllRows() { fetchUpTo(std::numeric_limits<int>::max()); }

    // Rows or columns changed shape: the view starts again.
    void reset();
    // The grid adds its last column inside `add`.
    void insertColumnWith(const std::function<void()>& add)
    {
        beginInsertColumns({}, columnCount(), columnCount());
        add();
        endInsertColumns();
    }
    bool cellEditable(const QModelIndex& index) const;
    // The look-up list of a look-up field's cell: texts and keys of the rows
    // offered, and of the cell's own.
    void lookupList(const QModelIndex& index, host::data::Field& field, QStringList& texts,
                    QVariantList& keys) const;
    // Writes a look-up choice (the key) for the current row.
    bool setLookupKey(const QModelIndex& index, const QVariant& key);
    // The user starts typing in the cell: its row goes in edit. False when
    // the cell or its dataset refuses.
    bool beginEdit(const QModelIndex& index);
    // The user typed in a cell editor: a text refused before is no longer on show.
    void typed();

private:
    void activeChanged() override;
    void dataChanged(host::data::Field* field) override;
    void stateChanged() override;
    void updateData() override;
    QString fieldCaption(const host::data::Field& field) const override;
    // Rows added or removed reset the view; rowsChanged also repaints the
    // rows' texts (a state change alone must not: it would reset the
    // editor the user is typing in).
    void refreshShape(bool rowsChanged);
    bool moveTo(int row);
    // Rows the dataset holds beyond those shown become the view's last rows.
    void showFetchedRows();
    bool writeText(const QModelIndex& index, const QString& text);

    DataGrid& grid_;
    int rows_ = 0;
    // A title being measured by the header's own means.
    friend class DataGrid;
    mutable bool measuringTitle_ = false;
};

// A text editor with an ellipsis button that runs the grid's edit-button handler.
class EllipsisEditor : public QWidget {
    Q_OBJECT
public:
    EllipsisEditor(DataGrid& grid, QWidget* parent);
    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

// Ctrl+Delete (the keypad's too): the grid's key for its row.
bool isDeleteRowKey(const QKeyEvent& event);

// Watches a cell editor and the line edit inside it: Ctrl+Delete goes to
// the grid, and never edits the cell's text.
class CellDeleteKey : public QObject {
public:
    explicit CellDeleteKey(DataGrid& grid) : QObject(&grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DataGrid& grid_;
};

class DataGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DataGridDelegate(DataGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    // A button column's current cell that no editor opens on (a read-only
    // column) shows its button all the same: a click on it is the button's.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    // The editor was opened by the grid and not let go since. Enter and a
    // lost focus write an editor through a queued call: by then the grid
    // may have closed it (its dataset closed with the window).
    bool holds(const QWidget* editor) const { return open_.contains(editor); }
    bool holdsAny() const { return !open_.isEmpty(); }

private:
    // The rectangle of the button drawn in the cell; empty when none is drawn.
    QRect paintedButton(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QWidget* makeEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QWidget* track(QWidget* editor) const;

    DataGrid& grid_;
    CellDeleteKey* deleteKey_;
    mutable QSet<const QWidget*> open_;
};

} // namespace host::ui
