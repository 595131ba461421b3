#pragma once
// The datasets that wrote rows a transaction can still undo, and at which
// savepoint depth: when the engine undoes that work (a routine of several
// steps rolled back to its savepoint, or the transaction rolled back) they
// read their rows again. Otherwise they would keep showing the values
// undone, and the next save, compared with those, would be refused as
// another desk's change.

namespace host::db {
class Transaction;
}

namespace host::data {

class Dataset;

void noteRowsWritten(host::db::Transaction& transaction, Dataset& dataset);
void forgetRowsWritten(Dataset& dataset);

}  // namespace host::data
