#pragma once
// The datasets that wrote rows a transaction can still undo, and at which
// savepoint depth: when the engine undoes that work (a routine of several
// steps rolled back to its savepoint, or the transaction rolled back) they
// read their rows again. Otherwise they would keep showing the values
// undone, and the next save, compared with those, would be refused as
// another desk's change.

#include <QString>

namespace host::db {
class Transaction;
}

namespace host::data {

class Dataset;

void noteRowsWritten(host::db::Transaction& transaction, Dataset& dataset);
void forgetRowsWritten(Dataset& dataset);

// A document's header row the transaction holds since a line was written
// under it ("table|key|condition"): until the commit, or until the work it
// was held in is undone, no other desk can delete it, so a further line of
// the same unit need not hold it again.
bool headerHeld(host::db::Transaction& transaction, const QString& header);
void noteHeaderHeld(host::db::Transaction& transaction, const QString& header);

}  // namespace host::data
