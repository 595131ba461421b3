// Dataset changes: append, insert, edit, post, cancel, delete and refresh,
// with their events and the re-entrancy the rules rely on.
#include "host/data/Dataset.h"

#include "host/data/Abort.h"

#include <algorithm>
#include <utility>

namespace host::data {

namespace {

struct Counter {
    int& value;
    explicit Counter(int& v) : value(v) { ++value; }
    ~Counter() { --value; }
    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;
};

}  // namespace

void Dataset::checkBrowseMode()
{
    if (!editing())
        return;
    notifyUpdateData();
    if (!editing())
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Dataset::append()
{
    startInsert(true);
}

void Dataset::insert()
{
    startInsert(false);
}

void Dataset::startInsert(bool append)
{
    checkActive();
    checkBrowseMode();
    if (!canModify())
        throw DatasetError(QString("%1: a tabela não pode ser alterada.").arg(name()));
    fire(beforeInsert);
    if (append)
        fetchAll();
    savedCur_ = cur_;
    const int position = append || cur_ < 0 ? int(rows_.size()) : cur_;
    // The new row's cells wait, null, for the post; the fields read the edit
    // buffer meanwhile.
    rows_.insert(rows_.begin() + position, Row{nextId_++, rowStore_.add()});
    cur_ = position;
    eof_ = bof_ = false;
    insertedRowRead_ = false;
    emptyEditBuffer();
    state_ = DatasetState::Insert;
    modified_ = false;
    calculateFields();
    try {
        notifyStateChanged();
    } catch (...) {
        // A listener that refuses the new row (an aborted operation) must not
        // leave a blank row in insert for the next post to write.
        if (state_ == DatasetState::Insert)
            discardInsertedRow();
        throw;
    }
    // A listener cancelled the new row: the operation that asked for it ends
    // here, as when the new-record rule cancels it.
    if (state_ != DatasetState::Insert)
        throw host::Abort{};
    {
        Counter inNewRecord(newRecord_);
        insertCancelled_ = false;
        try {
            fire(onNewRecord);
        } catch (...) {
            if (state_ == DatasetState::Insert)
                discardInsertedRow();
            throw;
        }
    }
    if (insertCancelled_) {
        // The new row was cancelled by its own new-record rule: the operation
        // that asked for the row ends here.
        insertCancelled_ = false;
        throw host::Abort{};
    }
    modified_ = false;
    notifyDataChanged(nullptr);
    fire(afterInsert);
    fire(afterScroll);
}

// dataCount_ null cells.
void Dataset::emptyEditBuffer()
{
    dropEditBuffer();
    if (editBuf_.size() != size_t(dataCount_))
        editBuf_.resize(size_t(dataCount_));
}

// The buffer's values let go, its cells kept for the next row edited. Only
// those that hold a value are emptied: a new row's post leaves the buffer
// with the row's former cells, all null, and each empty cell destroyed
// would be a call into Qt for nothing.
void Dataset::dropEditBuffer()
{
    if (editBufClean_)
        return;
    // The cell's type read in place (isValid() is itself a call into Qt).
    for (QVariant& cell : editBuf_)
        if (cell.data_ptr().typeInterface() != nullptr)
            cell = QVariant();
    editBufClean_ = true;
}

// The row's values to edit. Only the cells that hold a value are copied
// (most of a wide row's are null, and the buffer's are most often null
// already): each copy is a call into Qt.
void Dataset::copyRowToEditBuffer(RowValues row)
{
    if (editBuf_.size() != row.size()) {
        editBuf_.assign(row.begin(), row.end());
    } else {
        const bool clean = editBufClean_;
        for (size_t i = 0; i < row.size(); ++i) {
            if (row[i].data_ptr().typeInterface() != nullptr)
                editBuf_[i] = row[i];
            else if (!clean && editBuf_[i].data_ptr().typeInterface() != nullptr)
                editBuf_[i] = QVariant();
        }
    }
    editBufClean_ = false;
}

void Dataset::discardInsertedRow()
{
    eraseRow(cur_);
    const int restored = savedCur_ < int(rows_.size()) ? savedCur_ : int(rows_.size()) - 1;
    cur_ = rows_.empty() ? -1 : std::max(restored, 0);
    dropEditBuffer();
    state_ = DatasetState::Browse;
    modified_ = false;
    eof_ = bof_ = rows_.empty();
    rowChanged();
    notifyStateChanged();
}

void Dataset::edit()
{
    checkActive();
    if (editing())
        return;
    if (rows_.empty()) {
        insert();
        return;
    }
    if (!canModify())
        throw DatasetError(QString("%1: a tabela não pode ser alterada.").arg(name()));
    fire(beforeEdit);
    if (editing())
        return;
    copyRowToEditBuffer(rowValues(cur_));
    state_ = DatasetState::Edit;
    modified_ = false;
    notifyStateChanged();
    fire(afterEdit);
}

void Dataset::post()
{
    checkActive();
    if (!editing() || posting_ > 0)
        return;   // nothing pending, or absorbed into the post already running
    notifyUpdateData();
    if (!editing())
        return;   // a control's text ran a rule that posted (or cancelled) the row
    {
        Counter posting(posting_);
        fire(beforePost);
        if (!editing())
            return;   // the row was cancelled by a before-post rule
        for (bool written = false; !written;) {
            try {
                checkRequired();
                if (state_ == DatasetState::Insert)
                    writeInsert(editBuf_);
                else
                    writeModify(rowValues(cur_), editBuf_);
                written = true;
            } catch (const RecordChangedError& changed) {
                // Another desk's row: the user starts again from it, unless
                // the handler took the other desk's change and asks again.
                retryPost_ = false;
                fire(onPostError);
                if (std::exchange(retryPost_, false))
                    continue;
                rethrowChanged(changed, reloadChangedRow(), true);
            } catch (...) {
                retryPost_ = false;
                fire(onPostError);
                if (!std::exchange(retryPost_, false))
                    throw;
            }
        }
        // Swapped, not moved: a move makes and destroys a variant per cell.
        // The buffer keeps its cells for the next row edited; the row's old
        // ones go with them emptied.
        const MutableRowValues row = rowValues(cur_);
        std::swap_ranges(editBuf_.begin(), editBuf_.begin() + std::min(editBuf_.size(), row.size()), row.begin());
        // A new row's own cells stay null until this swap unless a re-read
        // wrote them meanwhile: then the buffer holds nothing to let go.
        editBufClean_ = state_ == DatasetState::Insert && !insertedRowRead_ && editBuf_.size() == row.size();
        emptyEditBuffer();
        state_ = DatasetState::Browse;
        modified_ = false;
    }
    showRowsAfterEdit();
    notifyStateChanged();
    fire(afterPost);
}

void Dataset::cancel()
{
    if (!editing())
        return;
    fire(beforeCancel);
    if (!editing())
        return;
    if (state_ == DatasetState::Insert) {
        if (newRecord_ > 0)
            insertCancelled_ = true;
        discardInsertedRow();
    } else {
        dropEditBuffer();
        state_ = DatasetState::Browse;
        modified_ = false;
        showRowsAfterEdit();
        notifyStateChanged();
    }
    if (std::exchange(rereadPending_, false) && active())
        rereadQuietly();
    fire(afterCancel);
}

void Dataset::remove()
{
    checkActive();
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    if (rows_.empty() || cur_ < 0)
        throw DatasetError(QString("%1: não há registro para excluir.").arg(name()));
    if (!canModify())
        throw DatasetError(QString("%1: a tabela não pode ser alterada.").arg(name()));
    if (editing()) {
        // The stored row is the one deleted: its checks and records read it
        // as stored, and the typing over it stays when they refuse.
        RowScope stored(*this, cur_ + 1, true);
        fire(beforeDelete);
    } else {
        fire(beforeDelete);
    }
    const bool wasEditing = editing();
    try {
        writeDelete(rowValues(cur_));
    } catch (const RecordChangedError& changed) {
        fire(onDeleteError);
        rethrowChanged(changed, reloadChangedRow(), false);
    } catch (...) {
        fire(onDeleteError);
        throw;
    }
    dropEditBuffer();
    state_ = DatasetState::Browse;
    modified_ = false;
    eraseRow(cur_);
    if (!ensureRow(cur_))
        cur_ = int(rows_.size()) - 1;
    eof_ = rows_.empty();
    bof_ = rows_.empty();
    rowChanged();
    if (wasEditing)
        notifyStateChanged();
    fire(afterDelete);
    fire(afterScroll);
}

RecordChangedError::RecordChangedError(const QString& message, const QString& record)
    : DatasetError(record.isEmpty() ? message : message + "\nRegistro: " + record), record_(record)
{
}

RecordDeletedError::RecordDeletedError(const QString& record, bool typed)
    : RecordChangedError(typed ? "O registro foi excluído em outra estação; o que foi digitado nele não foi gravado."
                               : "O registro já foi excluído em outra estação.",
                         record)
{
}

void Dataset::rethrowChanged(const RecordChangedError& error, bool stillStored, bool typed)
{
    if (stillStored || dynamic_cast<const RecordDeletedError*>(&error))
        throw;
    throw RecordDeletedError(error.record(), typed);
}

bool Dataset::reloadChangedRow()
{
    bool found = true;
    const bool wasEditing = editing();
    dropEditBuffer();
    state_ = DatasetState::Browse;
    modified_ = false;
    if (cur_ >= 0 && readRow(rowValues(cur_))) {
        // Deleted at the other desk: it goes from here too.
        if (!rowReadFound()) {
            found = false;
            eraseRow(cur_);
            if (!ensureRow(cur_))
                cur_ = int(rows_.size()) - 1;
            eof_ = bof_ = rows_.empty();
        }
        rowChanged();
    } else {
        reread();
    }
    if (wasEditing)
        notifyStateChanged();
    return found;
}

void Dataset::refresh()
{
    checkActive();
    checkBrowseMode();
    insertedRowRead_ = insertedRowRead_ || state_ == DatasetState::Insert;
    if (cur_ >= 0 && readRow(rowValues(cur_))) {
        rowChanged();
        return;
    }
    reread();
}

bool Dataset::rereadKeepingTyping(const QStringList& onlyColumns)
{
    if (state_ != DatasetState::Edit || cur_ < 0)
        return false;
    const MutableRowValues stored = rowValues(cur_);
    const Values asRead(stored.begin(), stored.end());
    if (!readRow(stored))
        return false;
    if (!rowReadFound() || !changedOnlyIn(onlyColumns, asRead, stored)) {
        // Deleted meanwhile, or changed beyond the columns allowed: the row
        // keeps what it had, and its post is refused as another desk's change.
        std::copy(asRead.begin(), asRead.end(), stored.begin());
        return false;
    }
    for (size_t i = 0; i < stored.size(); ++i)
        if (stored[i] != asRead[i])
            editBuf_[i] = stored[i];
    rowChanged();
    return true;
}

bool Dataset::changedOnlyIn(const QStringList& columns, RowValues before, RowValues after) const
{
    if (columns.isEmpty())
        return true;
    std::vector<bool> allowed(before.size(), false);
    for (const QString& column : columns) {
        const int slot = slotOf(column);
        if (slot >= 0 && size_t(slot) < allowed.size())
            allowed[size_t(slot)] = true;
    }
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (!allowed[i] && before[i] != after[i])
            return false;
    return true;
}

void Dataset::writesUndone()
{
    if (!active())
        return;
    if (editing()) {
        rereadPending_ = true;
        return;
    }
    rereadQuietly();
}

// The row just posted or cancelled, and every row when writes were undone meanwhile.
void Dataset::showRowsAfterEdit()
{
    if (std::exchange(rereadPending_, false))
        rereadQuietly();
    else
        rowChanged();
}

void Dataset::rereadQuietly()
{
    try {
        reread();
    } catch (...) {
        // left open and empty: the user opens it again
    }
}

void Dataset::reread()
{
    const int keep = cur_;
    dropRows();
    try {
        closeData();
        columns_.clear();
        columnIndex_.clear();
        openData();
        const int lastSlotColumn =
            slotColumns_.empty() ? -1 : *std::max_element(slotColumns_.begin(), slotColumns_.end());
        if (int(columns_.size()) <= lastSlotColumn)
            throw DatasetError(QString("%1: as colunas mudaram; reabra a tabela.").arg(name()));
    } catch (...) {
        // The old rows are gone and no new ones come: the dataset stays open
        // and empty, never with a cursor past its rows.
        allFetched_ = true;
        cur_ = -1;
        eof_ = bof_ = true;
        rowChanged();
        throw;
    }
    allFetched_ = false;
    ensureRow(std::max(keep, 0));
    cur_ = rows_.empty() ? -1 : std::min(std::max(keep, 0), int(rows_.size()) - 1);
    eof_ = bof_ = rows_.empty();
    rowChanged();
}

}  // namespace host::data
