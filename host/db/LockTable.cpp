// What keeps a database's lock table one and whole (see LockTable.h).

#include "host/db/LockTable.h"

#include "host/db/Database.h"
#include "host/db/FbApi.h"
#include "host/db/LockView.h"

#include <QByteArray>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host::db::detail {

namespace {

QByteArray localPath(const QString& path) { return QFile::encodeName(path); }

// The marks lie far beyond the end of any database, one byte per lock
// folder: the engine's own locks on the file never reach them.
constexpr off_t kMarksStart = kOwnLocksStart;
constexpr off_t kMarksSpan = off_t(1) << 40;

// The byte of a lock folder: from the folder itself (device and inode), so
// a folder of the same name elsewhere (another /tmp) or made again gets
// another.
off_t markOf(const QString& lockFolder) {
    struct stat st {};
    if (::stat(localPath(lockFolder).constData(), &st) != 0) return -1;
    std::uint64_t h = std::uint64_t(st.st_dev) * 0x9E3779B97F4A7C15ULL ^ std::uint64_t(st.st_ino);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    return off_t(h % std::uint64_t(kMarksSpan));
}

// Whether another open file of the database holds a mark in the range.
bool markedElsewhere(int fd, off_t start, off_t length) {
    if (length <= 0) return false;   // 0 would mean "to the end"
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = kMarksStart + start;
    range.l_len = length;
    return ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

// A process's view of a group's folder is named after it ("<folder>-u<uid>-p<pid>-XXXXXX").
QString groupFolderOfView(const QString& folder) {
    static const QRegularExpression view("-u[0-9]+-p[0-9]+-.{6}$");
    const QRegularExpressionMatch m = view.match(folder);
    return m.hasMatch() ? folder.left(m.capturedStart()) : folder;
}

// The lock folder another process uses with the database, and that process
// ("/tmp/... (processo N)"), found among the processes this user may look
// into that map the database's lock table elsewhere than `lockFolder`;
// empty when none is found. The folder is looked at as that process sees
// it (a /tmp of its own is another folder of the same name).
QString otherLockFolder(const QString& database, const QString& lockFolder) {
    const QString table = "/" + sharedLockFileNames(database).value(2);
    const off_t own = markOf(lockFolder);
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile maps("/proc/" + pid + "/maps");
        if (pid.toLongLong() == ::getpid() || !maps.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const qsizetype at = line.indexOf('/');
            QString file = at < 0 ? QString() : QFile::decodeName(line.mid(at));
            const bool removed = file.endsWith(" (deleted)");
            if (removed) file.chop(10);
            if (table.size() < 2 || !file.endsWith(table)) continue;
            const QString folder = groupFolderOfView(file.left(file.size() - table.size()));
            if (!removed && markOf("/proc/" + pid + "/root" + folder) == own) continue;
            return QString("%1%2 (processo %3)").arg(folder, removed ? " (removida desde então)" : "", pid);
        }
    }
    return {};
}

}  // namespace

LockTableMark::LockTableMark(const QString& database, const QString& lockFolder) {
    const off_t mark = markOf(lockFolder);
    if (mark < 0) return;
    fd_ = ::open(localPath(database).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd_ < 0) return;   // the engine tells a file it cannot open
    struct flock own {};
    own.l_type = F_RDLCK;   // shared with the other processes of the same folder
    own.l_whence = SEEK_SET;
    own.l_start = kMarksStart + mark;
    own.l_len = 1;
    if (::fcntl(fd_, F_OFD_SETLK, &own) != 0) {
        // A kernel without these locks: nothing to compare with.
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // Marked first, looked second: of two processes starting together with
    // two folders, at least the second to look sees the first.
    if (!markedElsewhere(fd_, 0, mark) && !markedElsewhere(fd_, mark + 1, kMarksSpan - mark - 1)) return;
    ::close(fd_);
    fd_ = -1;
    const QString other = otherLockFolder(database, lockFolder);
    raise(QString("O banco de dados %1 está aberto por outro processo que guarda as travas dele em outra pasta "
                  "(%3; este usaria %2): com duas tabelas de travas, os dois gravariam o arquivo sem se ver e o "
                  "corromperiam. O outro processo foi iniciado com outra TECHASSIST_PASTA_TRAVAS, com uma pasta "
                  "/tmp só dele (um serviço com PrivateTmp) ou antes de a pasta de travas ser removida: feche-o, "
                  "ou inicie este como ele.")
              .arg(database, lockFolder, other.isEmpty() ? QString("não identificada") : other));
}

void LockTableMark::keepForLife() {
    if (fd_ >= 0) ::fcntl(fd_, F_SETFD, 0);
    fd_ = -1;
}

LockTableMark::~LockTableMark() {
    if (fd_ >= 0) ::close(fd_);
}

LockTableMark::LockTableMark(LockTableMark&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

LockTableMark& LockTableMark::operator=(LockTableMark&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

namespace {

[[noreturn]] void refuseFullFolder(const QString& lockFolder, const QString& database) {
    raise(QString("A pasta de travas %1 do banco de dados %2 não pode ser usada: o sistema de arquivos dela está "
                  "cheio (o Firebird não tem onde guardar as travas). Libere espaço nesse sistema de arquivos.")
              .arg(lockFolder, database));
}

}  // namespace

void sizeLockFiles(const QString& engineFolder, const QString& lockFolder, const QString& database) {
    for (const QString& file : databaseLockFiles(engineFolder, database)) {
        const int fd = ::open(localPath(file).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;   // not made by the engine: not in use
        struct stat st {};
        // Only within the file's size, and never by writing zeros (as
        // posix_fallocate does where the file system cannot): the tables
        // are in use by other processes.
        const int result = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0
                               ? ::fallocate(fd, 0, 0, st.st_size)
                               : 0;
        const int error = errno;
        ::close(fd);
        if (result != 0 && error == ENOSPC) refuseFullFolder(lockFolder, database);
    }
}

namespace {

// Set once, before the handler is: read by it, which may use nothing but
// the calls a signal handler may make.
char engineFolderPrefix[4096];
char fullFolderMessage[8192];
struct sigaction previousBusError {};

// "start-end perms offset dev inode path": whether `address` lies in a
// mapping of a file whose path begins with the engine's folder.
bool lineHolds(const char* line, std::uintptr_t address) {
    char* rest = nullptr;
    const std::uintptr_t start = std::strtoull(line, &rest, 16);
    if (*rest != '-') return false;
    const std::uintptr_t end = std::strtoull(rest + 1, nullptr, 16);
    if (address < start || address >= end) return false;
    const char* path = std::strchr(line, '/');
    return path && std::strncmp(path, engineFolderPrefix, std::strlen(engineFolderPrefix)) == 0;
}

bool inEngineFile(const void* address) {
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    static char buffer[16384];
    std::size_t kept = 0;
    bool found = false;
    for (;;) {
        const ssize_t got = ::read(fd, buffer + kept, sizeof buffer - kept - 1);
        if (got <= 0) break;
        kept += std::size_t(got);
        buffer[kept] = '\0';
        char* line = buffer;
        for (char* end; !found && (end = std::strchr(line, '\n')); line = end + 1) {
            *end = '\0';
            found = lineHolds(line, reinterpret_cast<std::uintptr_t>(address));
        }
        if (found) break;
        kept = std::size_t(buffer + kept - line);
        std::memmove(buffer, line, kept);
        if (kept == sizeof buffer - 1) kept = 0;   // a line longer than any path
    }
    ::close(fd);
    return found;
}

void onBusError(int signal, siginfo_t* info, void* context) {
    if (inEngineFile(info->si_addr)) {
        const ssize_t written = ::write(STDERR_FILENO, fullFolderMessage, std::strlen(fullFolderMessage));
        (void)written;
        ::_exit(kLockGiveUpExitCode);
    }
    // Not ours: what was there before.
    if ((previousBusError.sa_flags & SA_SIGINFO) && previousBusError.sa_sigaction) {
        previousBusError.sa_sigaction(signal, info, context);
    } else if (previousBusError.sa_handler != SIG_DFL && previousBusError.sa_handler != SIG_IGN &&
               previousBusError.sa_handler) {
        previousBusError.sa_handler(signal);
    } else {
        ::sigaction(signal, &previousBusError, nullptr);
        ::raise(signal);
    }
}

void copyInto(char* target, std::size_t size, const QByteArray& text) {
    const std::size_t length = std::min(size - 1, std::size_t(text.size()));
    std::memcpy(target, text.constData(), length);
    target[length] = '\0';
}

}  // namespace

void tellFullLockFolder(const QString& engineFolder, const QString& lockFolder, const QString& database) {
    static bool installed = false;
    if (installed) return;
    const QString canonical = QFileInfo(engineFolder).canonicalFilePath();
    if (canonical.isEmpty()) return;
    installed = true;
    copyInto(engineFolderPrefix, sizeof engineFolderPrefix, localPath(canonical + "/"));
    copyInto(fullFolderMessage, sizeof fullFolderMessage,
             QString("A pasta de travas %1 do banco de dados %2 ficou sem espaço enquanto o programa trabalhava: o "
                     "programa foi encerrado. O que já foi gravado está no banco; o que não foi gravado será desfeito "
                     "ao abrir o banco de novo. Libere espaço nesse sistema de arquivos e inicie o programa de novo.\n")
                 .arg(lockFolder, database)
                 .toLocal8Bit());
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previousBusError);
}

}  // namespace host::db::detail

void host::db::markLockFolderForLife(const QString& database) {
    detail::LockTableMark(database, detail::lockFolderInUse()).keepForLife();
}
