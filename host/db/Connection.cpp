// Connection, transaction and error handling (the engine's folders are in EngineFolders.cpp).

#include "host/db/FbApi.h"
#include "host/db/LockTable.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <utility>

#include <ibase.h>


using namespace Firebird;

namespace host::db {

namespace detail {

std::atomic<std::uint64_t> executedStatements{0};
std::atomic<std::uint64_t> preparedStatements{0};
EngineWatcher* watcher = nullptr;
EngineWatcher* runWatcher = nullptr;

std::uint64_t nextSerial()
{
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

IMaster* master() {
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* util() {
    static IUtil* u = master()->getUtilInterface();
    return u;
}

IProvider* provider() {
    static IProvider* p = master()->getDispatcher();
    return p;
}

Status::Status() : status_(master()->getStatus()), wrapper_(status_) {}

Status::~Status() { status_->dispose(); }

void Status::raiseFailure(const QString& sql) {
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer, &wrapper_);
    const intptr_t* vector = wrapper_.getErrors();
    const int sqlCode = isc_sqlcode(vector);
    intptr_t gds = (vector && vector[0] == isc_arg_gds) ? vector[1] : 0;
    // Text a column cannot hold comes under a general arithmetic failure:
    // the specific code is the one a caller can tell the user by.
    // So does a refused privilege under a failed schema change.
    for (const intptr_t* v = vector; v && *v != isc_arg_end; v += (*v == isc_arg_cstring ? 3 : 2))
        if (v[0] == isc_arg_gds &&
            (v[1] == isc_transliteration_failed || v[1] == isc_no_priv || v[1] == isc_dyn_no_priv))
            gds = v[1];
    QString text = QString::fromUtf8(buffer).trimmed();
    wrapper_.init();
    throw DbError(text, sqlCode, gds, sql);
}

void raise(const QString& message, const QString& sql) { throw DbError(message, 0, 0, sql); }

}  // namespace detail

using detail::Status;

DbError::DbError(const QString& message, int sqlCode, intptr_t gdsCode, const QString& sql)
    : std::runtime_error(message.toStdString()), message_(message), sqlCode_(sqlCode), gdsCode_(gdsCode),
      sql_(sql) {}

DbError DbError::withUserText(const QString& text) const {
    DbError told(*this);
    told.userText_ = text;
    return told;
}

std::uint64_t statementCount() { return detail::executedStatements.load(std::memory_order_relaxed); }
std::uint64_t prepareCount() { return detail::preparedStatements.load(std::memory_order_relaxed); }

EngineWatcher* watchEngine(EngineWatcher* watcher)
{
    EngineWatcher* replaced = std::exchange(detail::watcher, watcher);
    rewatchEngineRuns();
    return replaced;
}

void rewatchEngineRuns() { detail::runWatcher = detail::watcher && detail::watcher->wantsRuns() ? detail::watcher : nullptr; }

// ---------------------------------------------------------------- Connection

namespace {

IXpbBuilder* connectParams(Status& st, const ConnectOptions& o, bool creating) {
    IXpbBuilder* dpb = detail::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    st.check();
    dpb->insertString(&st, isc_dpb_user_name, o.user.toUtf8().constData());
    dpb->insertString(&st, isc_dpb_password, o.password.toUtf8().constData());
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    if (!o.role.isEmpty()) dpb->insertString(&st, isc_dpb_sql_role_name, o.role.toUtf8().constData());
    if (o.forcedWrites) dpb->insertInt(&st, isc_dpb_force_write, *o.forcedWrites ? 1 : 0);
    // A server that takes the connection and never answers is given up.
    if (Connection::isRemoteName(o.name)) dpb->insertInt(&st, isc_dpb_connect_timeout, detail::serverAnswerSeconds());
    if (creating) {
        dpb->insertInt(&st, isc_dpb_sql_dialect, 1);
        dpb->insertString(&st, isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
    }
    st.check();
    return dpb;
}

}  // namespace

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection() {
    try {
        close();
    } catch (...) {
        // a failing detach on shutdown has nobody left to tell
    }
    for (Transaction* t : d->transactions) t->impl()->connection = nullptr;
}

static void detachAtOnce(Connection::Impl& d) {
    Status closing;
    d.attachment->detach(&closing);
    if (closing.failed()) d.attachment->release();
    d.attachment = nullptr;
}

// Once the engine has the file open (and its lock files made): the file
// marked as used with this lock folder (a file just created had no mark to
// take before), the lock files given their room, and a lock folder that
// fills later told. Throws DbError, the attachment left to the caller.
static detail::LockTableMark secureLockTable(detail::LockTableMark mark, const QString& database) {
    const QString lockFolder = detail::lockFolderInUse();
    if (!mark.held()) mark = detail::LockTableMark(database, lockFolder);
    const QString engineFolder = qEnvironmentVariable("FIREBIRD_LOCK");
    detail::sizeLockFiles(engineFolder, lockFolder, database);
    detail::tellFullLockFolder(engineFolder, lockFolder, database);
    return mark;
}

static void attach(Connection::Impl& d, const ConnectOptions& options, bool creating) {
    if (d.attachment) detail::raise("A conexão já está aberta: " + d.options.name);
    const bool embedded = !Connection::isRemoteName(options.name);
    QByteArray name = options.name.toUtf8();
    // The lock folder is chosen from the file pinned, and the engine opens
    // the same file: the path it is given leads nowhere else (checked again
    // before and after it opens).
    std::optional<PinnedDatabase> file;
    detail::LockTableMark mark;
    if (embedded) {
        checkDatabaseFile(options.name);
        prepareEmbeddedEngine();
        file.emplace(options.name);
        prepareLockFolder(file->path());
        file->checkStillThere();
        name = file->path().toUtf8();
        if (QFileInfo::exists(file->path())) mark = detail::LockTableMark(file->path(), detail::lockFolderInUse());
    }
    Status st;
    IXpbBuilder* dpb = connectParams(st, options, creating);
    const unsigned len = dpb->getBufferLength(&st);
    const unsigned char* buffer = dpb->getBuffer(&st);
    QElapsedTimer waited;
    waited.start();
    const QString lockFolder = qEnvironmentVariable("FIREBIRD_LOCK");
    {
        // Told after a few seconds: the lock of the embedded engine it waits
        // on, or the server whose answer it waits for.
        std::optional<detail::WaitNotice> notice;
        if (embedded)
            notice.emplace(options.name, lockFolder, "Abrindo");
        else
            notice.emplace([&](int seconds) { return detail::serverWaitingMessage(options.name, seconds); });
        std::optional<detail::EndOnSignals> endOnSignals;
        if (embedded) endOnSignals.emplace();
        d.attachment = creating ? detail::provider()->createDatabase(&st, name.constData(), len, buffer)
                                : detail::provider()->attachDatabase(&st, name.constData(), len, buffer);
    }
    dpb->dispose();
    try {
        st.check();
    } catch (const DbError& e) {
        // The engine's words, after ours: what was being done, to which file.
        throw DbError(QString(creating ? "Não foi possível criar o banco de dados %1:\n%2"
                                       : "Não foi possível abrir o banco de dados %1:\n%2")
                          .arg(options.name, e.message()),
                      e.sqlCode(), e.gdsCode())
            .withUserText(detail::attachFailureText(options, e, waited.elapsed()));
    }
    if (file && !file->stillThere()) {
        detachAtOnce(d);
        file->checkStillThere();
    }
    if (file) {
        try {
            d.mark = secureLockTable(std::move(mark), file->path());
        } catch (const DbError&) {
            detachAtOnce(d);
            throw;
        }
    }
    d.options = options;
    if (embedded) detail::watchEngineCalls(options.name, lockFolder);
}

void Connection::open(const ConnectOptions& options) { attach(*d, options, false); }

void Connection::create(const ConnectOptions& options) {
    attach(*d, options, true);
    // Made through this process's view of a group's lock folder, the new
    // file's lock table is this process's alone: opened again, it is the
    // one the group's other processes will share.
    if (!isRemoteName(options.name) && locksThroughOwnView()) {
        close();
        attach(*d, options, false);
    }
}

void Connection::close() {
    if (!d->attachment) return;
    for (Transaction* t : std::set<Transaction*>(d->transactions))
        if (t->active()) t->rollback();
    d->forgetStatements();
    Status st;
    if (isRemoteName(d->options.name)) {
        d->attachment->detach(&st);
    } else {
        // The last detach of a program (its end) meets the locks an attach
        // meets: it is watched, and given up, the same way.
        const QString lockFolder = qEnvironmentVariable("FIREBIRD_LOCK");
        const QString& database = d->options.name;
        const detail::WaitNotice notice(database, lockFolder, "Fechando");
        const detail::EndOnSignals endOnSignals;
        d->attachment->detach(&st);
    }
    if (st.operator&()->getState() & IStatus::STATE_ERRORS) d->attachment->release();
    d->attachment = nullptr;
    d->mark = {};
}

bool Connection::isOpen() const { return d->attachment != nullptr; }
QString Connection::name() const { return d->options.name; }
QString Connection::user() const { return d->options.user; }


// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Connection& connection) : d(std::make_unique<Impl>()) {
    d->self = this;
    d->connection = &connection;
    connection.impl()->transactions.insert(this);
}

Transaction::~Transaction() {
    d->tellWork(WorkEnd::Forgotten, -1);
    d->workListener = nullptr;   // nothing is shown from a transaction that goes
    try {
        if (active()) rollback();
    } catch (...) {
        // nothing to tell on the way out
    }
    forgetPrepared();
    d->endSavepoints();
    d->orphanStatements();
    if (d->connection) d->connection->impl()->transactions.erase(this);
}

Connection& Transaction::Impl::liveConnection() const {
    if (!connection) detail::raise("A conexão da transação não existe mais.");
    return *connection;
}

Connection& Transaction::connection() const { return d->liveConnection(); }

bool Transaction::active() const { return d->handle != nullptr; }

void Transaction::start() {
    if (d->handle) detail::raise("A transação já está ativa.");
    IAttachment* att = d->liveConnection().impl()->attachment;
    if (!att) detail::raise("Banco de dados não conectado.");
    // Read committed with record versions: readers never wait; a write that
    // meets another session's uncommitted change fails at once.
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_nowait};
    Status st;
    {
        const detail::EngineCall call;
        d->handle = att->startTransaction(&st, sizeof tpb, tpb);
    }
    st.check();
    d->serial = detail::nextSerial();
}

void Transaction::Impl::ensureStarted(Transaction& self) {
    if (!handle) self.start();
}

// Ends (commit, rollback) or renews (the retaining forms) the transaction.
void Transaction::Impl::finish(void (ITransaction::*action)(CheckStatusWrapper*), bool ends,
                               EngineWatcher::End how) {
    if (!handle) return;
    if (ends) releaseCursors();
    Status st;
    {
        const detail::EngineCall call;
        (handle->*action)(&st);
    }
    st.check();
    if (detail::watcher) detail::watcher->ended(serial, how);
    if (ends) {
        handle = nullptr;
        endSavepoints();
    } else {
        renewSavepoints();
    }
    const bool undone = how == EngineWatcher::End::Rollback || how == EngineWatcher::End::RollbackRetaining;
    tellWork(undone ? Transaction::WorkEnd::Undone : Transaction::WorkEnd::Forgotten, -1);
}

void Transaction::Impl::tellWork(Transaction::WorkEnd end, int depth) noexcept {
    if (!workListener) return;
    try {
        workListener(end, depth);
    } catch (...) {
        // what the screen shows is the listener's own business
    }
}

void Transaction::setWorkListener(WorkListener listener) { d->workListener = std::move(listener); }
int Transaction::savepointDepth() const { return int(d->savepoints.size()); }

void Transaction::commit() {
    if (d->commitHolds > 0) {
        d->heldCommit = 2;
        return;
    }
    d->finish(&ITransaction::commit<CheckStatusWrapper>, true, EngineWatcher::End::Commit);
}
void Transaction::commitRetaining() {
    if (d->commitHolds > 0) {
        d->heldCommit = std::max(d->heldCommit, 1);
        return;
    }
    d->finish(&ITransaction::commitRetaining<CheckStatusWrapper>, false, EngineWatcher::End::CommitRetaining);
}
void Transaction::rollback() {
    d->heldCommit = 0;
    d->finish(&ITransaction::rollback<CheckStatusWrapper>, true, EngineWatcher::End::Rollback);
}
void Transaction::rollbackRetaining() {
    d->heldCommit = 0;
    d->finish(&ITransaction::rollbackRetaining<CheckStatusWrapper>, false, EngineWatcher::End::RollbackRetaining);
}

std::shared_ptr<Statement> Transaction::prepared(const QString& sql) {
    auto found = d->keptByText.find(sql);
    if (found != d->keptByText.end()) {
        const Impl::Kept::iterator entry = *found;
        // Held elsewhere (a caller still reading it): this one gets its own.
        if (entry->second.use_count() > 1) return std::make_shared<Statement>(*this, sql);
        d->kept.splice(d->kept.begin(), d->kept, entry);
        Statement& st = *entry->second;
        if (!st.isPrepared()) st.prepare(sql); // the connection was closed and opened again
        st.closeCursor();
        st.clearParams();
        return entry->second;
    }
    auto st = std::make_shared<Statement>(*this, sql);
    d->keep(sql, st);
    return st;
}

void Transaction::Impl::keep(const QString& sql, std::shared_ptr<Statement> st) {
    kept.emplace_front(sql, std::move(st));
    keptByText.insert(sql, kept.begin());
    if (int(kept.size()) > kPreparedKept) {
        keptByText.remove(kept.back().first);
        kept.pop_back();
    }
}

std::shared_ptr<Statement> Transaction::preparedIfRepeated(const QString& sql) {
    if (d->keptByText.contains(sql)) return prepared(sql);
    const auto found = d->askedOnceByText.find(sql);
    if (found == d->askedOnceByText.end()) {
        auto st = std::make_shared<Statement>(*this, sql);
        d->askedOnce.emplace_front(sql, st);
        d->askedOnceByText.insert(sql, d->askedOnce.begin());
        if (int(d->askedOnce.size()) > kAskedOnce) {
            d->askedOnceByText.remove(d->askedOnce.back().first);
            d->askedOnce.pop_back();
        }
        return st;
    }
    // Asked again: it joins the kept ones (its first asker may still hold it).
    std::shared_ptr<Statement> st = std::move(found.value()->second);
    d->askedOnce.erase(found.value());
    d->askedOnceByText.erase(found);
    d->keep(sql, std::move(st));
    return prepared(sql);
}

void Transaction::forgetPrepared() {
    d->keptByText.clear();
    d->kept.clear();
    d->askedOnceByText.clear();
    d->askedOnce.clear();
}

}  // namespace host::db
