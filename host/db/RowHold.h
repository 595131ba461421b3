#pragma once
// Holding rows for the rest of the transaction: each row is updated to
// itself, so another desk writing or holding it meets the engine's lock
// error at once (transactions never wait), and whoever reads after holding
// reads what the last holder committed. The hold lasts until the
// transaction commits or rolls back; a retaining commit lets it go too.

#include "host/db/Database.h"

#include <QString>
#include <QStringView>

#include <exception>
#include <optional>

namespace host::db {

// True when a database error says a row is held by another transaction (a
// lock conflict, or a key that another transaction has just written).
bool isRowConflict(const std::exception& error);

// What a hold took.
class RowsHeld {
public:
    RowsHeld() = default;
    explicit RowsHeld(AffectedRows rows) : rows_(std::move(rows)) {}
    // Another transaction holds one of the rows: this one holds none.
    bool elsewhere() const { return !rows_; }
    // Exactly one row is held (the count is asked of the engine here).
    bool one() const { return rows_ && int(*rows_) == 1; }
    // No row has the key: none is stored (the count is asked here).
    bool none() const { return rows_ && int(*rows_) == 0; }

private:
    std::optional<AffectedRows> rows_;
};

// Holds the rows of `table` whose key columns equal the values given (each
// bound under its column's name), `condition` added when not empty, by
// setting `column` (the first key column when empty) to itself. An error
// other than a conflict goes on.
RowsHeld holdRows(Transaction& tr, QStringView table, NamedParams key, const QString& condition = {},
                  QStringView column = {});

}  // namespace host::db
