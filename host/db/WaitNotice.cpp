// Telling of an attach or a detach that waits on a lock held by another
// process, and of what holds it.

#include "host/db/FbApi.h"
#include "host/db/LockView.h"
#include <QtGlobal>
#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QDebug>

#include <csignal>
#include <cstring>
#include <mutex>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace host::db::detail {

namespace {

// A lock another process holds for writing, as /proc/locks lists it:
// "1: FLOCK  ADVISORY  WRITE 28881 fe:00:5382478 0 EOF" (waiters carry "->").
struct HeldLock {
    QString file;
    qint64 pid;
};

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
            if (f.size() < 6 || f[1] == "->" || f[3] != "WRITE" || f[5] != id) continue;
            const qint64 pid = f[4].toLongLong();
            if (pid != ::getpid()) held.append({file, pid});
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

}  // namespace

QString waitingMessage(const QString& database, const QString& lockFolder, int seconds, const QString& doing) {
    const QStringList files = QStringList{database} + databaseLockFiles(lockFolder, database);
    QStringList holders;
    for (const HeldLock& lock : heldLocks(files))
        holders.append(QString("%1 (processo %2)").arg(lock.file).arg(lock.pid));
    const QList<HeldMutex> held = heldMutexes(files);
    if (!held.isEmpty()) holders.append(heldText(held));
    const QString head = QString("%1 o banco de dados %2: aguardando há %3 s ").arg(doing, database).arg(seconds);
    if (!holders.isEmpty()) return head + "a trava presa por outro processo em " + holders.join(", ") + ".";
    return head + "uma trava do Firebird" + (lockFolder.isEmpty() ? QString(".") : " na pasta " + lockFolder + ".");
}

QString giveUpMessage(const QString& database, const QString& lockFolder, int seconds, const QString& doing) {
    return waitingMessage(database, lockFolder, seconds, doing) + giveUpAdvice();
}

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

WaitNotice::WaitNotice(std::function<QString(int seconds)> message, std::function<QString(int seconds)> giveUp)
    : watcher_([this, message = std::move(message), giveUp = std::move(giveUp)] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (ended_.wait_for(lock, std::chrono::seconds(kWaitNoticeSeconds), [this] { return done_; })) return;
          // Through Qt's messages: a console tool shows it on stderr, while a
          // run whose output is its result (the self-test) keeps it in the log.
          qInfo().noquote() << message(kWaitNoticeSeconds);
          if (!giveUp) return;
          if (ended_.wait_for(lock, std::chrono::seconds(lockGiveUpSeconds() - kWaitNoticeSeconds),
                              [this] { return done_; }))
              return;
          qCritical().noquote() << giveUp(lockGiveUpSeconds());
          ::_exit(kLockGiveUpExitCode);
      }) {}

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
