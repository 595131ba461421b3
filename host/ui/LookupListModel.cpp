#include "host/ui/LookupListModel.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"

namespace host::ui {

bool LookupListModel::sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull() || !a.isValid() || !b.isValid())
        return false;
    return a.toString() == b.toString();
}

LookupListModel::LookupListModel(QObject* parent) : QAbstractTableModel(parent) {}

void LookupListModel::reset(host::data::Dataset* list, const QString& keyField, const QStringList& shownFields)
{
    beginResetModel();
    list_ = list;
    keyName_ = keyField;
    shownNames_ = shownFields;
    key_ = nullptr;
    shown_.clear();
    if (list_ && list_->active() && !keyField.isEmpty())
        key_ = list_->findField(keyField);
    if (key_) {
        for (const QString& name : shownFields)
            if (host::data::Field* f = list_->findField(name))
                shown_ << f;
        if (shown_.isEmpty())
            shown_ << key_;
    }
    offered_.clear();
    scanned_ = 0;
    pinned_.reset();
    // The first page at once: a short list is whole from the start.
    if (listOpen())
        list_->fetchUpTo(kPage);
    offered_ = scan();
    endResetModel();
}

bool LookupListModel::listOpen() const { return key_ && list_ && list_->active(); }

QVariant LookupListModel::keyOfRow(int datasetRow) const
{
    host::data::Dataset::RowScope scope(*list_, datasetRow + 1);
    return key_->value();
}

QStringList LookupListModel::textsOfRow(int datasetRow) const
{
    host::data::Dataset::RowScope scope(*list_, datasetRow + 1);
    QStringList texts;
    for (host::data::Field* f : shown_)
        texts << f->displayText();
    return texts;
}

// The rows read since the last look, those offered (the pinned key's own
// row is shown first already).
std::vector<int> LookupListModel::scan()
{
    std::vector<int> rows;
    if (!listOpen())
        return rows;
    for (const int read = list_->fetchedCount(); scanned_ < read; ++scanned_) {
        host::data::Dataset::RowScope scope(*list_, scanned_ + 1);
        if (list_->rowOffered() && !(pinned_ && sameKey(key_->value(), pinned_->key)))
            rows.push_back(scanned_);
    }
    return rows;
}

void LookupListModel::readMore(int count)
{
    if (!listOpen())
        return;
    list_->fetchUpTo(list_->fetchedCount() + count);
    const std::vector<int> rows = scan();
    if (rows.empty())
        return;
    const int first = pinnedRows() + int(offered_.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    offered_.insert(offered_.end(), rows.begin(), rows.end());
    endInsertRows();
}

int LookupListModel::offeredRowOfKey(const QVariant& key) const
{
    for (size_t i = 0; i < offered_.size(); ++i)
        if (sameKey(keyOfRow(offered_[i]), key))
            return int(i);
    return -1;
}

void LookupListModel::pin(std::optional<Pinned> pinned)
{
    beginResetModel();
    pinned_ = std::move(pinned);
    offered_.clear();
    scanned_ = 0;
    offered_ = scan();
    endResetModel();
}

// The row of a key not among the offered rows read: a row read but not
// offered, else the list's keyed read, else the rows read on to it.
std::optional<LookupListModel::Pinned> LookupListModel::rowNotOffered(const QVariant& key)
{
    for (int r = 0; r < list_->fetchedCount(); ++r)
        if (sameKey(keyOfRow(r), key))
            return Pinned{key, textsOfRow(r)};
    if (list_->readsByKey(keyName_)) {
        QStringList names;
        for (host::data::Field* f : shown_)
            names << f->fieldName();
        const QVariant found = list_->lookup(keyName_, key, names.join(';'));
        if (found.isNull())
            return std::nullopt;
        QStringList texts;
        for (const QVariant& value : names.size() == 1 ? QVariantList{found} : found.toList())
            texts << value.toString();
        return Pinned{key, texts};
    }
    return std::nullopt;
}

int LookupListModel::rowOfKey(const QVariant& key)
{
    if (!listOpen() || key.isNull() || !key.isValid())
        return -1;
    if (pinned_ && sameKey(pinned_->key, key))
        return 0;
    if (pinned_)
        pin(std::nullopt);   // another key shown: the last one is offered as the list offers it
    if (const int row = offeredRowOfKey(key); row >= 0)
        return pinnedRows() + row;
    if (!list_->readsByKey(keyName_)) {
        while (!list_->allFetched()) {
            const size_t from = offered_.size();
            readMore(kPage);
            for (size_t i = from; i < offered_.size(); ++i)
                if (sameKey(keyOfRow(offered_[i]), key))
                    return pinnedRows() + int(i);
        }
    }
    std::optional<Pinned> pinned = rowNotOffered(key);
    if (!pinned)
        return -1;
    pin(std::move(pinned));
    return 0;
}

QVariant LookupListModel::keyAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (row < pinnedRows())
        return pinned_->key;
    return keyOfRow(offered_[size_t(row - pinnedRows())]);
}

int LookupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !listOpen() ? 0 : pinnedRows() + int(offered_.size());
}

int LookupListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max<int>(1, int(shown_.size()));
}

QVariant LookupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= int(shown_.size()))
        return {};
    if (role == Qt::UserRole)
        return index.column() == 0 ? keyAt(index.row()) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.row() < pinnedRows())
        return pinned_->texts.value(index.column());
    host::data::Dataset::RowScope scope(*list_, offered_[size_t(index.row() - pinnedRows())] + 1);
    return shown_.at(index.column())->displayText();
}

bool LookupListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && listOpen() && (!list_->allFetched() || scanned_ < list_->fetchedCount());
}

void LookupListModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        readMore(kPage);
}

QModelIndexList LookupListModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                       Qt::MatchFlags flags) const
{
    QModelIndexList found = QAbstractTableModel::match(start, role, value, hits, flags);
    auto* self = const_cast<LookupListModel*>(this);
    while (found.isEmpty() && hits == 1 && canFetchMore({})) {
        const int from = rowCount();
        self->readMore(kPage);
        if (rowCount() > from)
            found = QAbstractTableModel::match(index(from, start.column()), role, value, hits,
                                               flags & ~Qt::MatchWrap);
    }
    return found;
}

} // namespace host::ui
