#include "host/ui/DataGrid.h"

#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Components.h"
#include "host/ui/DataGridParts.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QTimerEvent>

#include <utility>

namespace host::ui {
namespace {

// Keys that move to another row (or would, on the first or last row).
bool leavesRow(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        return event.modifiers().testFlag(Qt::ControlModifier);
    default:
        return false;
    }
}

// The grid has the editor open: Qt's view warns, and reads the editor, when
// asked to write or close one it let go. Only the grid's own delegate keeps
// count of its editors; any other is left to Qt, so no write is dropped.
bool holdsEditor(const QAbstractItemView& view, const QWidget* editor)
{
    auto* delegate = qobject_cast<const DataGridDelegate*>(view.itemDelegate());
    return !delegate || delegate->holds(editor);
}

// The text of a cell editor (a plain, ellipsis or typed-list editor)
// selected, to be typed over; false for an editor without one.
bool selectTypedText(QWidget& editor)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(&editor);
    if (!edit)
        edit = qobject_cast<QLineEdit*>(editor.focusProxy());
    if (auto* combo = qobject_cast<QComboBox*>(&editor); !edit && combo)
        edit = combo->lineEdit();
    if (!edit)
        return false;
    edit->selectAll();
    return true;
}

// Column titles measured in a header's font with its style's margins.
struct TitleMeasures {
    QFont font;
    QPointer<const QStyle> style;   // null again if that style goes
    int margin = 0;
    QHash<QString, int> widths;
};

// The sizes a header's style gives its titles, in one font and style, by
// title (a row's title is empty) and whether the sort mark is shown.
struct TitleSizes {
    QFont font;
    QPointer<const QStyle> style;
    QHash<QString, QSize> sizes;
};

// Qt's own measure of a section, reached from outside the header.
struct HeaderMeasure : QHeaderView {
    using QHeaderView::sectionSizeFromContents;
};

}  // namespace

bool isDeleteRowKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Delete && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

bool CellDeleteKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isDeleteRowKey(*static_cast<QKeyEvent*>(event)))
        return QObject::eventFilter(watched, event);
    grid_.deleteCurrentRow();
    return true;
}

// ---- columns ----------------------------------------------------------------

GridColumn::GridColumn(DataGrid& grid, const QString& fieldName) : grid_(grid), fieldName_(fieldName) {}

void GridColumn::changed() { grid_.columnsChanged(); }

void GridColumn::looksChanged() { grid_.columnLooksChanged(index()); }

void GridColumn::setFieldName(const QString& fieldName)
{
    fieldName_ = fieldName;
    changed();
}

host::data::Field* GridColumn::field() const
{
    host::data::Dataset* data = grid_.dataset();
    return data && data->active() ? data->findField(fieldName_) : nullptr;
}

int GridColumn::index() const
{
    for (int i = 0; i < grid_.columnCount(); ++i)
        if (grid_.column(i) == this)
            return i;
    return -1;
}

QString GridColumn::title() const
{
    if (!title_.isEmpty())
        return title_;
    // A closed dataset keeps its declared fields: their labels title the
    // empty grid as they title it over rows.
    host::data::Dataset* data = grid_.dataset();
    host::data::Field* f = data ? data->findField(fieldName_) : nullptr;
    return f ? f->displayLabel() : fieldName_;
}

void GridColumn::setTitle(const QString& title)
{
    if (title == title_)
        return;
    title_ = title;
    looksChanged();
}

void GridColumn::setWidth(int width)
{
    if (width == width_)
        return;
    width_ = width;
    looksChanged();
}

void GridColumn::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    looksChanged();
}

void GridColumn::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    changed();
}

void GridColumn::setPickList(const QStringList& items)
{
    pickList_ = items;
    changed();
}

void GridColumn::setButtonStyle(ButtonStyle style)
{
    buttonStyle_ = style;
    changed();
}

void GridColumn::setColor(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    looksChanged();
}

void GridColumn::setAlignment(Qt::Alignment alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    looksChanged();
}

// ---- grid -------------------------------------------------------------------

DataGrid::DataGrid(const QString& name, QWidget* parent)
    : QTableView(parent), model_(std::make_unique<DataGridModel>(*this))
{
    setObjectName(name);
    setModel(model_.get());
    setItemDelegate(new DataGridDelegate(*this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (GridColumn* c = column(section); c && onTitleClick)
            runGuarded([&] { onTitleClick(*c); });
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &DataGrid::headerMoved);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (GridColumn* c = column(section); c && !following_ && c->visible())
            c->width_ = size;
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (onDblClick)
            runGuarded(onDblClick);
    });
    watchFocus(this, [this] { if (onEnter) onEnter(); }, [this] { if (onExit) onExit(); });
    applyOptions();
}

DataGrid::~DataGrid()
{
    // An editor still open is let go through the delegate, as a view
    // starting again lets its editors go, while its row is still there.
    auto* delegate = qobject_cast<DataGridDelegate*>(itemDelegate());
    if (delegate && delegate->holdsAny())
        QAbstractItemView::reset();
    // The model goes before the view: the view, its headers and its
    // selection hear it destroyed and fall back to Qt's empty model, and the
    // model leaves its data source quietly. Handing the view an empty model
    // instead would lay out the view and its headers again just before they go.
    model_.reset();
}

void DataGrid::updateGeometries()
{
    geometriesPending_ = !isVisible();
    if (!geometriesPending_)
        QTableView::updateGeometries();
}

void DataGrid::setBaseColor(const QColor& color)
{
    if (color == baseColor_)
        return;
    baseColor_ = color;
    viewport()->update();
}

void DataGrid::paintEvent(QPaintEvent* event)
{
    if (baseColor_.isValid())
        QPainter(viewport()).fillRect(event->rect(), baseColor_);
    QTableView::paintEvent(event);
}

void DataGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    if (geometriesPending_)
        updateGeometries();
}

void DataGrid::setDataSource(host::data::DataSource* source) { model_->setDataSource(source); }

host::data::DataSource* DataGrid::dataSource() const { return model_->dataSource(); }

host::data::Dataset* DataGrid::dataset() const { return model_->dataset(); }

GridColumn* DataGrid::column(int index) const
{
    return index >= 0 && index < columnCount() ? columns_[size_t(index)].get() : nullptr;
}

GridColumn* DataGrid::columnByField(const QString& fieldName) const
{
    for (const auto& c : columns_)
        if (c->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

GridColumn* DataGrid::addColumn(const QString& fieldName, const QString& title, int width)
{
    auto column = std::make_unique<GridColumn>(*this, fieldName);
    column->title_ = title;
    if (width >= 0)
        column->width_ = width;
    if (!custom_) {
        // The automatic columns go: the view starts again on the new one.
        custom_ = true;
        columns_.clear();
        columns_.push_back(std::move(column));
        columnsChanged();
    } else if (held_) {
        // Columns added together: the view starts once on all of them, not
        // once per column (the header lays every section out at each insert).
        columns_.push_back(std::move(column));
        held_->rows = true;
    } else {
        // One column more: the rows stay as they are.
        model_->insertColumnWith([&] { columns_.push_back(std::move(column)); });
        applyColumnGeometry();
        followDataset();
    }
    return columns_.back().get();
}

void DataGrid::clearColumns()
{
    columns_.clear();
    custom_ = true;
    columnsChanged();
}

void DataGrid::moveColumn(int from, int to)
{
    if (from < 0 || from >= columnCount() || to < 0 || to >= columnCount() || from == to)
        return;
    auto moved = std::move(columns_[size_t(from)]);
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + to, std::move(moved));
    columnsChanged();
}

void DataGrid::headerMoved(int logical, int oldVisual, int newVisual)
{
    if (following_)
        return;
    // The header only moved a section; the columns take the new order and
    // the header goes back to showing them in order.
    following_ = true;
    horizontalHeader()->moveSection(newVisual, oldVisual);
    following_ = false;
    moveColumn(oldVisual, newVisual);
    if (onColumnMoved)
        runGuarded(onColumnMoved);
}

void DataGrid::rebuildAutomaticColumns()
{
    if (custom_)
        return;
    columns_.clear();
    host::data::Dataset* data = dataset();
    if (!data || !data->active())
        return;
    for (host::data::Field* f : data->fields()) {
        if (!f->visible())
            continue;
        auto column = std::make_unique<GridColumn>(*this, f->fieldName());
        // Numbers are measured in digits, which are wider than the average character.
        const bool text = f->dataType() == host::data::FieldType::String;
        const int chars = text ? std::clamp(f->size(), 4, 40) : 10;
        column->width_ = (text ? fontMetrics().averageCharWidth() * chars
                               : fontMetrics().horizontalAdvance(QString(chars, QChar('0')))) + 8;
        columns_.push_back(std::move(column));
    }
}

void DataGrid::columnsChanged()
{
    if (held_) {
        held_->rows = true;
        return;
    }
    model_->reset();
    applyColumnGeometry();
    followDataset();
}

// A column's title, width, colour or options changed: its cells and title
// are drawn again, the rows stay as they are.
void DataGrid::columnLooksChanged(int index)
{
    if (held_) {
        held_->looks = true;
        return;
    }
    applyColumnGeometry();
    if (index < 0 || index >= columnCount())
        return;
    emit model_->headerDataChanged(Qt::Horizontal, index, index);
    viewport()->update();
}

void DataGrid::changeColumnsTogether(const std::function<void()>& changes)
{
    if (held_) {
        changes();
        return;
    }
    held_.emplace();
    // Laid out also when a change throws: the columns changed before it stay.
    struct LayOutAtEnd {
        DataGrid& grid;
        ~LayOutAtEnd() { grid.layOutHeldChanges(); }
    } layOut{*this};
    changes();
}

void DataGrid::layOutHeldChanges()
{
    const HeldChanges held = *held_;
    held_.reset();
    if (held.rows) {
        columnsChanged();
    } else if (held.looks) {
        applyColumnGeometry();
        if (columnCount() > 0)
            emit model_->headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        viewport()->update();
        followDataset();
    }
}

int DataGrid::shownWidth(const GridColumn& column) const
{
    // A width given in pixels was chosen for another font: it is a minimum,
    // and the title is never cut. Each title is measured once per header
    // font and style, for every grid: the columns are laid out again at
    // every change of any of them, and each window opened again shows the
    // same titles.
    static TitleMeasures measures;
    const QHeaderView* header = horizontalHeader();
    const QStyle* style = header->style();
    if (!measures.style || measures.style != style || header->font() != measures.font) {
        measures.font = header->font();
        measures.style = style;
        measures.widths.clear();
        measures.margin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    }
    const QString title = column.title();
    auto measured = measures.widths.constFind(title);
    if (measured == measures.widths.cend())
        measured = measures.widths.insert(title, QFontMetrics(measures.font).horizontalAdvance(title) + measures.margin);
    return std::max(column.width(), *measured);
}

QSize DataGrid::titleSize(Qt::Orientation orientation, int section) const
{
    // Qt lays each title's text out again at every measure, and measures
    // every title at each layout of the view (each search, each column
    // changed): each title is measured once per header font and style, for
    // every grid, the way the header itself measures it.
    static TitleSizes horizontal, vertical;
    TitleSizes& known = orientation == Qt::Horizontal ? horizontal : vertical;
    QHeaderView* header = orientation == Qt::Horizontal ? horizontalHeader() : verticalHeader();
    if (!known.style || known.style != header->style() || header->font() != known.font) {
        known.font = header->font();
        known.style = header->style();
        known.sizes.clear();
    }
    const GridColumn* titled = orientation == Qt::Horizontal ? column(section) : nullptr;
    const QString key = (header->isSortIndicatorShown() ? QLatin1Char('s') : QLatin1Char('-'))
                        + (titled ? titled->title() : QString());
    auto measured = known.sizes.constFind(key);
    if (measured == known.sizes.cend()) {
        model_->measuringTitle_ = true;
        const QSize size = (header->*&HeaderMeasure::sectionSizeFromContents)(section);
        model_->measuringTitle_ = false;
        measured = known.sizes.insert(key, size);
    }
    return *measured;
}

void DataGrid::applyColumnGeometry()
{
    following_ = true;
    for (int i = 0; i < columnCount(); ++i) {
        setColumnHidden(i, !column(i)->visible());
        if (column(i)->visible())
            setColumnWidth(i, shownWidth(*column(i)));
    }
    following_ = false;
}

void DataGrid::applyOptions()
{
    setSelectionBehavior(rowSelect_ ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setSelectionMode(multiSelect_ ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    if (multiSelect_)
        setSelectionBehavior(QAbstractItemView::SelectRows);
}

void DataGrid::setEditing(bool on)
{
    editing_ = on;
    columnsChanged();
}

void DataGrid::setReadOnlyGrid(bool on)
{
    readOnly_ = on;
    columnsChanged();
}

void DataGrid::setRowSelect(bool on)
{
    rowSelect_ = on;
    applyOptions();
    columnsChanged();
}

void DataGrid::setMultiSelect(bool on)
{
    multiSelect_ = on;
    applyOptions();
    clearSelectedRows();
}

int DataGrid::selectedIndex() const
{
    if (exitingColumn_ >= 0)
        return exitingColumn_;
    const int c = currentIndex().isValid() ? currentIndex().column() : lastColumn_;
    return c >= 0 && c < columnCount() ? c : (columnCount() > 0 ? 0 : -1);
}

void DataGrid::setSelectedIndex(int index)
{
    if (index < 0 || index >= columnCount())
        return;
    const int row = currentIndex().isValid() ? currentIndex().row() : std::max(0, dataset() ? dataset()->recNo() - 1 : 0);
    if (row < model_->rowCount())
        setCurrentIndex(model_->index(row, index));
    else
        lastColumn_ = index;
}

host::data::Field* DataGrid::selectedField() const
{
    GridColumn* c = selectedColumn();
    return c ? c->field() : nullptr;
}

QList<int> DataGrid::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DataGrid::selectRow(int recNo, bool selected)
{
    model_->fetchUpTo(recNo);
    if (recNo < 1 || recNo > model_->rowCount() || columnCount() == 0)
        return;
    const QItemSelection row(model_->index(recNo - 1, 0), model_->index(recNo - 1, columnCount() - 1));
    selectionModel()->select(row, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void DataGrid::selectAll()
{
    model_->fetchAllRows();
    QTableView::selectAll();
}

// The view moves among the rows it has: the rows a move lands on are read first.
QModelIndex DataGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    switch (cursorAction) {
    case MoveEnd:
        model_->fetchAllRows();
        break;
    case MovePageDown:
        model_->fetchUpTo(row + 2 + std::max(1, viewport()->height() / std::max(1, rowHeight(row))));
        break;
    case MoveDown:
    case MoveNext:
        model_->fetchUpTo(row + 2);
        break;
    default: break;
    }
    return QTableView::moveCursor(cursorAction, modifiers);
}

void DataGrid::clearSelectedRows()
{
    if (selectionModel())
        selectionModel()->clearSelection();
}

void DataGrid::editButtonClick()
{
    if (onEditButtonClick)
        runGuarded(onEditButtonClick);
}

void DataGrid::editCurrentCell()
{
    if (!currentIndex().isValid())
        return;
    edit(currentIndex());
    if (auto* combo = qobject_cast<QComboBox*>(indexWidget(currentIndex())))
        combo->showPopup();
}

void DataGrid::followDataset()
{
    host::data::Dataset* data = dataset();
    if (following_ || !data || !data->active() || data->recNo() < 1 || columnCount() == 0)
        return;
    const int row = data->recNo() - 1;
    model_->fetchUpTo(row + 1);   // a row the dataset holds already: nothing is read
    if (row >= model_->rowCount())
        return;
    int col = currentIndex().isValid() ? currentIndex().column() : (lastColumn_ >= 0 ? lastColumn_ : 0);
    col = std::min(col, columnCount() - 1);
    if (currentIndex().row() == row && currentIndex().column() == col)
        return;
    // The dataset moved by itself: what the editor held was written before
    // the row was posted; committing it now would pull the dataset back.
    if (QWidget* editor = indexWidget(currentIndex()); editor && state() == QAbstractItemView::EditingState)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    following_ = true;
    selectionModel()->setCurrentIndex(model_->index(row, col),
                                      multiSelect_ ? QItemSelectionModel::NoUpdate
                                                   : QItemSelectionModel::ClearAndSelect
                                                         | (rowSelect_ ? QItemSelectionModel::Rows
                                                                       : QItemSelectionModel::NoUpdate));
    following_ = false;
}

void DataGrid::commitEditor()
{
    QWidget* editor = indexWidget(currentIndex());
    if (!editor || state() != QAbstractItemView::EditingState)
        return;
    // The text refused a moment ago, still as it was: the post reading it is
    // refused in words, the text written again so the field tells why.
    const bool refusedBefore = editor == refusedEditor_;
    if (refusedBefore)
        refusedEditor_ = nullptr;
    commitData(editor);
    // A text the field refused stays in its editor: the row is not posted
    // without it.
    if (std::exchange(commitRefused_, false) && indexWidget(currentIndex()) == editor) {
        if (refusedBefore)
            editor->setFocus();
        host::abortOperation();
    }
}

void DataGrid::commitData(QWidget* editor)
{
    // The editor losing the focus to the rule's own dialog commits again:
    // the same text is being written already.
    if (committing_ || !editor || !holdsEditor(*this, editor))
        return;
    // The refused text, not typed in since: told already, it is not written
    // again (the editor losing the focus, the grid going) and stays to be mended.
    if (editor == refusedEditor_) {
        commitRefused_ = true;
        return;
    }
    committing_ = editor;
    closedUnderCommit_ = nullptr;
    commitRefused_ = false;
    deletionHeld_ = false;
    editor->installEventFilter(this);
    QTableView::commitData(editor);
    editor->removeEventFilter(this);
    committing_ = nullptr;
    // Closed under the dialog: its deletion waited for the write to end; it
    // goes once the event that led here (a key in the editor) is done.
    if (deletionHeld_)
        editor->deleteLater();
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor && editor == committing_) {
        closedUnderCommit_ = editor;
    } else if (editor && editor == closedUnderCommit_) {
        closedUnderCommit_ = nullptr;
        return;   // already closed while its text was written
    }
    if (!holdsEditor(*this, editor))
        return;   // let go already (its dataset closed): a queued close arriving late
    if (std::exchange(commitRefused_, false) && hint != QAbstractItemDelegate::RevertModelCache) {
        // A refused text stays in its cell's editor, selected, to be mended
        // as in a box (Esc gives back the field's value); an editor whose
        // cell is no longer current closes with the field's value.
        if (indexWidget(currentIndex()) == editor && selectTypedText(*editor))
            return;
        hint = QAbstractItemDelegate::NoHint;
    }
    QTableView::closeEditor(editor, hint);
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DeferredDelete && watched == committing_) {
        deletionHeld_ = true;
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    const bool columnChanged = current.column() != previous.column() || !previous.isValid();
    if (columnChanged && previous.isValid() && onColExit) {
        exitingColumn_ = previous.column();   // the handler still sees the column it leaves
        runGuarded(onColExit);
        exitingColumn_ = -1;
    }
    lastColumn_ = current.column();
    if (!following_) {
        host::data::Dataset* data = dataset();
        if (data && data->active() && data->recNo() != current.row() + 1) {
            bool moved = runGuarded([&] { data->setRecNo(current.row() + 1); });
            if (!moved || data->recNo() != current.row() + 1) {
                followDataset();   // the dataset refused to leave its row
                return;
            }
        }
    }
    if (columnChanged && onColEnter)
        runGuarded(onColEnter);
}

bool DataGrid::deleteKey() const
{
    host::data::Dataset* data = dataset();
    if (!data || !data->canModify() || readOnly_ || !editing_ || rowSelect_)
        return false;
    return deleteKey_;
}

void DataGrid::deleteCurrentRow()
{
    host::data::Dataset* data = dataset();
    if (!deleteKey() || !data->active())
        return;   // nor is the cell's text touched
    // An open cell stays as typed while asked: a refused delete keeps it,
    // and a row that goes takes its editor with it.
    const bool cellOpen = state() == QAbstractItemView::EditingState;
    runGuarded([&] { confirmAndDeleteRow(*data); });
    if (cellOpen && state() != QAbstractItemView::EditingState)
        setFocus();
}

bool DataGrid::startRowForTyping(const QKeyEvent& event)
{
    host::data::Dataset* data = dataset();
    const bool typed = !event.text().isEmpty() && event.text().at(0).isPrint()
                       && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typed || !data->isEmpty() || data->editing())
        return true;
    if (!runGuarded([&] { data->append(); }))
        return false;
    goToEntryColumn();
    return currentIndex().isValid();
}

void DataGrid::goToEntryColumn()
{
    GridColumn* entry = entryField_.isEmpty() ? nullptr : columnByField(entryField_);
    host::data::Dataset* data = dataset();
    if (entry && entry->visible() && data && data->state() != host::data::DatasetState::Browse)
        setSelectedIndex(entry->index());
}

bool confirmAndDeleteRow(host::data::Dataset& dataset)
{
    if (!dataset.active() || dataset.isEmpty())
        return false;
    if (Dialogs::question("Confirma a exclusão do registro?", {"Sim", "Não"}) != "Sim")
        return false;
    // Cancelling a row not yet stored makes the row shown before it
    // current: that one must not be deleted in its place.
    if (dataset.state() == host::data::DatasetState::Insert) {
        dataset.cancel();
        return true;
    }
    // The stored row goes, whatever was typed over it; a delete refused
    // keeps the typing, to be saved or cancelled.
    dataset.remove();
    return true;
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    clickEdit_.stop();
    const QModelIndex pressed = indexAt(event->position().toPoint());
    // Qt's own delayed edit opens the editor without the keys typed before
    // it opens, and keeps them from opening it: the grid keeps its own.
    pressedCurrent_ = event->button() == Qt::LeftButton && pressed.isValid() && pressed == currentIndex()
                              && state() != QAbstractItemView::EditingState
                          ? QPersistentModelIndex(pressed)
                          : QPersistentModelIndex();
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex released = indexAt(event->position().toPoint());
    if (pressedCurrent_.isValid() && released == pressedCurrent_ && released == currentIndex()
        && state() != QAbstractItemView::EditingState) {
        clickedCell_ = pressedCurrent_;
        clickEdit_.start(QApplication::doubleClickInterval(), this);
    }
    pressedCurrent_ = QPersistentModelIndex();
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    clickEdit_.stop();
    QTableView::mouseDoubleClickEvent(event);
}

void DataGrid::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != clickEdit_.timerId()) {
        QTableView::timerEvent(event);
        return;
    }
    clickEdit_.stop();
    if (state() != QAbstractItemView::EditingState && clickedCell_.isValid() && clickedCell_ == currentIndex())
        edit(currentIndex());
}

void DataGrid::focusOutEvent(QFocusEvent* event)
{
    // The editor taking the focus is the edit the click waited for.
    clickEdit_.stop();
    QTableView::focusOutEvent(event);
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    clickEdit_.stop();
    if (onKeyDown) {
        int key = event->key();
        bool consumed = false;
        runGuarded([&] {
            onKeyDown(key, event->modifiers());
            consumed = key == 0;
        });
        if (consumed)
            return;
    }
    host::data::Dataset* data = dataset();
    // A key that leaves the row stores the row being typed first, also where
    // there is no row to move to: the row is never left pending, and Down
    // on the last row adds a row only once this one is stored.
    if (leavesRow(*event) && data && data->active() && data->editing()) {
        const bool lastRow = data->recNo() >= model_->rowCount();
        if (!runGuarded([&] { data->checkBrowseMode(); }) || data->editing())
            return;   // refused: the row stays, with what was typed
        // What the editor held is stored: it closes as the row is left.
        if (QWidget* editor = indexWidget(currentIndex()); editor && state() == QAbstractItemView::EditingState)
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (event->key() == Qt::Key_Down && lastRow)
            return;
    }
    const bool modifiable = data && data->active() && data->canModify() && editing_ && !readOnly_ && !rowSelect_;
    if (modifiable && state() != QAbstractItemView::EditingState) {
        // The classic grid keys: Down past the last row appends, Insert
        // inserts, Esc cancels the row being edited.
        model_->fetchUpTo(data->recNo() + 1);
        const bool lastRow = data->recNo() >= model_->rowCount();
        if ((event->key() == Qt::Key_Down && lastRow && !data->editing() && event->modifiers() == Qt::NoModifier)
            || event->key() == Qt::Key_Insert) {
            if (runGuarded([&] { event->key() == Qt::Key_Insert ? data->insert() : data->append(); }))
                goToEntryColumn();
            return;
        }
        if (event->key() == Qt::Key_Escape && data->editing()) {
            runGuarded([&] { data->cancel(); });
            return;
        }
    }
    if (isDeleteRowKey(*event)) {
        deleteCurrentRow();
        return;
    }
    if (typingStartsRow_ && modifiable && state() != QAbstractItemView::EditingState && !startRowForTyping(*event))
        return;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers().testFlag(Qt::ControlModifier)) {
        if (GridColumn* c = selectedColumn(); c && c->buttonStyle() == GridColumn::ButtonStyle::Ellipsis) {
            editButtonClick();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

} // namespace host::ui
