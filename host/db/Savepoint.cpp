// Savepoint guards over the engine's SAVEPOINT / ROLLBACK TO / RELEASE.

#include "host/db/FbApi.h"

#include <algorithm>

using namespace Firebird;

namespace host::db {

struct Savepoint::Impl {
    Transaction* tr = nullptr;   // null once the guard has ended
    QByteArray name;
};

// Savepoint statements are kept prepared like any other: a guard is named by
// its depth (live guards are always nested, so no two share a name), which
// leaves a handful of texts for every routine that takes one.
void Transaction::Impl::runSavepointStatement(const QByteArray& sql) {
    if (!liveConnection().impl()->attachment || !handle)
        detail::raise("Banco de dados não conectado.", QString::fromUtf8(sql));
    self->prepared(QString::fromLatin1(sql))->execute();
}

void Transaction::Impl::renewSavepoints() { savepointsDropped = !savepoints.empty(); }

void Transaction::Impl::retakeDroppedSavepoints() {
    savepointsDropped = false;   // first: each SAVEPOINT below is a statement too
    for (Savepoint::Impl* sp : savepoints)
        runSavepointStatement("SAVEPOINT " + sp->name);
}

void Transaction::Impl::endSavepoints() {
    for (Savepoint::Impl* sp : savepoints) sp->tr = nullptr;
    savepoints.clear();
    savepointsDropped = false;
}

Savepoint::Savepoint(Transaction& transaction) : d(std::make_unique<Impl>()) {
    Transaction::Impl& t = *transaction.impl();
    t.ensureStarted(transaction);
    d->name = "TA_SP_" + QByteArray::number(qsizetype(t.savepoints.size()) + 1);
    t.runSavepointStatement("SAVEPOINT " + d->name);
    d->tr = &transaction;
    t.savepoints.push_back(d.get());
}

Savepoint::~Savepoint() {
    if (!d->tr) return;
    try {
        rollback();
    } catch (...) {
        // The work cannot be undone alone (the engine refused, the connection
        // failed): undo the whole transaction rather than let half of this
        // routine be committed later by someone else's save.
        try {
            if (d->tr) d->tr->rollbackRetaining();
        } catch (...) {
            // the connection is gone: nothing it holds can be committed any more
        }
    }
}

bool Savepoint::active() const { return d->tr != nullptr; }
QString Savepoint::name() const { return QString::fromLatin1(d->name); }

// The guard and every guard taken after it end (the engine releases the
// later savepoints with this one).
static void forget(Transaction::Impl& t, Savepoint::Impl* sp) {
    auto it = std::find(t.savepoints.begin(), t.savepoints.end(), sp);
    for (auto later = it; later != t.savepoints.end(); ++later) (*later)->tr = nullptr;
    t.savepoints.erase(it, t.savepoints.end());
    if (t.savepoints.empty()) t.savepointsDropped = false;
}

// While the engine's savepoints are dropped (a retaining commit or rollback
// and no statement since), there is nothing after them to keep or undo: the
// guard only ends.
void Savepoint::release() {
    if (!d->tr) return;
    Transaction::Impl& t = *d->tr->impl();
    if (!t.savepointsDropped) t.runSavepointStatement("RELEASE SAVEPOINT " + d->name);
    forget(t, d.get());
    t.tellWork(Transaction::WorkEnd::Joined, int(t.savepoints.size()));
}

void Savepoint::rollback() {
    if (!d->tr) return;
    Transaction::Impl& t = *d->tr->impl();
    if (!t.savepointsDropped) {
        t.runSavepointStatement("ROLLBACK TO SAVEPOINT " + d->name);
        t.runSavepointStatement("RELEASE SAVEPOINT " + d->name);
    }
    forget(t, d.get());
    t.tellWork(Transaction::WorkEnd::Undone, int(t.savepoints.size()));
}

CommitHold::CommitHold(Transaction& transaction) : tr_(&transaction) { ++tr_->impl()->commitHolds; }

CommitHold::~CommitHold() {
    if (!tr_) return;
    Transaction::Impl& t = *tr_->impl();
    if (--t.commitHolds == 0) t.heldCommit = 0;
}

bool CommitHold::commitAsked() const { return tr_ && tr_->impl()->heldCommit > 0; }

void CommitHold::release() {
    if (!tr_) return;
    Transaction* tr = tr_;
    tr_ = nullptr;
    Transaction::Impl& t = *tr->impl();
    if (--t.commitHolds > 0) return;
    const int asked = t.heldCommit;
    t.heldCommit = 0;
    if (asked == 2) tr->commit();
    else if (asked == 1) tr->commitRetaining();
}

void runAsOneCommit(Transaction& transaction, const std::function<void()>& steps) {
    CommitHold hold(transaction);
    Savepoint whole(transaction);
    steps();
    whole.release();
    const bool asked = hold.commitAsked();
    hold.release();
    if (!asked) transaction.commitRetaining();
}

}  // namespace host::db
