#pragma once
// The dataset: a cursor over buffered rows, states, fields and events, in the
// classic data-aware model. Subclasses supply the rows (Query from the
// database, MemDataset from code) and write changes back.
//
// Event order (the map, docs/architecture.md, has the whole table):
//   open    before-open, open, after-open, after-scroll (when there is a row)
//   close   before-close, close, after-close
//   move    before-scroll, move, after-scroll
//   append  before-insert, new row, new-record, after-insert, after-scroll
//   edit    before-edit, after-edit (an empty dataset starts a new row)
//   post    before-post, required check, write, after-post
//   cancel  before-cancel, revert, after-cancel
//   delete  before-delete, write, after-delete, after-scroll
// host::Abort (or any exception) from a before-event leaves the dataset as it
// was; a post requested while the same dataset's post has not yet written
// its row is absorbed into that post.

#include "host/data/Handler.h"
#include "host/data/Component.h"
#include "host/data/Field.h"
#include "host/data/RowStore.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace host::data {

class DataSource;

enum class DatasetState { Inactive, Browse, Edit, Insert };

// A write refused because another desk changed (or deleted) the row since it
// was read. The dataset has dropped the changes and read the row again.
// `record` names the row to the user ("Código 4"), empty when unknown.
class RecordChangedError : public DatasetError {
public:
    explicit RecordChangedError(const QString& message, const QString& record = {});
    const QString& record() const { return record_; }

private:
    QString record_;
};

// Likewise, the row no longer stored at all: it has gone from the dataset
// with what was typed over it, and the message says so.
class RecordDeletedError : public RecordChangedError {
public:
    // `typed`: the row was being saved (its typing is not stored), not deleted.
    RecordDeletedError(const QString& record, bool typed);
};

enum LocateOption { LocateCaseInsensitive = 1, LocatePartialKey = 2 };
using LocateOptions = int;

using Bookmark = quint64;   // 0 marks no row

class Dataset : public host::Component {
public:
    using Event = Handler<void(Dataset&)>;

    explicit Dataset(host::Component* owner = nullptr, const QString& name = {});
    ~Dataset() override;

    // Events, assignable and detachable (see HandlerGuard.h). Those asked
    // for every row appended and posted come first, side by side: a row
    // written among the engine's work finds fewer of them out of the cache.
    Event beforeInsert, onNewRecord, afterInsert, afterScroll, beforePost, afterPost;
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeEdit, afterEdit;
    Event beforeCancel, afterCancel, beforeDelete, afterDelete;
    Event beforeScroll, onCalcFields;
    // A dataset without persistent fields makes its fields from the result's
    // columns at each open: this runs right after, before any row is read, so
    // a data module can give those fields their handlers.
    Event onFieldsCreated;
    // The write of a delete failed: runs before the failure reaches the caller,
    // so a before-delete that did work of its own can undo it.
    Event onDeleteError;
    // Likewise for a post: the required check or the write failed after the
    // before-post rules had run (the row stays in edit). The handler may
    // mend the row and call retryPost() (the failure is the current
    // exception): the write is then tried again, the before-post rules not.
    // A write refused as another desk's change (RecordChangedError) is read
    // again, the typing dropped, unless the handler asks for the retry.
    Event onPostError;
    void retryPost() { retryPost_ = true; }
    bool retryAsked() const { return retryPost_; }

    // Opening and state.
    void open();
    void close();
    bool active() const { return state_ != DatasetState::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    DatasetState state() const { return state_; }
    bool editing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }
    bool modified() const { return modified_; }

    // Cursor. Moving while a row is edited posts it (or cancels an untouched new row).
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    int recNo() const { return cur_ + 1; }              // 1-based; 0 when there is no row
    void setRecNo(int recNo);
    int recordCount();                                  // fetches every row
    bool isEmpty() const { return rows_.empty(); }
    void fetchAll();
    // Rows are read as the cursor (or a grid) needs them: how many are held,
    // whether the result has none left to read, and reading up to `count`
    // rows held (fewer when the result ends first).
    int fetchedCount() const { return int(rows_.size()); }
    bool allFetched() const { return allFetched_; }
    void fetchUpTo(int count);

    // Changes.
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();                                      // deletes the current row
    void refresh();                                     // re-reads the current row
    // The transaction undid rows this dataset wrote: it shows what is stored
    // again (at once, or once its pending row is posted or cancelled), so the
    // next save compares with the stored values.
    void writesUndone();
    // The row being edited read again after this desk changed it by
    // statement: each column stored otherwise than as read takes the stored
    // value, the others keep what was typed, and the next post compares
    // with what is stored now. False (nothing done) when the row is not in
    // edit or cannot be read again, or when `onlyColumns` is given and the
    // stored row differs from the row read in any other column.
    bool rereadKeepingTyping(const QStringList& onlyColumns = {});
    void checkBrowseMode();                             // post when modified, else cancel
    virtual bool canModify() const = 0;
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }

    // Search. Several key fields are separated by ";" with their values in a QVariantList.
    bool locate(const QString& keyFields, const QVariant& keyValues, LocateOptions options = 0);
    // Does not move the cursor; several result fields give a QVariantList; null when absent.
    // A dataset that reads rows by a key (readsByKey) answers a look-up by
    // that key of a row not read yet by its keyed read, not by reading every
    // row before it.
    QVariant lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields);
    // Whether a look-up by this one field reads the row by itself.
    virtual bool readsByKey(const QString& keyField) const { return false; }
    // The look-up fields (of any dataset) that read this one.
    const std::vector<Field*>& lookupFields() const { return lookupUsers_; }
    // A register whose rows can be retired (an inactive technician): the
    // pick lists over it offer for a new choice only the rows this accepts,
    // read at the row asked, while look-ups of stored values find them all.
    // Unset, every row is offered.
    Handler<bool(const Dataset&)> offersRow;
    bool rowOffered() const { return !offersRow || offersRow(*this); }

    Bookmark bookmark() const;
    bool bookmarkValid(Bookmark bookmark) const;
    void gotoBookmark(Bookmark bookmark);

    // Controls.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Fields. Fields added before the first open are persistent (named dataset
    // name + field name) and the only ones; without them the fields come from
    // the result's columns at each open.
    const std::vector<Field*>& fields() const { return fieldList_; }
    int fieldCount() const { return int(fieldList_.size()); }
    Field* field(int index) const { return fieldList_.at(size_t(index)); }
    Field* findField(const QString& fieldName) const;
    Field* fieldByName(const QString& fieldName) const;   // raises when absent
    Field* addField(const QString& fieldName, FieldType type, int size = 0);
    Field* addCalculatedField(const QString& fieldName, FieldType type, int size = 0);
    Field* addLookupField(const QString& fieldName, FieldType type, int size, const QString& keyFields,
                          Dataset* lookupDataset, const QString& lookupKeyFields, const QString& resultField);
    bool hasPersistentFields() const { return persistent_; }

    // The host's ZerarFloatField: every float field of the current row := 0.
    void zeroFloatFields();

    // Lets a grid read another buffered row through the fields without moving
    // the cursor or running events (calculated fields are computed for it).
    // The cursor's own row answers with its typing unless `stored` asks for
    // the row as stored.
    class RowScope {
    public:
        RowScope(Dataset& dataset, int recNo, bool stored = false);
        ~RowScope();
        RowScope(const RowScope&) = delete;
        RowScope& operator=(const RowScope&) = delete;

    private:
        Dataset& dataset_;
        int savedRow_;
        std::vector<QVariant>* savedCalc_;
        std::vector<QVariant> calc_;
    };

    const std::vector<DataSource*>& dataSources() const { return sources_; }

protected:
    using Values = std::vector<QVariant>;
    // A row's values by slot: a buffered row's cells or an edit buffer.
    using RowValues = std::span<const QVariant>;
    using MutableRowValues = std::span<QVariant>;

    // What a subclass provides. openData prepares the rows and calls
    // defineColumn for each column it returns; fetchRow fills values in the
    // order of the columns (false at the end).
    virtual void openData() = 0;
    virtual bool fetchRow(MutableRowValues columns) = 0;
    virtual void closeData() = 0;
    virtual void writeInsert(RowValues values) = 0;
    virtual void writeModify(RowValues oldValues, RowValues newValues) = 0;
    virtual void writeDelete(RowValues oldValues) = 0;
    // Re-reads one row in place (by field name); false when the subclass
    // cannot, and then every row is read again.
    virtual bool readRow(MutableRowValues row) { return false; }
    // After a readRow that could: whether the row was still stored.
    virtual bool rowReadFound() const { return true; }
    // The values of the fields named of the row with that key, read by
    // itself (readsByKey); empty when no row has the key.
    virtual QVariantList readByKey(const QVariant& key, const QStringList& fieldNames) { return {}; }

    void defineColumn(const QString& name, FieldType type, int size);
    // Called by openData instead of defineColumn when the result is the one
    // of the last open (the same prepared statement): the columns, and the
    // fields made from them, are those the close kept. False when none were
    // kept; the subclass then defines its columns.
    bool reuseColumns();
    int columnCount() const { return int(columns_.size()); }
    int slotOf(const QString& fieldName) const;   // -1 unless a data field
    // Changes whenever the fields are bound to other slots (or types): slots
    // found by name stay right while it does not.
    unsigned fieldBindings() const { return fieldBindings_; }
    void clearRows();

private:
    friend class Field;
    friend class DataSource;
    struct Row {
        quint64 id;
        QVariant* values;   // dataCount_ cells in rowStore_
    };
    struct Column {
        QString name;
        FieldType type;
        int size;
    };

    // Field plumbing.
    Field* createField(const QString& fieldName, FieldType type, int size, FieldKind kind);
    void bindFields();
    void rebindSpareFields();
    void rebindPersistentFields();
    // `keep`: a close that went well keeps the columns (and fields made
    // from them) for the next open of the same result.
    void unbindFields(bool keep = false);
    void dropSpare();
    const QVariant& slotValue(const Field& field) const;
    const QVariant* oldSlotValue(const Field& field) const;
    void writeField(Field& field, QVariant value);
    void writeCalculated(Field& field, const QVariant& value);
    void prepareWrite();
    // Marks the cursor's calculated fields stale: they are worked out when
    // one is read (a rule or a control), not for every value written or row
    // walked past.
    void calculateFields()
    {
        if (calcCount_ > 0)
            calcStale_ = true;
    }
    void computeStaleCalculated() const;
    void calculateInto(Values& calc);
    Values& calcTarget() { return peekCalc_ ? *peekCalc_ : calcBuf_; }
    const QVariant* activeRow() const;
    MutableRowValues rowValues(int row) { return {rows_[size_t(row)].values, size_t(dataCount_)}; }
    void dropRows();
    void eraseRow(int row);
    void rowChanged()
    {
        calculateFields();
        notifyDataChanged(nullptr);
    }
    // Most events have no handler: the test stays at the call site.
    void fire(const Event& event)
    {
        if (event)
            runHandler(event);
    }
    void runHandler(const Event& event);
    void checkRequired() const;
    static QString requiredMessage(const Field& field);
    // After a RecordChangedError: the changes dropped and the row read again.
    // False when the row was found deleted (it has gone from here too).
    bool reloadChangedRow();
    // Rethrows the current RecordChangedError, told as a deletion when the
    // row is no longer stored.
    [[noreturn]] static void rethrowChanged(const RecordChangedError& error, bool stillStored, bool typed);
    bool changedOnlyIn(const QStringList& columns, RowValues before, RowValues after) const;
    bool hasCalculated() const { return calcCount_ > 0; }

    // Cursor plumbing.
    void checkActive() const;
    bool fetchOne();
    bool ensureRow(int index);
    void beginScroll();
    void endScroll();
    void moveTo(int index);
    // `readMore`: false looks among the rows read so far only.
    int findRow(const QString& keyFields, const QVariant& keyValues, LocateOptions options, bool readMore = true);
    void startInsert(bool append);
    void emptyEditBuffer();
    void dropEditBuffer();
    void copyRowToEditBuffer(RowValues row);
    void discardInsertedRow();
    void reread();
    void rereadQuietly();
    void showRowsAfterEdit();
    QVariant rowValue(int row, Field* field);

    // Notifications.
    void attachSource(DataSource* source);
    void detachSource(DataSource* source);
    // Most datasets have no data source: asked for every value set and every
    // row walked, the test stays at the call site.
    void notifyDataChanged(Field* field)
    {
        if (disabled_ == 0 && !sources_.empty())
            sendDataChanged(field);
    }
    void sendDataChanged(Field* field);
    // Likewise asked for every row appended and posted.
    void notifyStateChanged()
    {
        if (!sources_.empty() || disabled_ != 0)
            sendStateChanged();
    }
    void sendStateChanged();
    void notifyActiveChanged();
    void notifyUpdateData()
    {
        if (!sources_.empty())
            sendUpdateData();
    }
    void sendUpdateData();

    // What a row appended, edited and posted reads, together: between two
    // rows the engine's work evicts most of ours, and each line read again
    // is a miss.
    DatasetState state_ = DatasetState::Inactive;
    int cur_ = -1;
    int dataCount_ = 0;
    int calcCount_ = 0;
    int posting_ = 0;        // post running, row not yet written
    int newRecord_ = 0;      // inside new-record
    int disabled_ = 0;
    int savedCur_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    bool allFetched_ = true;
    bool modified_ = false;
    bool calculating_ = false;
    mutable bool calcStale_ = false;   // calcBuf_ not yet worked out for the cursor's row
    bool retryPost_ = false; // asked by an onPostError handler
    bool rereadPending_ = false; // writes undone while a row was pending
    bool insertCancelled_ = false;
    // Every cell of the edit buffer is null (emptied and not written since):
    // the next row appended finds it ready without a look at each cell.
    bool editBufClean_ = true;
    // The row being inserted was read again into its own cells (a rule's
    // refresh while its post is pending): they are no longer all null.
    bool insertedRowRead_ = false;
    bool pendingState_ = false;
    bool pendingActive_ = false;
    bool autoEdit_ = true;
    bool persistent_ = false;
    quint64 nextId_ = 1;
    std::vector<DataSource*> sources_;
    std::vector<Row> rows_;
    // Fields marked required (kept by Field::setRequired): a post checks the
    // fields only when there are, and then only those, listed in the fields'
    // order when first asked after a field was marked, unmarked, switched
    // kind or freed (a wide header's hundred fields are not read at each
    // post). Declared before the fields, which update them as they go.
    int requiredFields_ = 0;
    mutable bool requiredListStale_ = true;
    mutable std::vector<const Field*> requiredList_;
    std::vector<std::unique_ptr<Field>> ownedFields_;
    std::vector<Field*> fieldList_;
    QHash<QString, Field*> fieldIndex_;
    // What a close kept for an open of the same result (the same columns):
    // the columns, and the fields made from them, as new ones are made. A
    // query opened for every document makes and hashes them once.
    struct Spare {
        std::vector<std::unique_ptr<Field>> owned;
        std::vector<Field*> list;
        QHash<QString, Field*> index;
        std::vector<Column> columns;
        QHash<QString, int> columnIndex;
        // Persistent fields: the column of each data slot on those columns.
        std::vector<int> slotColumns;
        bool identitySlots = false;
    };
    std::unique_ptr<Spare> spare_;
    // The dataset's name the fields made from the columns were named after.
    QString fieldsNamedFor_;
    bool columnsReused_ = false;
    // Counts field definitions made or changed (persistent fields added, a
    // kind switched); the count the last binding was made for, so that the
    // same fields on the same columns are not bound again by name.
    unsigned fieldDefinitions_ = 0;
    unsigned boundDefinitions_ = ~0u;
    std::vector<Column> columns_;
    QHash<QString, int> columnIndex_;   // upper-case column name -> column
    unsigned fieldBindings_ = 0;
    // What the bindings were last counted for: each field's name, kind,
    // type and slot. A query opened again on the same columns binds them
    // alike, and what was found by name for it stays right.
    struct Binding {
        QString name;
        FieldKind kind;
        FieldType type;
        int slot;
        bool operator==(const Binding&) const = default;
    };
    std::vector<Binding> bound_;
    std::vector<int> slotColumns_;   // column of each data slot
    bool identitySlots_ = false;     // slot i is column i: rows take the fetched buffer as it is

    RowStore rowStore_;
    Values fetchBuffer_;
    Values editBuf_;
    Values calcBuf_;
    int peekRow_ = -1;
    Values* peekCalc_ = nullptr;
    int tag_ = 0;
    // Look-up fields (of any dataset) that read this one: told when it goes.
    std::vector<Field*> lookupUsers_;
};

// The text of the dataset's field of that name (raises when absent): the
// short form the rules read a row with.
QString fieldText(const Dataset& dataset, const char* fieldName);

// The dataset's controls disabled for a scope (a long walk over its rows
// repaints nothing), enabled again on every way out.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Dataset& dataset) : dataset_(dataset) { dataset_.disableControls(); }
    ~ControlsDisabled() { dataset_.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Dataset& dataset_;
};

}  // namespace host::data
