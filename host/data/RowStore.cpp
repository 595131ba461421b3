// RowStore: row cells in blocks that grow with the rows read, full-size
// blocks passed on from one dataset to the next.
#include "host/data/RowStore.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace host::data {

namespace {

// A full block holds this many cells (64 KB): large enough that a long query
// allocates rarely, small enough to come from the heap, not a mapping of its
// own. A dataset of a few rows gets blocks of a few rows.
constexpr size_t kBlockCells = 2048;

// Full blocks of closed datasets, emptied, for the next dataset that reads
// many rows: a query reopened over and over (every document opened, every
// refresh) finds its memory ready, where freeing it would let the C library
// give it back to the system at each close and fault it in again, page by
// page, at the next open. Datasets belong to one thread; each thread keeps
// at most 4 MB. Plain pointers, nothing to destroy: a dataset freed while
// the program ends, after its thread's other locals are gone, still finds
// the list (the blocks left in it end with the process).
constexpr size_t kSpareBlocks = 64;
thread_local QVariant* spareBlocks[kSpareBlocks];
thread_local size_t spareCount = 0;

// Cells back to null: each value destroyed in place, no null made to swap
// in. Most cells of a wide row are null already: their type is read in
// place, where destroying one would be a call into Qt for nothing.
void empty(QVariant* cells, size_t count)
{
    for (QVariant* cell = cells; cell != cells + count; ++cell)
        if (cell->data_ptr().typeInterface() != nullptr) {
            std::destroy_at(cell);
            ::new (static_cast<void*>(cell)) QVariant();
        }
}

// A row handed out is written soon (an appended row at its post, after the
// field assignments): its cells, most often not touched since a dataset
// before this one used them, are brought in meanwhile.
void prefetchForWrite(const QVariant* cells, size_t count)
{
    const char* at = reinterpret_cast<const char*>(cells);
    const char* end = reinterpret_cast<const char*>(cells + count);
    for (; at < end; at += 64)
        __builtin_prefetch(at, 1, 3);
}

}  // namespace

RowStore::~RowStore()
{
    reset(0);
}

// A dataset reopened with the same columns keeps its first block, emptied:
// a query reopened for every row of a batch reads a row or two each time,
// and that block (a few kilobytes, past the C library's cache of small
// chunks) would otherwise be freed and allocated again at every reopening.
void RowStore::reset(int width)
{
    released_.clear();
    const size_t rowWidth = size_t(std::max(width_, 1));
    const bool sameWidth = std::max(width, 0) == width_;
    std::optional<Block> kept;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        Block& block = blocks_[b];
        const size_t used = (b + 1 == blocks_.size() ? usedInLast_ : block.rows) * rowWidth;
        if (b == 0 && sameWidth && block.capacity != kBlockCells) {
            empty(block.cells.get(), used);
            kept.emplace(std::move(block));
            continue;
        }
        if (block.capacity != kBlockCells || spareCount == kSpareBlocks)
            continue;
        empty(block.cells.get(), used);
        spareBlocks[spareCount++] = block.cells.release();
    }
    blocks_.clear();
    if (kept)
        blocks_.push_back(std::move(*kept));
    usedInLast_ = 0;
    width_ = std::max(width, 0);
}

QVariant* RowStore::add()
{
    if (!released_.empty()) {
        QVariant* row = released_.back();
        released_.pop_back();
        return row;
    }
    // A row of no cells still gets one, so that every row has an address.
    const size_t width = size_t(std::max(width_, 1));
    if (blocks_.empty() || usedInLast_ == blocks_.back().rows) {
        const size_t most = std::max<size_t>(1, kBlockCells / width);
        const size_t rows = blocks_.empty() ? 1 : std::min(blocks_.back().rows * 2, most);
        const bool full = rows == most && width <= kBlockCells;
        Block block{nullptr, rows, full ? kBlockCells : rows * width};
        if (full && spareCount > 0) {
            block.cells.reset(spareBlocks[--spareCount]);
        } else {
            block.cells = std::make_unique<QVariant[]>(block.capacity);
        }
        blocks_.push_back(std::move(block));
        usedInLast_ = 0;
    }
    QVariant* row = &blocks_.back().cells[usedInLast_++ * width];
    prefetchForWrite(row, width);
    return row;
}

void RowStore::release(QVariant* row)
{
    empty(row, size_t(std::max(width_, 1)));
    released_.push_back(row);
}

}  // namespace host::data
