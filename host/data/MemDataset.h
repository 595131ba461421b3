#pragma once
// A dataset whose rows live only in memory (the grids that hold rows of their
// own). Fields are defined with addField before the first open; opening
// starts empty and closing forgets the rows. Same events as any dataset.

#include "host/data/Dataset.h"

namespace host::data {

class MemDataset : public Dataset {
public:
    explicit MemDataset(host::Component* owner = nullptr, const QString& name = {});
    ~MemDataset() override;

    bool canModify() const override { return true; }
    // Forgets every row without events (the dataset stays open).
    void emptyDataset();

protected:
    void openData() override;
    bool fetchRow(MutableRowValues) override { return false; }
    void closeData() override {}
    void writeInsert(RowValues) override {}
    void writeModify(RowValues, RowValues) override {}
    void writeDelete(RowValues) override {}
    // The row in memory is the row: refreshing re-reads nothing (and never
    // reopens, which would forget every row).
    bool readRow(MutableRowValues) override { return true; }
};

}  // namespace host::data
