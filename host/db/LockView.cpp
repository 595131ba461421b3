// A process's own view of a group's lock folder (see LockView.h).

#include "host/db/LockView.h"

#include "host/db/FbApi.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host::db::detail {

namespace {

QByteArray path8(const QString& path) { return QFile::encodeName(path); }

// The engine's name for a database: the bytes of the file's device and
// inode numbers, in hexadecimal.
QString databaseId(const QString& database) {
    struct stat st {};
    if (::stat(path8(database).constData(), &st) != 0) return {};
    QByteArray bytes(reinterpret_cast<const char*>(&st.st_dev), sizeof st.st_dev);
    bytes.append(reinterpret_cast<const char*>(&st.st_ino), sizeof st.st_ino);
    return QString::fromLatin1(bytes.toHex());
}

[[noreturn]] void refuseFile(const QString& file, const QString& problem) {
    raise(QString("O arquivo de travas %1 não pode ser usado: %2.").arg(file, problem));
}

// The owner's file in the group's folder, made (shared with the group)
// when missing.
void makeSharedFile(const QString& file) {
    const int fd = ::open(path8(file).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0660);
    if (fd < 0) {
        if (errno != EEXIST) refuseFile(file, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    ::fchmod(fd, 0660);
    ::close(fd);
}

// A regular file of the owner, or why not.
QString notTheOwners(const struct stat& st, uid_t owner) {
    if (S_ISLNK(st.st_mode)) return "é um link simbólico";
    if (!S_ISREG(st.st_mode)) return "não é um arquivo";
    if (st.st_uid != owner) return QString("pertence ao usuário %1, e não a %2").arg(userName(st.st_uid), userName(owner));
    return {};
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Views of this user's processes that have ended.
void removeEndedViews(const QString& groupFolder) {
    const QFileInfo group(groupFolder);
    const QRegularExpression view("^" + QRegularExpression::escape(group.fileName()) +
                                  QString("-u%1-p([0-9]+)-.{6}$").arg(::geteuid()));
    for (const QFileInfo& entry : group.dir().entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QRegularExpressionMatch m = view.match(entry.fileName());
        struct stat st {};
        if (!m.hasMatch() || ::lstat(path8(entry.filePath()).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        if (::kill(pid_t(m.captured(1).toLongLong()), 0) == 0 || errno != ESRCH) continue;
        for (const QFileInfo& file : QDir(entry.filePath()).entryInfoList(QDir::Files | QDir::System | QDir::Hidden))
            ::unlink(path8(file.filePath()).constData());
        ::rmdir(path8(entry.filePath()).constData());
    }
}

}  // namespace

QStringList sharedLockFileNames(const QString& database) {
    const QString id = databaseId(database);
    QStringList names{"fb_init", "fb_user_mapping"};
    if (!id.isEmpty()) names << "fb_lock_" + id << "fb12_monitor_" + id << "fb_event_" + id;
    return names;
}

QStringList databaseLockFiles(const QString& folder, const QString& database) {
    QStringList files;
    if (folder.isEmpty()) return files;
    for (const QString& name : sharedLockFileNames(database)) files.append(QDir(folder).filePath(name));
    files.append(QDir(folder).filePath("fb12_trace"));
    return files;
}

QString makeLockView(const QString& groupFolder) {
    removeEndedViews(groupFolder);
    QByteArray name = path8(QString("%1-u%2-p%3-XXXXXX").arg(groupFolder).arg(::geteuid()).arg(::getpid()));
    if (!::mkdtemp(name.data()))
        raise(QString("A pasta de travas deste processo, ao lado de %1, não pôde ser criada: %2.")
                  .arg(groupFolder, QString::fromLocal8Bit(std::strerror(errno))));
    return QFile::decodeName(name);
}

void linkSharedLockFiles(const QString& view, const QString& groupFolder, uid_t owner, const QString& database) {
    for (const QString& name : sharedLockFileNames(database)) {
        const QString shared = QDir(groupFolder).filePath(name);
        const QString own = QDir(view).filePath(name);
        if (::geteuid() == owner) makeSharedFile(shared);
        struct stat found {};
        if (::lstat(path8(shared).constData(), &found) != 0)
            raise(QString("O arquivo de travas %1 do banco de dados %2 ainda não existe, e só o dono do banco (%3) "
                          "pode criá-lo: abra o banco uma vez como esse usuário.")
                      .arg(shared, database, userName(owner)));
        const QString problem = notTheOwners(found, owner);
        if (!problem.isEmpty()) refuseFile(shared, problem);
        struct stat linked {};
        if (::lstat(path8(own).constData(), &linked) == 0 && sameFile(linked, found)) continue;
        // Made under another name and put in place at once: the engine of
        // this process never finds the name missing once it was there.
        const QString part = own + ".novo";
        ::unlink(path8(part).constData());
        if (::link(path8(shared).constData(), path8(part).constData()) != 0 ||
            ::rename(path8(part).constData(), path8(own).constData()) != 0) {
            const int error = errno;
            ::unlink(path8(part).constData());
            refuseFile(shared, QString::fromLocal8Bit(std::strerror(error)));
        }
        // Linked is what the name held then: the owner's file, or nothing of use.
        if (::lstat(path8(own).constData(), &linked) != 0 || !notTheOwners(linked, owner).isEmpty()) {
            ::unlink(path8(own).constData());
            refuseFile(shared, "foi trocado enquanto era usado");
        }
    }
}

}  // namespace host::db::detail
