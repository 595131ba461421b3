// The embedded engine's folders: its root (the libraries and configuration it
// loads) and the lock folder each database's processes share. Both may sit in
// the shared temporary folder, where another OS user can make a name first,
// so nothing found there is used unless the right user owns it.

#include "host/db/FbApi.h"
#include "host/db/LockTable.h"
#include "host/db/LockView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace host::db {

QString detail::userName(uid_t uid) {
    const passwd* pw = ::getpwuid(uid);
    return pw ? QString("%1 (%2)").arg(QString::fromLocal8Bit(pw->pw_name)).arg(uid) : QString::number(uid);
}

namespace {

using detail::userName;

const QString kInstalled = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

// What the entries made here may be: read by anyone, changed by this user only.
constexpr QFileDevice::Permissions kOwnFile =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QByteArray path8(const QString& path) { return QFile::encodeName(path); }

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString groupName(gid_t gid) {
    const group* gr = ::getgrgid(gid);
    return gr ? QString("%1 (%2)").arg(QString::fromLocal8Bit(gr->gr_name)).arg(gid) : QString::number(gid);
}

// As ls shows them: "drwxrws---".
QString permissions(mode_t mode) {
    QString text = S_ISDIR(mode) ? "d" : S_ISLNK(mode) ? "l" : "-";
    const char* letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit) text += (mode & (0400 >> bit)) ? QChar(letters[bit]) : QChar('-');
    if (mode & S_ISUID) text[3] = (mode & S_IXUSR) ? 's' : 'S';
    if (mode & S_ISGID) text[6] = (mode & S_IXGRP) ? 's' : 'S';
    if (mode & S_ISVTX) text[9] = (mode & S_IXOTH) ? 't' : 'T';
    return text;
}

// What keeps a found folder from being trusted, or empty. It must be a folder
// itself (not a link to one) of one of the given owners, and writable by no
// one else but the given group.
QString folderProblem(const QString& folder, uid_t owner, uid_t alsoOwner, gid_t group, bool groupMayWrite) {
    struct stat st {};
    if (::lstat(path8(folder).constData(), &st) != 0) return systemError(errno);
    if (S_ISLNK(st.st_mode)) return "é um link simbólico";
    if (!S_ISDIR(st.st_mode)) return "não é uma pasta";
    if (st.st_uid != owner && st.st_uid != alsoOwner)
        return QString("pertence ao usuário %1, e não a %2").arg(userName(st.st_uid), userName(owner));
    if (st.st_mode & S_IWOTH) return QString("qualquer usuário pode alterá-la (%1)").arg(permissions(st.st_mode));
    if ((st.st_mode & S_IWGRP) && (!groupMayWrite || st.st_gid != group))
        return QString("o grupo %1 pode alterá-la (%2)").arg(groupName(st.st_gid), permissions(st.st_mode));
    return {};
}

// A folder where only this user can write: the engine's root may live in it.
bool isOwnFolder(const QString& folder) {
    return !folder.isEmpty() && folderProblem(folder, ::geteuid(), ::geteuid(), 0, false).isEmpty();
}

// The first folder on the way to `path` (from "/" down to its parent) that
// another user could change, with why: a link (followed again later by the
// engine), a folder of a user other than root or the given ones, or one that
// others may write, where a folder of theirs could take the next name's
// place. A folder of root that keeps each entry to its maker (the sticky
// temporary folder) is sound. Empty: every folder on the way is sound.
struct UnsoundFolder {
    QString folder, problem;
};

bool groupShared(uid_t uid, gid_t gid, mode_t mode);

// Why another user could change what the folder at `folder` holds, or
// empty: a link, a folder of a user other than root or the given ones, or
// one that others may write (a group may when it holds its owner alone).
QString changeableByOthers(const QString& folder, uid_t owner, uid_t alsoOwner) {
    struct stat st {};
    if (::lstat(path8(folder).constData(), &st) != 0) return systemError(errno);
    if (S_ISLNK(st.st_mode)) return "é um link simbólico";
    if (!S_ISDIR(st.st_mode)) return "não é uma pasta";
    if (st.st_uid != 0 && st.st_uid != owner && st.st_uid != alsoOwner)
        return "pertence ao usuário " + userName(st.st_uid);
    const bool keptToTheirMakers = st.st_uid == 0 && (st.st_mode & S_ISVTX);
    const bool othersWrite = (st.st_mode & S_IWOTH) || groupShared(st.st_uid, st.st_gid, st.st_mode);
    if (othersWrite && !keptToTheirMakers)
        return QString("outros usuários podem alterá-la (%1)").arg(permissions(st.st_mode));
    return {};
}

QStringList pathParts(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath()).split('/', Qt::SkipEmptyParts);
}

QString joined(const QString& folder, const QString& part) {
    return folder == "/" ? "/" + part : folder + "/" + part;
}

UnsoundFolder unsoundAncestor(const QString& path, uid_t owner, uid_t alsoOwner) {
    const QStringList parts = pathParts(path);
    QString folder = "/";
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString problem = changeableByOthers(folder, owner, alsoOwner);
        if (!problem.isEmpty()) return {folder, problem};
        if (i + 1 == parts.size()) break;
        folder = joined(folder, parts[i]);
    }
    return {};
}

// The folder as the engine will find it again: its links resolved (a
// folder still to be made keeps its own name under its resolved parent).
QString resolvedFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.canonicalFilePath().isEmpty()) return info.canonicalFilePath();
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? info.absoluteFilePath() : QDir(parent).filePath(info.fileName());
}

[[noreturn]] void refuseRootEntry(const QString& root, const QString& entry, const QString& problem) {
    detail::raise(QString("A pasta do Firebird %1 não pode ser usada: %2 %3.").arg(root, entry, problem));
}

// Puts a new entry in place of whatever the name holds: it is made under a
// name of this process and renamed over the old one, so a process starting
// beside this one sees the old entry or the new one, never half of one.
void replaceEntry(const QString& root, const QString& path, const std::function<bool(const QString&)>& make) {
    const QString part = path + QString(".%1.novo").arg(::getpid());
    QFile::remove(part);
    if (!make(part)) {
        QFile::remove(part);
        // A full disk is the likely reason, and the one the user can mend.
        struct statvfs disco {};
        const bool cheio = ::statvfs(path8(root).constData(), &disco) == 0 &&
                           qint64(disco.f_bavail) * qint64(disco.f_frsize) < 1024 * 1024;
        refuseRootEntry(root, path, cheio ? "não pôde ser criada: o disco está cheio" : "não pôde ser criada");
    }
    if (::rename(path8(part).constData(), path8(path).constData()) != 0) {
        const int error = errno;
        QFile::remove(part);
        refuseRootEntry(root, path, "não pôde ser substituída (" + systemError(error) + ")");
    }
}

// A regular file of this user that only this user can change.
bool isOwnFile(const QString& path) {
    struct stat st {};
    return ::lstat(path8(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
           !(st.st_mode & (S_IWGRP | S_IWOTH));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void linkEntry(const QString& root, const QString& path, const QString& target) {
    if (QFileInfo(path).isSymLink() && QFile::symLinkTarget(path) == target) return;
    replaceEntry(root, path, [&](const QString& part) { return QFile::link(target, part); });
}

void copyEntry(const QString& root, const QString& path, const QString& source) {
    if (isOwnFile(path) && contents(path) == contents(source)) return;
    replaceEntry(root, path, [&](const QString& part) {
        return QFile::copy(source, part) && QFile::setPermissions(part, kOwnFile);
    });
}

void textEntry(const QString& root, const QString& path, const QByteArray& text) {
    if (isOwnFile(path) && contents(path) == text) return;
    replaceEntry(root, path, [&](const QString& part) {
        QFile file(part);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.setPermissions(kOwnFile);
    });
}

// Whatever another user left in a folder of this user once open to others
// (a configuration the engine would read, say) goes; a folder of theirs,
// which may hold what this user cannot remove, refuses the root.
void removeForeignEntries(const QString& root, const QString& folder) {
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(all)) {
        struct stat st {};
        if (::lstat(path8(entry.filePath()).constData(), &st) != 0 || st.st_uid == ::geteuid()) continue;
        if (S_ISDIR(st.st_mode) || ::unlink(path8(entry.filePath()).constData()) != 0)
            refuseRootEntry(root, entry.filePath(), "pertence ao usuário " + userName(st.st_uid));
    }
}

// A folder of this user, made when missing and left to this user alone.
// Inside a root of this user (only ever this user's work) a link or a file
// found in its place is replaced; the root itself must be found as it is.
void ownFolder(const QString& root, const QString& folder) {
    const QByteArray path = path8(folder);
    struct stat st {};
    if (folder != root && ::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode)) QFile::remove(folder);
    ::mkdir(path.constData(), 0700);
    const QString problem = folderProblem(folder, ::geteuid(), ::geteuid(), 0, false);
    const bool ownFolder = ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ownFolder && ::chmod(path.constData(), 0700) == 0) {
        removeForeignEntries(root, folder);
        return;
    }
    if (folder == root) detail::raise(QString("A pasta do Firebird %1 não pode ser usada: %2.").arg(root, problem));
    refuseRootEntry(root, folder, problem);
}

// Whether the name is held by what its owner did not make: in the shared
// temporary folder anyone may make any name first, and the owner can
// neither use nor remove another user's entry there.
bool takenByAnother(const QString& folder, uid_t owner) {
    struct stat st {};
    return ::lstat(path8(folder).constData(), &st) == 0 &&
           (!S_ISDIR(st.st_mode) || (st.st_uid != owner && st.st_uid != 0));
}

// The owner's folders beside a taken name ("<name>.XXXXXX"), first by name:
// no other user can make a folder that is the owner's, whatever its name.
QStringList ownersFoldersBeside(const QString& named, uid_t owner) {
    const QFileInfo name(named);
    const QRegularExpression pattern("^" + QRegularExpression::escape(name.fileName()) + "\\.[A-Za-z0-9]{6}$");
    QStringList found;
    for (const QString& entry : name.dir().entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        struct stat st {};
        const QString path = name.dir().filePath(entry);
        if (pattern.match(entry).hasMatch() && ::lstat(path8(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
            st.st_uid == owner)
            found.append(path);
    }
    return found;
}

// The folder to use for a name another user took first: the first of the
// owner's folders beside it, made by the owner when there is none. The names
// made are tried in one order ("<name>.000001", ".000002", ...): two starts
// of the owner at once make or find the same one, whichever comes first,
// and a name another user took is passed by both. Others get the name back,
// to be refused naming what took it.
QString ownersFolderBeside(const QString& named, uid_t owner, gid_t group, mode_t mode) {
    const QStringList found = ownersFoldersBeside(named, owner);
    if (!found.isEmpty() || ::geteuid() != owner) return found.isEmpty() ? named : found.first();
    for (int i = 1; i <= 999; ++i) {
        const QString folder = named + QString(".%1").arg(i, 6, 10, QLatin1Char('0'));
        const QByteArray path = path8(folder);
        if (::mkdir(path.constData(), 0700) == 0) {
            if (::chown(path.constData(), owner, group) == 0) ::chmod(path.constData(), mode);
            return folder;
        }
        if (errno != EEXIST) return named;
        if (!takenByAnother(folder, owner)) return folder;
    }
    return named;
}

// Where the root goes when none is named: the user's runtime folder, else
// the user's cache folder, else the temporary folder (checked as any other).
QString defaultEngineRoot() {
    // A folder of this user on a way no one else can change: the path handed
    // to the engine (links resolved) then leads where it was checked.
    const auto usable = [](const QString& folder) {
        return isOwnFolder(folder) && unsoundAncestor(folder, ::geteuid(), ::geteuid()).folder.isEmpty();
    };
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && usable(resolvedFolder(runtime))) return resolvedFolder(runtime) + "/techassist-firebird";
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() && !qEnvironmentVariable("HOME").isEmpty()) cache = qEnvironmentVariable("HOME") + "/.cache";
    if (!cache.isEmpty() && unsoundAncestor(resolvedFolder(cache), ::geteuid(), ::geteuid()).folder.isEmpty()) {
        ::mkdir(path8(resolvedFolder(cache)).constData(), 0700);
        if (usable(resolvedFolder(cache))) return resolvedFolder(cache) + "/techassist-firebird";
    }
    const QString named = resolvedFolder(QDir::tempPath()) + QString("/techassist-firebird-%1").arg(::geteuid());
    return takenByAnother(named, ::geteuid()) ? ownersFolderBeside(named, ::geteuid(), ::getegid(), 0700) : named;
}

}  // namespace

void makePrivateFolder(const QString& folder) {
    const QStringList parts = pathParts(folder);
    QString path = "/";
    for (const QString& part : parts) {
        // Nothing is made under a folder another user could change.
        const QString above = changeableByOthers(path, ::geteuid(), ::geteuid());
        if (!above.isEmpty())
            detail::raise(QString("A pasta %1 não pode ser usada: a pasta %2, no caminho dela, %3.")
                              .arg(QDir::cleanPath(folder), path, above));
        path = joined(path, part);
        ::mkdir(path8(path).constData(), 0700);
    }
    struct stat st {};
    QString problem = changeableByOthers(path, ::geteuid(), ::geteuid());
    if (problem.isEmpty() && ::lstat(path8(path).constData(), &st) == 0 && st.st_uid != ::geteuid())
        problem = QString("pertence ao usuário %1, e não a %2").arg(userName(st.st_uid), userName(::geteuid()));
    if (!problem.isEmpty()) detail::raise(QString("A pasta %1 não pode ser usada: %2.").arg(path, problem));
}

void prepareEngineRoot(const QString& root) {
    const UnsoundFolder unsound = unsoundAncestor(root, ::geteuid(), ::geteuid());
    if (!unsound.folder.isEmpty())
        detail::raise(QString("A pasta do Firebird %1 não pode ser usada: a pasta %2, no caminho dela, %3.")
                          .arg(root, unsound.folder, unsound.problem));
    ownFolder(root, root);
    for (const char* entry : {"plugins", "UDF", "lib", "firebird.msg", "plugins.conf"})
        if (QFileInfo::exists(kInstalled + "/" + entry)) linkEntry(root, root + "/" + entry, kInstalled + "/" + entry);
    // The character-set library must be a file of the root: loaded through a
    // symbolic link the engine reports every charset of it (ISO8859_1 among
    // them) as "not installed".
    const QString intl = root + "/intl";
    ownFolder(root, intl);
    linkEntry(root, intl + "/fbintl.conf", QFileInfo(kInstalled + "/intl/fbintl.conf").canonicalFilePath());
    copyEntry(root, intl + "/libfbintl.so", kInstalled + "/intl/libfbintl.so");
    // SuperClassic lets the application and a batch job open the same file.
    // A plain path opens only through the embedded engine: without Loopback,
    // a file this user may not read is never opened through a local server
    // with the default credentials instead. "server:path" still goes Remote.
    textEntry(root, root + "/firebird.conf", "ServerMode = SuperClassic\nProviders = Remote, Engine12\n");
}

namespace {

// A root named by the environment that the engine may load: a folder (not
// a link) of this user or of root that no one else may change, on a way no
// other user can change.
bool trustedNamedRoot(const QString& named) {
    if (named.isEmpty() || !QFileInfo(named).isDir()) return false;
    const QString root = QDir::cleanPath(QDir(named).absolutePath());
    return resolvedFolder(root) == root && folderProblem(root, ::geteuid(), 0, 0, false).isEmpty() &&
           unsoundAncestor(root, ::geteuid(), ::geteuid()).folder.isEmpty();
}

}  // namespace

void prepareEmbeddedEngine() {
    // A variable naming no folder (left over from a recipe for the engine's
    // tools) names no engine: the engine would start without its character
    // sets; one naming another user's folder, or one others may change,
    // would have the engine load their libraries. Either is replaced by the
    // program's own root.
    if (trustedNamedRoot(qEnvironmentVariable("FIREBIRD"))) return;
    const QString root = defaultEngineRoot();
    prepareEngineRoot(root);
    qputenv("FIREBIRD", path8(root));
}

// ---------------------------------------------------------------- lock folder

namespace {

// The lock folder this process named for the engine (empty: none yet), and
// for a group's folder the process's own view of it, where the engine runs.
// A FIREBIRD_LOCK found in the environment is not used: a process with a
// lock table of its own would write the file unaware of the others.
struct ChosenLockFolder {
    QString folder, view;
};

ChosenLockFolder& chosenLockFolder() {
    static ChosenLockFolder chosen;
    return chosen;
}

// The owner and group a database's lock folder answers to: the file's, or
// this user's for a file still to be made (the engine makes it 0660, with
// the group of a folder that hands its group on, else this user's).
struct DatabaseOwner {
    uid_t uid;
    gid_t gid;
    bool shared;   // others of the group may write it
};

// Whether a group-writable file is shared with others: its group has a
// member other than the file's owner (listed in the group, or a user whose
// primary group it is). Its name says nothing: a user's own group may have
// other members, and "users" may hold the owner alone.
bool groupShared(uid_t uid, gid_t gid, mode_t mode) {
    if (!(mode & S_IWGRP)) return false;
    const passwd* pw = ::getpwuid(uid);
    const QByteArray owner = pw ? QByteArray(pw->pw_name) : QByteArray();
    if (const group* gr = ::getgrgid(gid))
        for (char** member = gr->gr_mem; member && *member; ++member)
            if (owner != *member) return true;
    bool others = false;
    ::setpwent();
    while (const passwd* user = ::getpwent())
        if (user->pw_gid == gid && user->pw_uid != uid) {
            others = true;
            break;
        }
    ::endpwent();
    return others;
}

DatabaseOwner ownerOf(const QString& database) {
    struct stat info {};
    if (::stat(path8(database).constData(), &info) == 0)
        return {info.st_uid, info.st_gid, groupShared(info.st_uid, info.st_gid, info.st_mode)};
    struct stat parent {};
    const bool handsGroup = ::stat(path8(QFileInfo(database).absolutePath()).constData(), &parent) == 0 &&
                            (parent.st_mode & S_ISGID);
    const gid_t gid = handsGroup ? parent.st_gid : ::getegid();
    return {::geteuid(), gid, groupShared(::geteuid(), gid, 0660)};
}

// In a folder once open to the group: every entry but the owner's own files
// (one name each, since no process linked them elsewhere then).
void removeMembersEntries(const QString& folder) {
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(all)) {
        struct stat st {};
        if (::lstat(path8(entry.filePath()).constData(), &st) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink != 1)
            ::unlink(path8(entry.filePath()).constData());
    }
}

[[noreturn]] void refuseLockFolder(const QString& folder, const QString& database, const QString& problem) {
    detail::raise(QString("A pasta de travas %1 do banco de dados %2 não pode ser usada: %3. Remova-a ou peça ao "
                          "administrador que a remova.")
                      .arg(folder, database, problem));
}

// Run by root, the engine hands every lock file it makes to the user
// "firebird" when one exists (the Firebird server package makes it). In
// root's own lock folder, which only root can enter and add names to, such
// a file is the engine's own doing; nobody else could have put it there.
// So is a file of a user who no longer exists (the package removed since):
// no process of that user can hold it.
bool isRootsEngineFile(const struct stat& st, const QString& folder, const DatabaseOwner& owner,
                       const char* engineUserName) {
    if (::geteuid() != 0 || owner.uid != 0 || owner.shared || st.st_nlink != 1) return false;
    const passwd* engineUser = ::getpwnam(engineUserName);
    const bool engines = engineUser && st.st_uid == engineUser->pw_uid;
    if (!engines && ::getpwuid(st.st_uid)) return false;
    struct stat dir {};
    return ::lstat(path8(folder).constData(), &dir) == 0 && S_ISDIR(dir.st_mode) && dir.st_uid == 0 &&
           (dir.st_mode & 07777) == 0700;
}

// What the engine would write through or wait on in the folder: a link, a
// thing that is no file, or an entry of anyone but the database's owner
// (in a group's folder, the members' processes add no names) refuses the
// start.
void checkLockEntries(const QString& folder, const QString& database, const DatabaseOwner& owner,
                      const char* engineUser) {
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(all)) {
        struct stat st {};
        if (::lstat(path8(entry.filePath()).constData(), &st) != 0) continue;
        const QString problem =
            S_ISLNK(st.st_mode)   ? QString("%1 é um link simbólico").arg(entry.filePath())
            : !S_ISREG(st.st_mode) ? QString("%1 não é um arquivo").arg(entry.filePath())
            : isRootsEngineFile(st, folder, owner, engineUser) ? QString()
            : st.st_uid != owner.uid
                ? QString("%1 pertence ao usuário %2").arg(entry.filePath(), userName(st.st_uid))
                : QString();
        if (!problem.isEmpty()) refuseLockFolder(folder, database, problem);
    }
}

// Root runs the engine only on its own private databases: the engine's files
// it would leave in another user's lock folder are root's, and lock that
// user out; a folder a group may write is no place for root's engine.
void refuseRootOnOthersDatabase(const QString& database) {
    if (::geteuid() != 0) return;
    const DatabaseOwner owner = ownerOf(database);
    if (owner.uid == 0 && !owner.shared) return;
    const passwd* pw = ::getpwuid(owner.uid);
    const QString login = pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(owner.uid);
    const QString grupo = owner.shared ? QString(", compartilhado com o grupo %1").arg(groupName(owner.gid)) : QString();
    detail::raise(QString("O banco de dados %1 é do usuário %2%3: o administrador (root) não o abre, para não deixar "
                          "na pasta de travas arquivos que os usuários dele não possam usar. Execute como o dono do "
                          "banco (por exemplo: runuser -u %4 -- ...).")
                      .arg(database, userName(owner.uid), grupo, login));
}

}  // namespace

namespace {

// Where every lock folder lives: one place all processes of all users of
// the machine agree on. The temporary folder each process is given differs
// (a per-user one from the login, a service's own): two processes on one
// database would keep two lock tables and both write the file. Only the
// tests name another place, for every process they start.
QString lockFolderBase() {
    const QString named = qEnvironmentVariable("TECHASSIST_PASTA_TRAVAS");
    return named.isEmpty() ? QStringLiteral("/tmp") : QDir::cleanPath(named);
}

// The base must be a folder where no user can take another's names: root's
// with the sticky bit (as /tmp is), or this user's alone.
void checkLockFolderBase(const QString& base) {
    struct stat st {};
    QString problem;
    if (::lstat(path8(base).constData(), &st) != 0) problem = systemError(errno);
    else if (S_ISLNK(st.st_mode)) problem = "é um link simbólico";
    else if (!S_ISDIR(st.st_mode)) problem = "não é uma pasta";
    else if (!(st.st_uid == 0 && (st.st_mode & S_ISVTX)) &&
             !(st.st_uid == ::geteuid() && !(st.st_mode & (S_IWGRP | S_IWOTH))))
        problem = QString("não é uma pasta do administrador (root) com o bit t (%1, do usuário %2)")
                      .arg(permissions(st.st_mode), userName(st.st_uid));
    if (!problem.isEmpty())
        detail::raise(QString("As pastas de travas do Firebird ficam em %1, que não pode ser usada: %2.")
                          .arg(base, problem));
}

// The engine maps its lock files and touches their pages as it goes: on a
// file system with no room left for them the process dies of SIGBUS
// ("Bus error"), saying nothing. A start finds the room missing first: the
// files of a database are given their whole room once open (the lock
// table's 1 MB, the monitoring table's 1 MB, the events' and the trace's
// few KB; LockTable.h), with some to spare.
constexpr qint64 kLockFolderRoom = 2560 * 1024;

void checkLockFolderRoom(const QString& folder, const QString& database) {
    const QString measured = QFileInfo::exists(folder) ? folder : QFileInfo(folder).absolutePath();
    struct statvfs fs {};
    if (::statvfs(path8(measured).constData(), &fs) != 0) return;   // told when the folder is made
    const qint64 free = qint64(fs.f_bavail) * qint64(fs.f_frsize);
    if (free >= kLockFolderRoom) return;
    detail::raise(QString("A pasta de travas %1 do banco de dados %2 não pode ser usada: o sistema de arquivos dela "
                          "está cheio (%3 KB livres; o Firebird precisa de %4 KB para as travas). Libere espaço "
                          "nesse sistema de arquivos.")
                      .arg(folder, database)
                      .arg(free / 1024)
                      .arg(kLockFolderRoom / 1024));
}

}  // namespace

QString lockFolderFor(const QString& database) {
    const DatabaseOwner owner = ownerOf(database);
    const QString name = owner.shared ? QString("techassist-firebird-lock-%1-g%2").arg(owner.uid).arg(owner.gid)
                                      : QString("techassist-firebird-lock-%1").arg(owner.uid);
    const QString named = QDir(lockFolderBase()).filePath(name);
    if (!takenByAnother(named, owner.uid)) return named;
    const QStringList beside = ownersFoldersBeside(named, owner.uid);
    return beside.isEmpty() ? named : beside.first();
}

void makeLockFolder(const QString& folder, const QString& database, const char* engineUser) {
    const DatabaseOwner owner = ownerOf(database);
    const UnsoundFolder unsound = unsoundAncestor(folder, ::geteuid(), owner.uid);
    if (!unsound.folder.isEmpty())
        refuseLockFolder(folder, database, QString("a pasta %1, no caminho dela, %2").arg(unsound.folder, unsound.problem));
    const QByteArray path = path8(folder);
    // Private: the owner's alone. Shared: the owner's, which the group may
    // read and pass through (to link the owner's lock files), not add
    // names to; the group handed on to what is made in it.
    const mode_t wanted = owner.shared ? 02750 : 0700;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        // Made by anyone else, the folder would be refused by its owner.
        if (::geteuid() != owner.uid && ::geteuid() != 0)
            detail::raise(QString("A pasta de travas %1 do banco de dados %2 ainda não existe, e só o dono do banco "
                                  "(%3) ou o administrador podem criá-la: abra o banco uma vez como esse usuário.")
                              .arg(folder, database, userName(owner.uid)));
        if (::mkdir(path.constData(), 0700) == 0 && ::chown(path.constData(), owner.uid, owner.gid) == 0)
            ::chmod(path.constData(), wanted);
    } else if (S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && ::geteuid() == owner.uid &&
               st.st_gid == owner.gid && !(st.st_mode & S_IWOTH) && (st.st_mode & 07777) != wanted) {
        // The owner's folder as an earlier version made it (writable by the
        // file's group): set as it must be now, without what the members
        // could put in it then.
        if (::chmod(path.constData(), wanted) == 0 && (st.st_mode & S_IWGRP)) removeMembersEntries(folder);
    }
    const QString problem = folderProblem(folder, owner.uid, 0, owner.gid, false);
    if (!problem.isEmpty() && owner.shared && ::geteuid() != owner.uid)
        detail::raise(QString("A pasta de travas %1 do banco de dados %2 não pode ser usada: %3. Abra o banco uma vez "
                              "como o dono dele (%4), e ela será ajustada.")
                          .arg(folder, database, problem, userName(owner.uid)));
    if (!problem.isEmpty()) refuseLockFolder(folder, database, problem);
    const int needed = owner.shared && ::geteuid() != owner.uid ? X_OK : R_OK | W_OK | X_OK;
    if (::access(path.constData(), needed) != 0)
        detail::raise(QString("A pasta de travas %1 do banco de dados %2 não pode ser usada pelo usuário %3 do sistema.")
                          .arg(folder, database, userName(::geteuid())));
    checkLockEntries(folder, database, owner, engineUser);
}

void prepareLockFolder(const QString& database) {
    refuseRootOnOthersDatabase(database);
    QString folder = lockFolderFor(database);
    ChosenLockFolder& chosen = chosenLockFolder();
    if (!chosen.folder.isEmpty()) {
        checkLockFolderRoom(chosen.folder, database);
        // The engine reads its lock folder once: a database of another lock
        // folder would be opened here with a folder that is not its own.
        if (folder != chosen.folder)
            detail::raise(QString("O banco %1 usa a pasta de travas %2, e este processo já usa %3: abra-o em outro "
                                  "processo.")
                              .arg(database, folder, chosen.folder));
        if (!chosen.view.isEmpty())
            detail::linkSharedLockFiles(chosen.view, folder, ownerOf(database).uid, database);
        return;
    }
    checkLockFolderBase(lockFolderBase());
    const DatabaseOwner owner = ownerOf(database);
    if (takenByAnother(folder, owner.uid))
        folder = ownersFolderBeside(folder, owner.uid, owner.gid, owner.shared ? 02750 : 0700);
    checkLockFolderRoom(folder, database);
    makeLockFolder(folder, database);
    const QString view = owner.shared ? detail::makeLockView(folder) : QString();
    if (owner.shared) detail::linkSharedLockFiles(view, folder, owner.uid, database);
    qputenv("FIREBIRD_LOCK", path8(owner.shared ? view : folder));
    chosen = {folder, view};
}

bool locksThroughOwnView() { return !chosenLockFolder().view.isEmpty(); }

QString detail::lockFolderInUse() { return chosenLockFolder().folder; }

namespace {

// Whether a user other than the file's owner (and root) can reach it: no
// folder on the way is the owner's or root's with no way in for anyone else
// (others may not search it, nor may a group holding another user).
bool othersReach(const QString& file, uid_t owner) {
    QString folder = QFileInfo(file).absolutePath();
    for (;;) {
        struct stat st {};
        if (::stat(path8(folder).constData(), &st) != 0) return true;
        const bool groupEnters = (st.st_mode & S_IXGRP) && groupShared(st.st_uid, st.st_gid, st.st_mode | S_IWGRP);
        if ((st.st_uid == owner || st.st_uid == 0) && !(st.st_mode & S_IXOTH) && !groupEnters) return false;
        if (folder == "/") return true;
        folder = QFileInfo(folder).absolutePath();
    }
}

// Whether every user can reach the file: every folder on the way lets
// others search it.
bool everyoneReaches(const QString& file) {
    for (QString folder = QFileInfo(file).absolutePath();; folder = QFileInfo(folder).absolutePath()) {
        struct stat st {};
        if (::stat(path8(folder).constData(), &st) == 0 && !(st.st_mode & S_IXOTH)) return false;
        if (folder == "/") return true;
    }
}

// Who, besides those who may write the file, may read it: they can open it
// and hold the locks through which the processes that write it take turns
// at the start and tell each other their lock folder (advisory locks on a
// file need only reading). Empty: no one.
QString readersWhoMayNotWrite(const QString& file, const struct stat& st) {
    const QString canonical = QFileInfo(file).canonicalFilePath();
    if (canonical.isEmpty() || !othersReach(canonical, st.st_uid)) return {};
    if ((st.st_mode & S_IROTH) && !(st.st_mode & S_IWOTH) && everyoneReaches(canonical)) return "qualquer usuário";
    if ((st.st_mode & S_IRGRP) && !(st.st_mode & S_IWGRP) && groupShared(st.st_uid, st.st_gid, st.st_mode | S_IWGRP))
        return "o grupo " + groupName(st.st_gid);
    return {};
}

void refuseReadersWhoMayNotWrite(const QString& database, const struct stat& st) {
    const QString readers = readersWhoMayNotWrite(database, st);
    if (readers.isEmpty()) return;
    detail::raise(QString("O banco de dados %1 não pode ser aberto: %2 pode lê-lo, mas não gravá-lo (%3), e quem só "
                          "lê o arquivo pode prender as travas com que os programas que o gravam se revezam no "
                          "início, impedindo-os de iniciar. Tire a leitura de quem não pode gravá-lo: chmod 600 (ou "
                          "660, para o grupo que o compartilha).")
                      .arg(database, readers, permissions(st.st_mode)));
}

}  // namespace

void checkDatabaseFile(const QString& database) {
    // The engine takes what comes before any ":" for a server, even in a
    // path given to it alone, and refuses the name.
    if (database.contains(':'))
        detail::raise(QString("O banco de dados %1 não pode ser aberto: o Firebird toma o que vem antes de \":\" "
                              "por um servidor, mesmo num caminho local. Use um caminho sem \":\".")
                          .arg(database));
    struct stat st {};
    if (::stat(path8(database).constData(), &st) != 0) return;   // the engine tells a missing file
    const int fd = ::open(path8(database).constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        refuseReadersWhoMayNotWrite(database, st);
        return;
    }
    if (errno != EACCES && errno != EPERM) return;   // anything else is the engine's to tell
    detail::raise(QString("O banco de dados %1 não pode ser aberto pelo usuário %2 do sistema: o arquivo é de %3, "
                          "grupo %4, com permissões %5.")
                      .arg(database, userName(::geteuid()), userName(st.st_uid), groupName(st.st_gid),
                           permissions(st.st_mode)));
}

namespace {

// The first unsound folder on the way to the file a name leads to, through
// each link of the name in turn: a link in a folder others may change
// could be pointed elsewhere as well as a file renamed there.
UnsoundFolder unsoundWayOfFile(const QString& name, uid_t owner) {
    QString current = name;
    for (int links = 0; links < 40; ++links) {
        const QString path = resolvedFolder(QFileInfo(current).absolutePath()) + "/" + QFileInfo(current).fileName();
        const UnsoundFolder unsound = unsoundAncestor(path, ::geteuid(), owner);
        if (!unsound.folder.isEmpty() || !QFileInfo(path).isSymLink()) return unsound;
        const QString target = QFile::symLinkTarget(path);
        if (target.isEmpty()) return {};
        current = target;
    }
    return {};
}

// The first folder on the way to `path` this user may not enter, or empty.
QString closedFolderOnTheWay(const QString& path) {
    QString folder = "/";
    for (const QString& part : pathParts(QFileInfo(path).absolutePath())) {
        folder = joined(folder, part);
        if (::access(path8(folder).constData(), X_OK) != 0) return folder;
    }
    return {};
}

void refuseClosedFolderOnTheWay(const QString& database, const QString& path) {
    const QString closed = closedFolderOnTheWay(path);
    if (closed.isEmpty()) return;
    detail::raise(QString("O banco de dados %1 não pode ser aberto pelo usuário %2 do sistema: ele não pode entrar na "
                          "pasta %3, no caminho do banco, %4.")
                      .arg(database, userName(::geteuid()), closed, closedFolderAdvice(closed)));
}

}  // namespace

QString closedFolderAdvice(const QString& folder) {
    struct stat st {};
    ::stat(path8(folder).constData(), &st);
    return QString("que é de %1, grupo %2, com permissões %3. Peça ao dono do banco que inclua esse usuário no grupo "
                   "da pasta")
        .arg(userName(st.st_uid), groupName(st.st_gid), permissions(st.st_mode));
}

PinnedDatabase::PinnedDatabase(const QString& database) : database_(database), path_(resolvedFolder(database)) {
    fd_ = ::open(path8(path_).constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    // A file this user cannot even reach: its folder is not the user's to
    // judge, only to be let into.
    if (fd_ < 0 && errno == EACCES) refuseClosedFolderOnTheWay(database, path_);
    struct stat st {};
    const uid_t owner = fd_ >= 0 && ::fstat(fd_, &st) == 0 ? st.st_uid : ::geteuid();
    UnsoundFolder unsound = unsoundWayOfFile(database, owner);
    if (unsound.folder.isEmpty()) unsound = unsoundAncestor(path_, ::geteuid(), owner);
    // A folder missing or out of reach on the way: the engine tells that.
    struct stat folder {};
    if (unsound.folder.isEmpty() || ::lstat(path8(unsound.folder).constData(), &folder) != 0) return;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    detail::raise(QString("O banco de dados %1 não pode ser aberto: a pasta %2, no caminho dele, %3, e quem pode "
                          "alterá-la pode trocar o arquivo por outro enquanto ele é aberto. Guarde o banco numa "
                          "pasta que só o dono dele possa alterar (o grupo pode ler e entrar: chmod 2750).")
                      .arg(database, unsound.folder, unsound.problem));
}

PinnedDatabase::~PinnedDatabase() {
    if (fd_ >= 0) ::close(fd_);
}

bool PinnedDatabase::stillThere() const {
    struct stat pinned {}, now {};
    if (fd_ < 0) return true;   // made by the engine: nothing was chosen from it
    return ::fstat(fd_, &pinned) == 0 && ::lstat(path8(path_).constData(), &now) == 0 &&
           pinned.st_dev == now.st_dev && pinned.st_ino == now.st_ino;
}

void PinnedDatabase::checkStillThere() const {
    if (!stillThere())
        detail::raise(QString("O banco de dados %1 não foi aberto: o arquivo %2 foi trocado por outro enquanto era "
                              "aberto.")
                          .arg(database_, path_));
}

void prepareProcess() {
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists("/etc/localtime")) qputenv("TZ", ":/etc/localtime");
    try {
        prepareEmbeddedEngine();
    } catch (const DbError&) {
        // Told by the first embedded attach, which tries again.
    }
}

}  // namespace host::db
