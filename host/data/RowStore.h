#pragma once
// The cells of a dataset's buffered rows, a fixed number per row, kept in
// blocks of many rows: reading a query of thousands of rows allocates a block
// now and then instead of a vector for every row, and freeing them at close
// is a few blocks, not a free per row. A row's cells never move while the
// row lives, so a reference to a cell stays valid until its row is released
// or the store reset.

#include <QVariant>

#include <memory>
#include <span>
#include <vector>

namespace host::data {

class RowStore {
public:
    RowStore() = default;
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Forgets every row; rows have `width` cells from now on.
    void reset(int width);
    int width() const { return width_; }

    // The cells of a new row, all null (a released row's are used again first).
    QVariant* add();
    // The row's cells are emptied and kept for the next add.
    void release(QVariant* row);

private:
    struct Block {
        std::unique_ptr<QVariant[]> cells;
        size_t rows;       // rows it holds
        size_t capacity;   // cells allocated
    };
    int width_ = 0;
    std::vector<Block> blocks_;
    size_t usedInLast_ = 0;   // rows handed out of the last block
    std::vector<QVariant*> released_;
};

}  // namespace host::data
