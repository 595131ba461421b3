// Telling of an attach or a detach that waits on a lock held by another
// process, and of what holds it.

#include "host/db/FbApi.h"
#include "host/db/Database.h"
#include "host/db/LockView.h"
#include <QtGlobal>
#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDebug>

#include <csignal>
#include <cstring>
#include <mutex>
#include <utility>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace host::db::detail {

namespace {

// A lock another process holds for writing, as /proc/locks lists it:
// "1: FLOCK  ADVISORY  WRITE 28881 fe:00:5382478 0 EOF" (waiters carry "->").
// This process's own are none of them: its pid, and its open-file-description
// locks (listed with pid -1), the marks and the start's turn, which lie past
// anything the engine locks.
struct HeldLock {
    QString file;
    qint64 pid;
};

bool othersWriteLock(const QList<QByteArray>& f, const QByteArray& id) {
    if (f.size() < 7 || f[1] == "->" || f[3] != "WRITE" || f[5] != id) return false;
    return f[4].toLongLong() != ::getpid() && f[6].toLongLong() < kOwnLocksStart;
}

QList<HeldLock> heldLocks(const QStringList& files) {
    QList<HeldLock> held;
    QFile table("/proc/locks");
    if (!table.open(QIODevice::ReadOnly)) return held;
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QString& file : files) {
        struct stat st {};
        if (::stat(QFile::encodeName(file).constData(), &st) != 0) continue;
        const QByteArray id = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                              QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                              QByteArray::number(quint64(st.st_ino));
        for (const QByteArray& line : lines) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (othersWriteLock(f, id)) held.append({file, f[4].toLongLong()});
        }
    }
    return held;
}

}  // namespace

QList<HeldMutex> heldMutexes(const QStringList& files) {
    QList<HeldMutex> held;
    for (const QString& file : files) {
        QFile f(file);
        if (!QFileInfo(file).fileName().startsWith("fb") || !f.open(QIODevice::ReadOnly) || !f.seek(16)) continue;
        const QByteArray mutex = f.read(12);
        if (mutex.size() < 12) continue;
        qint32 lock = 0, owner = 0;
        std::memcpy(&lock, mutex.constData(), sizeof lock);
        std::memcpy(&owner, mutex.constData() + 8, sizeof owner);
        if (lock != 0 && owner > 0) held.append({file, owner});
    }
    return held;
}

qint64 processOfThread(qint64 thread) {
    QFile status(QString("/proc/%1/status").arg(thread));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Tgid:")) return line.mid(5).trimmed().toLongLong();
    return thread;
}

namespace {

// The holder of a mutex, told for the user: "processo N", or that it has
// ended (nothing will ever release what it holds).
QString holderOf(qint64 thread) {
    const qint64 process = processOfThread(thread);
    if (process == 0) return QString("um processo que já terminou (tarefa %1)").arg(thread);
    return QString("processo %1").arg(process);
}

QString heldText(const QList<HeldMutex>& held) {
    QStringList holders;
    for (const HeldMutex& mutex : held) holders.append(QString("%1 (%2)").arg(mutex.file, holderOf(mutex.thread)));
    return holders.join(", ");
}

QString giveUpAdvice() {
    return " Desistindo: um processo encerrado ou parado dentro do Firebird pode tê-la deixado presa. Encerre os "
           "processos que usam o banco e tente de novo.";
}

QString stoppedAdvice() {
    return " Desistindo: o outro processo não fez nada nesse tempo (parado com Ctrl+Z ou kill -STOP, num depurador "
           "ou num terminal travado). Retome-o ou encerre-o e tente de novo.";
}

// Who else holds the files an attach or a detach of `thread` waits on:
// "file (processo N)", ...; empty when no other process holds any.
QString othersHolding(pid_t thread, const QString& database, const QString& lockFolder) {
    const QStringList files = filesWaitedOn(thread, database, lockFolder);
    QStringList holders;
    for (const HeldLock& lock : heldLocks(files))
        holders.append(lock.pid > 0 ? QString("%1 (processo %2)").arg(lock.file).arg(lock.pid)
                                    : QString("%1 (processo não identificado)").arg(lock.file));
    const QList<HeldMutex> held = heldByOthers(files);
    if (!held.isEmpty()) holders.append(heldText(held));
    return holders.join(", ");
}

// The other processes that have the database open, and how much they have
// done (processor time, bytes read and written) so far: one stopped, or
// blocked outside the engine, holds no file lock and no mutex, yet the
// engine waits on it. `unseen`: the marks on the file (LockTable.cpp) of
// processes this one cannot see (another PID namespace, a container).
struct OpenByOthers {
    QStringList names;
    quint64 activity = 0;
    bool unseen = false;
};

bool sameFile(const QString& path, const struct stat& file) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_dev == file.st_dev &&
           st.st_ino == file.st_ino;
}

// This process's own reads and writes of storage (a slow disk still
// serving it): its looks at /proc count in its other figures.
quint64 ownStorageActivity() {
    quint64 total = 0;
    QFile io("/proc/self/io");
    if (io.open(QIODevice::ReadOnly))
        for (const QByteArray& line : io.readAll().split('\n'))
            if (line.startsWith("read_bytes:") || line.startsWith("write_bytes:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toULongLong();
    return total;
}

quint64 activityOf(const QString& process) {
    quint64 total = 0;
    QFile stat(process + "/stat");
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (f.size() > 12) total += f[11].toULongLong() + f[12].toULongLong();   // utime, stime
    }
    QFile io(process + "/io");
    if (io.open(QIODevice::ReadOnly))
        for (const QByteArray& line : io.readAll().split('\n'))
            if (line.startsWith("rchar:") || line.startsWith("wchar:")) total += line.mid(6).trimmed().toULongLong();
    return total;
}

// The marks on the file with this id among the lines of a lock list.
int marksIn(const QByteArray& locks, const QByteArray& id) {
    int marks = 0;
    for (const QByteArray& line : locks.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        const qsizetype at = f.indexOf("OFDLCK");
        if (at < 0 || f.size() < at + 6 || f[at + 4] != id) continue;
        const qint64 start = f[at + 5].toLongLong();
        if (start >= kOwnLocksStart && start < kOwnLocksStart + (qint64(1) << 40)) ++marks;
    }
    return marks;
}

QByteArray lockId(const struct stat& file) {
    return QByteArray::number(major(file.st_dev), 16).rightJustified(2, '0') + ':' +
           QByteArray::number(minor(file.st_dev), 16).rightJustified(2, '0') + ':' +
           QByteArray::number(quint64(file.st_ino));
}

// The marks on the file that a process's open files hold (one for a
// process seen with the file open whose files this one may not read).
int marksOf(const QString& process, const QByteArray& id, bool seen) {
    int marks = 0;
    bool read = false;
    for (const QString& fd : QDir(process + "/fdinfo").entryList(QDir::Files)) {
        QFile info(process + "/fdinfo/" + fd);
        if (!info.open(QIODevice::ReadOnly)) continue;
        read = true;
        marks += marksIn(info.readAll(), id);
    }
    return read || !seen ? marks : 1;
}

// Marks of other processes than this one and those seen (`seen`: theirs).
bool unseenMarks(const struct stat& file, int seen) {
    QFile all("/proc/locks");
    if (!all.open(QIODevice::ReadOnly)) return false;
    const QByteArray id = lockId(file);
    return marksIn(all.readAll(), id) > marksOf("/proc/self", id, false) + seen;
}

OpenByOthers openByOthers(const QString& database) {
    OpenByOthers found;
    found.activity = ownStorageActivity();
    struct stat file {};
    if (::stat(QFile::encodeName(database).constData(), &file) != 0) return found;
    int seenMarks = 0;
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        if (pid.toLongLong() == ::getpid()) continue;
        const QString process = "/proc/" + pid;
        const QStringList fds = QDir(process + "/fd").entryList(QDir::Files | QDir::System);
        if (std::none_of(fds.begin(), fds.end(), [&](const QString& fd) { return sameFile(process + "/fd/" + fd, file); }))
            continue;
        found.names.append("processo " + pid);
        found.activity += activityOf(process);
        seenMarks += marksOf(process, lockId(file), true);
    }
    found.unseen = unseenMarks(file, seenMarks);
    if (found.unseen) found.names.append("um processo que este não vê (de outro contêiner ou espaço de processos)");
    return found;
}

QString waitingMessage(const QString& database, const QString& doing, int seconds, const QString& holders,
                       const QString& openBy = {}) {
    const QString head = QString("%1 o banco de dados %2: aguardando há %3 s ").arg(doing, database).arg(seconds);
    if (!holders.isEmpty()) return head + "a trava presa por outro processo em " + holders + ".";
    if (!openBy.isEmpty())
        return head + "o Firebird, que espera por outro processo com o banco aberto (" + openBy +
               "): desiste se ele ficar parado por " + QString::number(lockGiveUpSeconds()) + " s.";
    return head + "o Firebird, sem outro processo com o banco aberto (o disco ou a máquina estão lentos): "
                  "aguarda enquanto for preciso.";
}

// What an embedded attach or detach has seen so far.
struct LockWait {
    pid_t thread;
    QString database, lockFolder, doing;
    QString holders;   // at the last look
    int heldSince = 0;
    bool toldWaiting = false, toldHeld = false;

    QString openBy;      // the other processes with the database open, at the last look
    quint64 activity = 0;
    int stillSince = 0;  // since when they have done nothing

    void operator()(int seconds) {
        const QString now = othersHolding(thread, database, lockFolder);
        // Held throughout by the same holders, look after look, or not at all.
        if (now.isEmpty() || now != holders) heldSince = seconds;
        holders = now;
        if (holders.isEmpty() && seconds >= kWaitNoticeSeconds) lookAtOthers(seconds);
        if (seconds >= kWaitNoticeSeconds && (!toldWaiting || (!holders.isEmpty() && !toldHeld))) {
            qInfo().noquote() << waitingMessage(database, doing, seconds, holders, openBy);
            toldWaiting = true;
            toldHeld = !holders.isEmpty();
        }
        const bool stuck = holders.isEmpty() ? !openBy.isEmpty() && seconds - stillSince >= lockGiveUpSeconds()
                                             : seconds - heldSince >= lockGiveUpSeconds();
        if (!stuck) return;
        qCritical().noquote() << waitingMessage(database, doing, seconds, holders, openBy) +
                                     (holders.isEmpty() ? stoppedAdvice() : giveUpAdvice());
        ::_exit(kLockGiveUpExitCode);
    }
    // The same processes, none of them doing anything, look after look.
    void lookAtOthers(int seconds) {
        const OpenByOthers others = openByOthers(database);
        const QString names = others.names.join(", ");
        if (names.isEmpty() || names != openBy || others.activity != activity) stillSince = seconds;
        openBy = names;
        activity = others.activity;
    }
};

}  // namespace

QString statementWaitingMessage(const QString& database, const QList<HeldMutex>& held, int seconds) {
    return QString("Executando no banco de dados %1: aguardando há %2 s a trava presa por outro processo em %3.")
        .arg(database)
        .arg(seconds)
        .arg(heldText(held));
}

QString statementGiveUpMessage(const QString& database, const QList<HeldMutex>& held, int seconds) {
    return statementWaitingMessage(database, held, seconds) + giveUpAdvice() +
           " O que não foi gravado será desfeito ao abrir o banco de novo.";
}

namespace {
// A whole number of seconds from the environment, kept within [low, high];
// `high` when unset or not a number.
int secondsFromEnvironment(const char* name, int low, int high) {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue(name, &ok);
    return ok ? std::clamp(asked, low, high) : high;
}
}  // namespace

int serverAnswerSeconds() {
    static const int seconds = secondsFromEnvironment("TECHASSIST_ESPERA_SERVIDOR", 1, kServerAnswerSeconds);
    return seconds;
}

int lockGiveUpSeconds() {
    static const int seconds =
        secondsFromEnvironment("TECHASSIST_DESISTENCIA_TRAVA", kWaitNoticeSeconds + 1, kLockGiveUpSeconds);
    return seconds;
}

QString serverWaitingMessage(const QString& database, int seconds) {
    return QString("Abrindo o banco de dados %1: aguardando há %2 s a resposta do servidor %3 (desiste após %4 s).")
        .arg(database)
        .arg(seconds)
        .arg(Connection::serverOf(database))
        .arg(serverAnswerSeconds());
}

WaitNotice::WaitNotice(std::function<void(int seconds)> look, int)
    : look_(std::move(look)), watcher_([this] {
          std::unique_lock<std::mutex> lock(mutex_);
          for (int seconds = 1;; ++seconds) {
              if (ended_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) return;
              look_(seconds);
          }
      }) {}

// Through Qt's messages: a console tool shows them on stderr, while a run
// whose output is its result (the self-test) keeps them in the log.
WaitNotice::WaitNotice(std::function<QString(int seconds)> message)
    : WaitNotice(
          [message = std::move(message)](int seconds) {
              if (seconds == kWaitNoticeSeconds) qInfo().noquote() << message(seconds);
          },
          0) {}

WaitNotice::WaitNotice(const QString& database, const QString& lockFolder, const QString& doing)
    : WaitNotice(LockWait{pid_t(::syscall(SYS_gettid)), database, lockFolder, doing}, 0) {}

}  // namespace host::db::detail

namespace host::db {

LongStepNotice::LongStepNotice(const QString& doing)
    : notice_(std::make_unique<detail::WaitNotice>(
          [doing](int seconds) {
              if (seconds == detail::kWaitNoticeSeconds || (seconds > detail::kWaitNoticeSeconds && seconds % 60 == 0))
                  qInfo().noquote() << QString("%1: há %2 s (num disco lento leva minutos; aguarde).")
                                           .arg(doing)
                                           .arg(seconds);
          },
          0)) {}

LongStepNotice::~LongStepNotice() = default;

}  // namespace host::db

namespace host::db::detail {

WaitNotice::~WaitNotice() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    ended_.notify_all();
    watcher_.join();
}

namespace {

std::mutex signalsMutex;
int signalGuards = 0;
struct sigaction keptTerm {}, keptInt {};

void endAtOnce(int signal) { ::_exit(128 + signal); }

}  // namespace

EndOnSignals::EndOnSignals() {
    std::lock_guard<std::mutex> lock(signalsMutex);
    if (signalGuards++ > 0) return;
    struct sigaction action {};
    action.sa_handler = endAtOnce;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, &keptTerm);
    ::sigaction(SIGINT, &action, &keptInt);
}

EndOnSignals::~EndOnSignals() {
    std::lock_guard<std::mutex> lock(signalsMutex);
    if (--signalGuards > 0) return;
    ::sigaction(SIGTERM, &keptTerm, nullptr);
    ::sigaction(SIGINT, &keptInt, nullptr);
}

}  // namespace host::db::detail
