// The watch over engine calls that wait on a lock another process holds
// (see EngineCall in FbApi.h).

#include "host/db/FbApi.h"

#include "host/db/LockView.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace host::db::detail {

// Trivially destroyed: a call made while the thread's other objects go, after
// the mark has left the table, still finds it (and goes unwatched).
struct CallMark {
    // The number of the call under way; 0 when the thread is not in one.
    std::atomic<std::uint64_t> call{0};
    std::uint64_t calls = 0;   // made by the thread so far
    int depth = 0;
    pid_t thread = 0;   // as the kernel numbers it
};

namespace {

using Clock = std::chrono::steady_clock;

// What the watcher saw of a thread: the call it saw last and since when,
// whether it was told, and the mutex found held meanwhile, by whom, since when.
struct Seen {
    CallMark* mark = nullptr;
    std::uint64_t call = 0;
    Clock::time_point since;
    bool told = false;
    QString heldFile;
    qint64 heldThread = 0;
    Clock::time_point heldSince;
};

struct Watch {
    std::mutex mutex;   // guards what follows
    std::vector<Seen> threads;
    QString database, lockFolder;
    pid_t running = 0;   // the process whose watcher runs: a forked child has none
};

// Never destroyed: the watcher runs to the end of the process.
Watch& watch() {
    static Watch* const w = new Watch;
    return *w;
}

thread_local CallMark threadCalls;
thread_local bool inTable = false;

// Takes the thread's mark out of the table when the thread ends.
struct LeaveTable {
    LeaveTable() = default;
    ~LeaveTable() {
        std::lock_guard<std::mutex> lock(watch().mutex);
        std::erase_if(watch().threads, [](const Seen& t) { return t.mark == &threadCalls; });
    }
    LeaveTable(const LeaveTable&) = delete;
    LeaveTable& operator=(const LeaveTable&) = delete;
};

CallMark& threadMark() {
    if (!inTable) [[unlikely]] {
        inTable = true;
        threadCalls.thread = pid_t(::syscall(SYS_gettid));
        {
            std::lock_guard<std::mutex> lock(watch().mutex);
            watch().threads.push_back({&threadCalls});
        }
        thread_local LeaveTable leave;
    }
    return threadCalls;
}

// The file of the mapping that holds `address` in this process, or empty.
QString mappedFile(quintptr address) {
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-'), space = line.indexOf(' ');
        if (dash < 0 || space < dash) continue;
        const quintptr start = line.left(dash).toULongLong(nullptr, 16);
        const quintptr end = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
        if (address < start || address >= end) continue;
        const qsizetype path = line.indexOf('/');
        return path < 0 ? QString() : QFile::decodeName(line.mid(path));
    }
    return {};
}

// The file an open descriptor of this process leads to.
QString fileOfDescriptor(qulonglong fd) {
    return QFileInfo(QString("/proc/self/fd/%1").arg(fd)).symLinkTarget();
}

}  // namespace

QStringList filesWaitedOn(pid_t thread, const QString& database, const QString& lockFolder) {
    QFile call(QString("/proc/self/task/%1/syscall").arg(thread));
    if (!call.open(QIODevice::ReadOnly)) return databaseLockFiles(lockFolder, database);
    const QList<QByteArray> fields = call.readAll().trimmed().split(' ');
    if (fields.size() < 2) return {};
    const qulonglong argument = fields[1].toULongLong(nullptr, 16);
    QFileInfo file;
    if (fields[0] == QByteArray::number(SYS_futex))
        file.setFile(mappedFile(argument));
    else if (fields[0] == QByteArray::number(SYS_flock) || fields[0] == QByteArray::number(SYS_fcntl))
        file.setFile(fileOfDescriptor(argument));
    if (file.fileName().isEmpty()) return {};
    if (file.canonicalFilePath() == QFileInfo(database).canonicalFilePath()) return {file.filePath()};
    if (file.canonicalPath() != QFileInfo(lockFolder).canonicalFilePath()) return {};
    return {QDir(lockFolder).filePath(file.fileName())};
}

QList<HeldMutex> heldByOthers(const QStringList& files) {
    QList<HeldMutex> held = heldMutexes(files);
    held.removeIf([](const HeldMutex& m) { return processOfThread(m.thread) == ::getpid(); });
    return held;
}

namespace {

int secondsSince(Clock::time_point since, Clock::time_point now) {
    return int(std::chrono::duration_cast<std::chrono::seconds>(now - since).count());
}

// One look at every thread's call. What a call waits on is read only when
// it has lasted from one look to the next.
void look(Watch& w) {
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> lock(w.mutex);
    for (Seen& t : w.threads) {
        const std::uint64_t call = t.mark->call.load(std::memory_order_relaxed);
        if (call == 0 || call != t.call) {
            t = Seen{t.mark, call, now};
            continue;
        }
        const QList<HeldMutex> held = heldByOthers(filesWaitedOn(t.mark->thread, w.database, w.lockFolder));
        if (held.isEmpty()) {
            t.heldThread = 0;
            continue;
        }
        const HeldMutex& first = held.first();
        if (first.file != t.heldFile || first.thread != t.heldThread) {
            t.heldFile = first.file;
            t.heldThread = first.thread;
            t.heldSince = now;
        }
        const int waited = secondsSince(t.since, now);
        if (!t.told && waited >= kWaitNoticeSeconds) {
            qInfo().noquote() << statementWaitingMessage(w.database, held, waited);
            t.told = true;
        }
        if (secondsSince(t.heldSince, now) >= lockGiveUpSeconds()) {
            qCritical().noquote() << statementGiveUpMessage(w.database, held, waited);
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
    if (w.running != 0) w.threads.assign(1, Seen{&own});
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
