#pragma once
// The rows of a look-up combo's list dataset, read as they are shown: a
// long list (the customers) costs the rows its drop-down shows and what a
// typed search passes over, not all of them: a first page from the start
// (a short list is whole), the rest as the drop-down scrolls. The rows are those the list offers
// (Dataset::offersRow) in its order, a page at a time; the row of the value
// shown, when it is not among those read so far, comes first (its texts read
// by the list's keyed read where it has one, Dataset::readsByKey), and only
// there.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace host::data {
class Dataset;
class Field;
}

namespace host::ui {

class LookupListModel : public QAbstractTableModel {
public:
    explicit LookupListModel(QObject* parent = nullptr);

    // Starts again over the list (null or closed: no rows), its first page read.
    void reset(host::data::Dataset* list, const QString& keyField, const QStringList& shownFields);
    // The row that shows the key, reading the list as far as needed; -1
    // when no row has it. The row of a key not offered is shown too.
    int rowOfKey(const QVariant& key);
    QVariant keyAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // A typed search reads on until a row matches or the list ends.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    static constexpr int kPage = 64;
    // Two keys are the same by their text; a null key is none.
    static bool sameKey(const QVariant& a, const QVariant& b);

private:
    struct Pinned {
        QVariant key;
        QStringList texts;
    };
    bool listOpen() const;
    int pinnedRows() const { return pinned_ ? 1 : 0; }
    // Reads up to `count` more rows of the list, the offered ones appended.
    void readMore(int count);
    std::vector<int> scan();
    QStringList textsOfRow(int datasetRow) const;
    QVariant keyOfRow(int datasetRow) const;
    int offeredRowOfKey(const QVariant& key) const;
    std::optional<Pinned> rowNotOffered(const QVariant& key);
    // Shows this row first (none: no row first), the rows read looked at again.
    void pin(std::optional<Pinned> pinned);

    host::data::Dataset* list_ = nullptr;
    host::data::Field* key_ = nullptr;
    QList<host::data::Field*> shown_;
    QString keyName_;
    QStringList shownNames_;
    std::vector<int> offered_;   // rows of the list (0-based) shown, in order
    int scanned_ = 0;            // rows of the list looked at
    std::optional<Pinned> pinned_;
};

} // namespace host::ui
