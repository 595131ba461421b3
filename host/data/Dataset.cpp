// Dataset: opening, closing, the cursor and the notifications to data sources.
#include "host/data/Dataset.h"

#include "host/data/DataSource.h"
#include "host/data/WrittenRows.h"

#include <algorithm>

namespace host::data {

Dataset::Dataset(host::Component* owner, const QString& name) : host::Component(owner, name) {}

Dataset::~Dataset()
{
    forgetRowsWritten(*this);
    for (Field* user : lookupUsers_)
        user->lookupDataset_ = nullptr;
    lookupUsers_.clear();
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* source : sources)
        source->datasetGone();
}

void Dataset::runHandler(const Event& event)
{
    // A handler may detach or replace itself while it runs: the call holds it.
    event(*this);
}

void Dataset::checkActive() const
{
    if (!active())
        throw DatasetError(QString("%1: a tabela está fechada.").arg(name()));
}

void Dataset::open()
{
    if (active())
        return;
    fire(beforeOpen);
    try {
        columns_.clear();
        columnIndex_.clear();
        columnsReused_ = false;
        openData();
        if (!columnsReused_)
            dropSpare();
        bindFields();
        dropRows();
        allFetched_ = false;
        state_ = DatasetState::Browse;
        fetchOne();
    } catch (...) {
        state_ = DatasetState::Inactive;
        dropRows();
        try {
            closeData();
        } catch (...) {
        }
        unbindFields();
        dropSpare();
        throw;
    }
    cur_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    modified_ = false;
    calculateFields();
    notifyActiveChanged();
    fire(afterOpen);
    if (!rows_.empty())
        fire(afterScroll);
}

void Dataset::close()
{
    if (!active())
        return;
    fire(beforeClose);
    state_ = DatasetState::Inactive;
    dropRows();
    dropEditBuffer();
    cur_ = -1;
    eof_ = bof_ = true;
    modified_ = false;
    allFetched_ = true;
    try {
        closeData();
    } catch (...) {
        unbindFields();
        dropSpare();
        notifyActiveChanged();
        throw;
    }
    unbindFields(true);
    notifyActiveChanged();
    fire(afterClose);
}

// A row read straight into its cells when the fields are the columns in
// their order; else through a buffer of the columns.
bool Dataset::fetchOne()
{
    if (allFetched_)
        return false;
    QVariant* cells = rowStore_.add();
    bool fetched = false;
    try {
        if (identitySlots_) {
            fetched = fetchRow({cells, size_t(dataCount_)});
        } else {
            fetchBuffer_.resize(columns_.size());
            fetched = fetchRow(fetchBuffer_);
            for (size_t slot = 0; fetched && slot < slotColumns_.size(); ++slot)
                cells[slot] = std::move(fetchBuffer_[size_t(slotColumns_[slot])]);
        }
        if (fetched)
            rows_.push_back(Row{nextId_++, cells});
    } catch (...) {
        // Nothing of the row that failed reaches the next: its cells are
        // emptied, and so is what it left in the buffer of the columns.
        rowStore_.release(cells);
        fetchBuffer_.clear();
        throw;
    }
    if (!fetched) {
        rowStore_.release(cells);
        allFetched_ = true;
    }
    return fetched;
}

void Dataset::dropRows()
{
    rows_.clear();
    rowStore_.reset(dataCount_);
}

void Dataset::eraseRow(int row)
{
    rowStore_.release(rows_[size_t(row)].values);
    rows_.erase(rows_.begin() + row);
}

bool Dataset::ensureRow(int index)
{
    while (index >= 0 && size_t(index) >= rows_.size())
        if (!fetchOne())
            return false;
    return index >= 0;
}

void Dataset::fetchAll()
{
    if (!active())
        return;
    while (fetchOne()) {
    }
}

void Dataset::fetchUpTo(int count)
{
    if (active())
        ensureRow(count - 1);
}

int Dataset::recordCount()
{
    fetchAll();
    return int(rows_.size());
}

void Dataset::clearRows()
{
    checkActive();
    dropEditBuffer();
    state_ = DatasetState::Browse;
    modified_ = false;
    dropRows();
    cur_ = -1;
    eof_ = bof_ = true;
    rowChanged();
    notifyStateChanged();
}

void Dataset::moveTo(int index)
{
    cur_ = index;
    eof_ = bof_ = false;
    rowChanged();
}

void Dataset::first()
{
    checkActive();
    checkBrowseMode();
    fire(beforeScroll);
    if (!rows_.empty())
        moveTo(0);
    bof_ = true;
    eof_ = rows_.empty();
    fire(afterScroll);
}

void Dataset::last()
{
    checkActive();
    checkBrowseMode();
    fire(beforeScroll);
    fetchAll();
    if (!rows_.empty())
        moveTo(int(rows_.size()) - 1);
    eof_ = true;
    bof_ = rows_.empty();
    fire(afterScroll);
}

int Dataset::moveBy(int distance)
{
    checkActive();
    checkBrowseMode();
    fire(beforeScroll);
    int moved = 0;
    if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
        int target = cur_;
        while (distance > 0 && ensureRow(target + 1)) {
            ++target;
            --distance;
            ++moved;
        }
        while (distance < 0 && target > 0) {
            --target;
            ++distance;
            --moved;
        }
        if (moved != 0)
            moveTo(target);
        if (distance > 0)
            eof_ = true;
        if (distance < 0)
            bof_ = true;
    }
    fire(afterScroll);
    return moved;
}

void Dataset::next()
{
    moveBy(1);
}

void Dataset::prior()
{
    moveBy(-1);
}

void Dataset::setRecNo(int recNo)
{
    checkActive();
    checkBrowseMode();
    if (recNo != this->recNo())
        moveBy(recNo - this->recNo());
}

// Notifications ------------------------------------------------------------

void Dataset::attachSource(DataSource* source)
{
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
}

void Dataset::detachSource(DataSource* source)
{
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void Dataset::sendDataChanged(Field* field)
{
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* source : sources)
        source->dataChanged(field);
}

void Dataset::sendStateChanged()
{
    if (disabled_ > 0) {
        pendingState_ = true;
        return;
    }
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* source : sources)
        source->stateChanged();
}

void Dataset::notifyActiveChanged()
{
    if (disabled_ > 0) {
        pendingActive_ = true;
        return;
    }
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* source : sources)
        source->activeChanged();
}

void Dataset::sendUpdateData()
{
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* source : sources)
        source->updateData();
}

void Dataset::disableControls()
{
    ++disabled_;
}

void Dataset::enableControls()
{
    if (disabled_ == 0 || --disabled_ > 0)
        return;
    const bool active = pendingActive_;
    const bool state = pendingState_;
    pendingActive_ = pendingState_ = false;
    if (active)
        notifyActiveChanged();
    else if (state)
        notifyStateChanged();
    notifyDataChanged(nullptr);
}

}  // namespace host::data
