#include "host/ui/DataGridParts.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Colors.h"
#include "host/ui/Errors.h"

namespace host::ui {

DataGridModel::DataGridModel(DataGrid& grid) : grid_(grid) {}

int DataGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    host::data::Dataset* data = dataset();
    GridColumn* column = grid_.column(index.column());
    if (!data || !data->active() || !column || index.row() >= rows_)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        host::data::Field* f = column->field();
        if (!f)
            return {};
        QString text;
        runGuarded([&] {
            host::data::Dataset::RowScope scope(*data, index.row() + 1);
            text = role == Qt::EditRole ? f->text() : f->displayText();
        });
        return text;
    }
    case Qt::TextAlignmentRole: {
        host::data::Field* f = column->field();
        if (f && f->isNumeric() && column->alignment() == (Qt::AlignLeft | Qt::AlignVCenter))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(column->alignment());
    }
    case Qt::BackgroundRole:
        return column->color().isValid() ? QVariant(column->color()) : QVariant();
    default: return {};
    }
}

bool DataGridModel::moveTo(int row)
{
    host::data::Dataset* data = dataset();
    if (!data || !data->active())
        return false;
    if (data->recNo() == row + 1)
        return true;
    return runGuarded([&] { data->setRecNo(row + 1); }) && data->recNo() == row + 1;
}

bool DataGridModel::beginEdit(const QModelIndex& index)
{
    if (!cellEditable(index) || !moveTo(index.row()))
        return false;
    bool editing = false;
    runGuarded([&] { editing = edit(); });
    return editing;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole)
        return false;
    const bool written = writeText(index, value.toString());
    if (!written && grid_.committing_) {
        grid_.commitRefused_ = true;
        grid_.refusedEditor_ = grid_.committing_;
    }
    return written;
}

void DataGridModel::typed() { grid_.refusedEditor_ = nullptr; }

bool DataGridModel::writeText(const QModelIndex& index, const QString& text)
{
    if (!cellEditable(index) || !moveTo(index.row()))
        return false;
    host::data::Field* f = grid_.column(index.column())->field();
    if (f->text() == text && !dataset()->editing())
        return true;   // nothing typed: no edit
    return beginEdit(index) && runGuarded([&] { f->setText(text); });
}

bool DataGridModel::setLookupKey(const QModelIndex& index, const QVariant& key)
{
    if (!beginEdit(index))
        return false;
    host::data::Field* f = grid_.column(index.column())->field();
    return runGuarded([&] {
        const QStringList keyFields = f->keyFields().split(';', Qt::SkipEmptyParts);
        if (!keyFields.isEmpty())
            dataset()->fieldByName(keyFields.first().trimmed())->setValue(key);
    });
}

// Before the row is posted: the text still in the cell editor goes into its field.
void DataGridModel::updateData() { grid_.commitEditor(); }

void DataGridModel::lookupList(const QModelIndex& index, host::data::Field& field, QStringList& texts,
                               QVariantList& keys) const
{
    host::data::Dataset* list = field.lookupDataset();
    if (!list || !list->active())
        return;
    host::data::Field* key = list->findField(field.lookupKeyFields().section(';', 0, 0).trimmed());
    host::data::Field* result = list->findField(field.lookupResultField());
    if (!key || !result)
        return;
    // The cell's own value stays in the list though no longer offered.
    QVariant stored;
    if (host::data::Field* own = field.dataset().findField(field.keyFields().section(';', 0, 0).trimmed())) {
        host::data::Dataset::RowScope scope(field.dataset(), index.row() + 1);
        stored = own->value();
    }
    const int count = list->recordCount();
    for (int r = 1; r <= count; ++r) {
        host::data::Dataset::RowScope scope(*list, r);
        if (!list->rowOffered() && (stored.isNull() || key->value().toString() != stored.toString()))
            continue;
        texts << result->displayText();
        keys << key->value();
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The header measures its titles at each layout of the view: the grid
    // answers with the measure it keeps.
    if (role == Qt::SizeHintRole && !measuringTitle_) {
        const int sections = orientation == Qt::Horizontal ? columnCount() : rowCount();
        if (section >= 0 && section < sections)
            return grid_.titleSize(orientation, section);
    }
    if (orientation != Qt::Horizontal)
        return role == Qt::DisplayRole ? QVariant() : QAbstractTableModel::headerData(section, orientation, role);
    GridColumn* column = grid_.column(section);
    if (!column)
        return {};
    if (role == Qt::DisplayRole)
        return column->title();
    return {};
}

bool DataGridModel::cellEditable(const QModelIndex& index) const
{
    GridColumn* column = grid_.column(index.column());
    host::data::Dataset* data = dataset();
    if (!column || !data || !data->active() || !data->canModify())
        return false;
    if (!grid_.editing() || grid_.readOnlyGrid() || grid_.rowSelect() || column->readOnly())
        return false;
    host::data::Field* f = column->field();
    return f && !f->readOnly() && f->kind() != host::data::FieldKind::Calculated;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cellEditable(index))
        result |= Qt::ItemIsEditable;
    return result;
}

void DataGridModel::reset()
{
    beginResetModel();
    host::data::Dataset* data = dataset();
    rows_ = 0;
    if (data && data->active())
        runGuarded([&] {
            data->fetchUpTo(DataGrid::kPageRows);
            rows_ = data->fetchedCount();
        });
    endResetModel();
}

bool DataGridModel::canFetchMore(const QModelIndex& parent) const
{
    host::data::Dataset* data = dataset();
    return !parent.isValid() && data && data->active() && (rows_ < data->fetchedCount() || !data->allFetched());
}

void DataGridModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        fetchUpTo(rows_ + DataGrid::kPageRows);
}

void DataGridModel::fetchUpTo(int count)
{
    host::data::Dataset* data = dataset();
    if (!data || !data->active() || count <= rows_)
        return;
    runGuarded([&] { data->fetchUpTo(count); });
    showFetchedRows();
}

void DataGridModel::showFetchedRows()
{
    const int held = dataset()->fetchedCount();
    if (held <= rows_)
        return;
    beginInsertRows({}, rows_, held - 1);
    rows_ = held;
    endInsertRows();
}

void DataGridModel::refreshShape(bool rowsChanged)
{
    host::data::Dataset* data = dataset();
    const int rows = data && data->active() ? data->fetchedCount() : 0;
    // More rows read (the cursor, a count or a search went past the rows
    // shown) are added at the end, also while a row is edited: starting the
    // view again would close the editor being typed in. Only an inserted row
    // is not at the end of what was read: it starts the view again.
    const bool fetched = rows > rows_ && data->state() != host::data::DatasetState::Insert;
    if (rows != rows_ && !fetched) {
        reset();
    } else {
        if (fetched)
            showFetchedRows();
        if (rowsChanged && rows_ > 0 && columnCount() > 0)
            emit QAbstractTableModel::dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    }
    grid_.followDataset();
}

void DataGridModel::activeChanged()
{
    grid_.rebuildAutomaticColumns();
    reset();
    grid_.applyColumnGeometry();
    grid_.followDataset();
}

void DataGridModel::dataChanged(host::data::Field* field)
{
    host::data::Dataset* data = dataset();
    if (field && data && data->recNo() > 0 && data->recNo() <= rows_) {
        const int row = data->recNo() - 1;
        emit QAbstractTableModel::dataChanged(index(row, 0), index(row, columnCount() - 1));
        return;
    }
    refreshShape(true);
}

void DataGridModel::stateChanged()
{
    refreshShape(false);
    grid_.viewport()->update();
}

// A field's caption in the grid: the title of its column.
QString DataGridModel::fieldCaption(const host::data::Field& field) const
{
    const GridColumn* column = grid_.columnByField(field.fieldName());
    if (!column)
        return {};
    const QString title = column->title().trimmed();
    return title.compare(field.fieldName(), Qt::CaseInsensitive) == 0 ? QString() : title;
}

} // namespace host::ui
