#pragma once
// A small window over one table of the open database: a grid and a few
// data-aware controls bound to the table's first columns. Read-only (the
// query has no update object); it shows the visual layer at work until the
// real main window replaces it.

#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/Form.h"

#include <memory>

namespace host::db {
class Transaction;
}

class DemoWindow : public host::ui::Form {
    Q_OBJECT
public:
    DemoWindow(host::db::Transaction& transaction, const QString& table);

private:
    std::unique_ptr<host::data::Query> query_;
    std::unique_ptr<host::data::DataSource> source_;
};
