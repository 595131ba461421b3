#pragma once
// Internal to host/db: the engine's object interface and the status handling
// shared by the connection, transaction and statement sources.

#include "host/db/Database.h"
#include "host/db/EngineWatcher.h"
#include "host/db/LockTable.h"

#include <firebird/Interface.h>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <list>
#include <functional>
#include <mutex>
#include <thread>
#include <memory>
#include <set>
#include <vector>

#include <sys/types.h>

namespace host::db::detail {

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* provider();

// Runs a call with a status wrapper and turns an engine failure into DbError.
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::CheckStatusWrapper* operator&() { return &wrapper_; }
    bool failed() { return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    // Throws DbError when the last call failed. The test stays at the call
    // site: every execution and fetch asks, and nearly all of them went well.
    void check(const QString& sql = {})
    {
        if (failed()) [[unlikely]]
            raiseFailure(sql);
    }

private:
    [[noreturn]] Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void raiseFailure(const QString& sql);
    Firebird::IStatus* status_;
    Firebird::CheckStatusWrapper wrapper_;
};

[[noreturn]] void raise(const QString& message, const QString& sql = {});

// Watches an attach: when it still runs after a few seconds (it waits on a
// lock another process holds, or on a server's answer), tells through Qt's
// messages (the error output of a console tool, the log of the self-test)
// what it waits for: which file of the lock folder or the database holds it,
// or which server, so no start waits without saying so.
constexpr int kWaitNoticeSeconds = 3;
// How long an attach waits for a server's answer before it gives up.
constexpr int kServerAnswerSeconds = 20;
// The wait in force: kServerAnswerSeconds, or less where TECHASSIST_ESPERA_SERVIDOR
// says (seconds, never more): the tests that only need the give-up to happen
// do not wait it out whole.
int serverAnswerSeconds();
// The engine's shared files (lock table, events, monitoring...) begin with
// a header holding the process-shared mutex that guards them, 16 bytes in;
// glibc keeps in it whether it is held and the thread that holds it. A
// process killed or stopped inside the engine leaves it held.
struct HeldMutex {
    QString file;
    qint64 thread;
};
QList<HeldMutex> heldMutexes(const QStringList& files);
// The process a thread belongs to; 0 when it has ended.
qint64 processOfThread(qint64 thread);
// Those of them held by a thread of another process (or of one that ended).
QList<HeldMutex> heldByOthers(const QStringList& files);
// The files of the engine a thread of this process waits on: the lock file
// whose mapping holds the futex it sleeps on, or the lock file or database
// whose file lock it waits for. Empty when it waits on nothing of the
// engine's (running, reading the disk...); where the kernel does not tell,
// the database's lock files.
QStringList filesWaitedOn(pid_t thread, const QString& database, const QString& lockFolder);
// A statement waiting on mutexes held by other processes, and its end.
QString statementWaitingMessage(const QString& database, const QList<HeldMutex>& held, int seconds);
QString statementGiveUpMessage(const QString& database, const QList<HeldMutex>& held, int seconds);
QString serverWaitingMessage(const QString& database, int seconds);
// A refused attach in the user's words, naming the file, the user or the
// server (empty when the engine's code is none of those a user can meet);
// `waitedMs`, how long the attach took, is told when it waited.
QString attachFailureText(const ConnectOptions& options, const DbError& failure, qint64 waitedMs = 0);
// A statement refused for want of a privilege, naming the database user
// and what they may not do to which object; a refused schema change is told
// as an update that waits for the owner's start.
QString noPermissionText(const DbError& failure, const QString& user);
// An embedded attach or detach that a process killed or stopped inside the
// engine holds would wait for ever: once another process has held what it
// waits on this long, the process is ended, telling which lock file, with
// the exit code of a database that could not be opened (the waiting thread
// cannot be stopped, and the engine's own end would wait on the same lock).
// One that waits on nothing another process holds (a slow disk, a busy
// machine) waits as long as it takes.
constexpr int kLockGiveUpSeconds = 30;
constexpr int kLockGiveUpExitCode = 3;
// The give-up in force: kLockGiveUpSeconds, or less where
// TECHASSIST_DESISTENCIA_TRAVA says (seconds, never less than a second after
// the notice, never more), for the same reason.
int lockGiveUpSeconds();
class WaitNotice {
public:
    // A server's attach: `message` told after kWaitNoticeSeconds (the server's
    // own time limit gives it up).
    explicit WaitNotice(std::function<QString(int seconds)> message);
    // An embedded attach or detach of the calling thread; `doing` heads its
    // messages: "Abrindo", "Fechando". Told after kWaitNoticeSeconds, naming
    // what another process holds or saying that nothing is held, and again
    // when a holder appears; given up as above.
    WaitNotice(const QString& database, const QString& lockFolder, const QString& doing);
    ~WaitNotice();
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;

    // Called once a second with the seconds waited, from the watcher thread.
    explicit WaitNotice(std::function<void(int seconds)> look, int);

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::function<void(int seconds)> look_;
    std::thread watcher_;
};

// While alive, the calling thread is inside an engine call (nested ones
// count once): an atomic store at each end, nothing more. One watcher
// thread of the process, started by the first embedded attach
// (watchEngineCalls), looks at every thread once a second. A call still
// running after kWaitNoticeSeconds whose thread sleeps on the mutex of a
// lock file held by a thread of another process is told through Qt's
// messages; once that thread has held it kLockGiveUpSeconds, the process
// ends with kLockGiveUpExitCode, telling the lock file: transactions do not
// wait on records, so such a call waits on a process killed or stopped
// inside the engine, for ever, and nothing else can stop the waiting thread
// (the engine rolls the work back at the next start). A long call that
// sleeps on no such mutex is never told nor given up.
struct CallMark;
class EngineCall {
public:
    EngineCall() noexcept;
    ~EngineCall();
    EngineCall(const EngineCall&) = delete;
    EngineCall& operator=(const EngineCall&) = delete;

private:
    CallMark& mark_;
};
// Tells the watcher the embedded database just opened and its lock folder;
// the first call in a process starts the watcher.
void watchEngineCalls(const QString& database, const QString& lockFolder);

// While alive, SIGTERM and SIGINT end the process at once: an attach that
// waits inside the engine never returns to whoever would end it gently, and
// the engine's own handler would wait on the same lock.
class EndOnSignals {
public:
    EndOnSignals();
    ~EndOnSignals();
    EndOnSignals(const EndOnSignals&) = delete;
    EndOnSignals& operator=(const EndOnSignals&) = delete;
};

extern std::atomic<std::uint64_t> executedStatements;
extern std::atomic<std::uint64_t> preparedStatements;
extern EngineWatcher* watcher;
// The watcher, when it wants executions, fetches and closed cursors told.
extern EngineWatcher* runWatcher;
// Numbers of preparations and of transaction starts, as the watcher knows them.
std::uint64_t nextSerial();

}  // namespace host::db::detail

namespace host::db {

namespace detail {

// The preparations the connection's statements let go, by text, the most
// recently let go first: a statement of the same text made later, by any
// transaction of the connection, takes one instead of preparing again (over
// a network each preparation is an exchange with the server). Bounded; a
// text already kept keeps the one it has. A schema change empties it and
// refuses what was prepared before it (a statement still held at the change
// goes when its holder lets it go), as does closing the connection.
class PreparedPool {
public:
    static constexpr int kKept = Connection::kPreparationsKept;
    // Out of line, where a statement's Impl is complete.
    PreparedPool();
    ~PreparedPool();
    PreparedPool(const PreparedPool&) = delete;
    PreparedPool& operator=(const PreparedPool&) = delete;
    // Null when no preparation of the text is kept.
    std::unique_ptr<Statement::Impl> take(const QString& sql);
    // Keeps a statement's preparation let go (cursor closed, no transaction):
    // false when it is not to be kept (prepared before the last schema
    // change, a schema change itself, a text already kept).
    bool keep(std::unique_ptr<Statement::Impl>& impl);
    // Frees every preparation kept; those prepared until now are kept no more.
    void forget();
    std::uint64_t generation() const { return generation_; }

private:
    using Entries = std::list<std::pair<QString, std::unique_ptr<Statement::Impl>>>;
    Entries entries_;
    QHash<QString, Entries::iterator> byText_;
    std::uint64_t generation_ = 0;
};

}  // namespace detail

struct Connection::Impl {
    Firebird::IAttachment* attachment = nullptr;
    ConnectOptions options;
    std::set<Transaction*> transactions;
    std::set<Statement::Impl*> statements;
    // Held while an embedded database is open: the file is used with this
    // process's lock folder.
    detail::LockTableMark mark;
    detail::PreparedPool pool;
    // Frees every prepared statement: their handles die with the attachment.
    void forgetStatements();
};

struct Transaction::Impl {
    Transaction* self = nullptr;
    Connection* connection = nullptr;
    Firebird::ITransaction* handle = nullptr;
    // A retaining commit or rollback dropped the engine's savepoints; the
    // guards take them again before the next statement runs. Beside the
    // handle: every statement reads both.
    bool savepointsDropped = false;
    std::uint64_t serial = 0;   // of the engine transaction in `handle`
    // Every statement bound to this transaction: they are released with it,
    // and a hard commit or rollback closes the cursors open among them.
    std::set<Statement::Impl*> statements;
    // Live savepoint guards, oldest first.
    std::vector<Savepoint::Impl*> savepoints;
    // Live commit holds and what the held commits asked for: 0 nothing,
    // 1 a retaining commit, 2 a hard one.
    int commitHolds = 0;
    int heldCommit = 0;
    Transaction::WorkListener workListener;
    void tellWork(Transaction::WorkEnd end, int depth) noexcept;
    // Statements kept for reuse by their text, the most recently used first.
    using Kept = std::list<std::pair<QString, std::shared_ptr<Statement>>>;
    Kept kept;
    QHash<QString, Kept::iterator> keptByText;
    // Texts asked once through preparedIfRepeated, likewise.
    Kept askedOnce;
    QHash<QString, Kept::iterator> askedOnceByText;
    // Puts a statement at the front of the kept ones, the least recently
    // used going when there are too many.
    void keep(const QString& sql, std::shared_ptr<Statement> st);
    Connection& liveConnection() const;   // raises once the connection is gone
    void ensureStarted(Transaction& self);
    void finish(void (Firebird::ITransaction::*action)(Firebird::CheckStatusWrapper*), bool ends,
                EngineWatcher::End how);
    void releaseCursors();
    void orphanStatements();
    // Runs a savepoint statement (kept prepared).
    void runSavepointStatement(const QByteArray& sql);
    // After a retaining commit or rollback: the engine dropped the savepoints.
    // They are taken again only when a statement follows, so that a guard
    // released (or undone) right after a commit costs no statement, nor does
    // a commit that no work follows.
    void renewSavepoints();
    // Before a statement: the dropped savepoints taken again, oldest first.
    void retakeSavepoints() {
        if (savepointsDropped) retakeDroppedSavepoints();
    }
    void retakeDroppedSavepoints();
    // After a hard end, or when the transaction goes: no savepoint is left.
    void endSavepoints();
};

}  // namespace host::db
