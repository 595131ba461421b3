// The watch over engine calls that wait on a lock another process holds
// (see EngineCall in FbApi.h).

#include "host/db/FbApi.h"

#include <QDebug>

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace host::db::detail {

namespace {
using Clock = std::chrono::steady_clock;
}

struct CallMark {
    // The number of the call under way; 0 when the thread is not in one.
    std::atomic<std::uint64_t> call{0};
    std::uint64_t calls = 0;   // made by the thread so far
    int depth = 0;
    // The watcher's alone: the call it saw last and since when, whether it
    // was told, and the mutex found held meanwhile, by which thread, since when.
    std::uint64_t seen = 0;
    Clock::time_point seenSince;
    bool told = false;
    QString heldFile;
    qint64 heldThread = 0;
    Clock::time_point heldSince;
};

namespace {

struct Watch {
    std::mutex mutex;   // guards what follows, and the watcher's fields of the marks
    std::vector<CallMark*> marks;
    QString database, lockFolder;
    pid_t running = 0;   // the process whose watcher runs: a forked child has none
};

// Never destroyed: the watcher runs to the end of the process.
Watch& watch() {
    static Watch* const w = new Watch;
    return *w;
}

// A thread's mark, in the table while the thread lives.
struct ThreadMark {
    CallMark mark;
    ThreadMark() {
        std::lock_guard<std::mutex> lock(watch().mutex);
        watch().marks.push_back(&mark);
    }
    ~ThreadMark() {
        std::lock_guard<std::mutex> lock(watch().mutex);
        std::erase(watch().marks, &mark);
    }
    ThreadMark(const ThreadMark&) = delete;
    ThreadMark& operator=(const ThreadMark&) = delete;
};

CallMark& threadMark() {
    thread_local ThreadMark own;
    return own.mark;
}

QList<HeldMutex> heldByOthers(const QString& lockFolder) {
    QList<HeldMutex> held = heldMutexes(lockFolderFiles(lockFolder));
    held.removeIf([](const HeldMutex& m) { return processOfThread(m.thread) == ::getpid(); });
    return held;
}

int secondsSince(Clock::time_point since, Clock::time_point now) {
    return int(std::chrono::duration_cast<std::chrono::seconds>(now - since).count());
}

// One look at every thread's call. The lock folder is read only when a
// call has lasted from one look to the next, once for all of them.
void look(Watch& w) {
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(w.mutex);
    std::optional<QList<HeldMutex>> held;
    for (CallMark* m : w.marks) {
        const std::uint64_t call = m->call.load(std::memory_order_relaxed);
        if (call == 0 || call != m->seen) {
            m->seen = call;
            m->seenSince = now;
            m->told = false;
            m->heldThread = 0;
            continue;
        }
        if (!held) held = heldByOthers(w.lockFolder);
        if (held->isEmpty()) {
            m->heldThread = 0;
            continue;
        }
        const HeldMutex& first = held->first();
        if (first.file != m->heldFile || first.thread != m->heldThread) {
            m->heldFile = first.file;
            m->heldThread = first.thread;
            m->heldSince = now;
        }
        const int waited = secondsSince(m->seenSince, now);
        if (!m->told && waited >= kWaitNoticeSeconds) {
            qInfo().noquote() << statementWaitingMessage(w.database, *held, waited);
            m->told = true;
        }
        if (secondsSince(m->heldSince, now) >= kLockGiveUpSeconds) {
            qCritical().noquote() << statementGiveUpMessage(w.database, *held, waited);
            ::_exit(kLockGiveUpExitCode);
        }
    }
}

// A fork waits for a look to end: the child gets the table unlocked.
void lockTable() { watch().mutex.lock(); }
void unlockTable() { watch().mutex.unlock(); }

}  // namespace

EngineCall::EngineCall() noexcept : mark_(threadMark()) {
    if (mark_.depth++ == 0) mark_.call.store(++mark_.calls, std::memory_order_relaxed);
}

EngineCall::~EngineCall() {
    if (--mark_.depth == 0) mark_.call.store(0, std::memory_order_relaxed);
}

void watchEngineCalls(const QString& database, const QString& lockFolder) {
    CallMark& own = threadMark();   // in the table before the table is locked
    Watch& w = watch();
    std::lock_guard<std::mutex> lock(w.mutex);
    w.database = database;
    w.lockFolder = lockFolder;
    if (w.running == ::getpid()) return;
    // In a forked child only the forking thread goes on.
    if (w.running != 0) w.marks.assign(1, &own);
    static std::once_flag forks;
    std::call_once(forks, [] { ::pthread_atfork(lockTable, unlockTable, unlockTable); });
    w.running = ::getpid();
    std::thread([&w] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            look(w);
        }
    }).detach();
}

}  // namespace host::db::detail
