#pragma once
// Internal to host/db: what keeps a database's lock table one and whole.
//
// The engine trusts that every process on a file keeps its locks in one
// table; two tables (another lock folder named by a process's environment,
// a service's own /tmp, a folder removed and made again while in use) let
// two processes write the file unaware of each other, and the file is
// corrupted. Nothing in a process's folders can tell which table the others
// use, but the file itself is the same for all of them: each process marks
// it (an advisory lock far beyond its end, at a place given by its lock
// folder) while it has it open, and a process that finds the mark of
// another folder is refused before it writes.
//
// The engine maps its lock files and touches their pages as it goes: on a
// file system with no room left the process would die of SIGBUS, saying
// nothing. The files are given their room as soon as the engine made them,
// and a process that still meets the end of the room (a table grown past
// its first size) ends telling so.

#include <QString>
#include <QtGlobal>

namespace host::db::detail {

// Where this program's own locks on a database file begin (its marks, a
// start's turn): far past the end of any database, where the engine never
// locks. A wait inside the engine is never on one of them.
constexpr qint64 kOwnLocksStart = qint64(1) << 60;

class LockTableMark {
public:
    LockTableMark() = default;
    // Marks `database` (a path with its links resolved) as used with the
    // lock folder `lockFolder`. Throws DbError, naming why, when another
    // process has the file open with another lock folder.
    LockTableMark(const QString& database, const QString& lockFolder);
    ~LockTableMark();
    LockTableMark(LockTableMark&& other) noexcept;
    LockTableMark& operator=(LockTableMark&& other) noexcept;
    LockTableMark(const LockTableMark&) = delete;
    LockTableMark& operator=(const LockTableMark&) = delete;
    bool held() const { return fd_ >= 0; }
    // The mark left held to the end of the process, across an exec.
    void keepForLife();

private:
    int fd_ = -1;
};

// The lock folder this process's engine uses (a group's own folder, not the
// process's view of it); empty before the first embedded attach.
QString lockFolderInUse();

// Gives the engine's lock files of `database` in `engineFolder` (where the
// engine runs: the lock folder or the process's view of it) the room their
// tables take. Throws DbError naming `lockFolder` when its file system has
// no room left.
void sizeLockFiles(const QString& engineFolder, const QString& lockFolder, const QString& database);

// From now on a SIGBUS met in a file of `engineFolder` ends the process
// with kLockGiveUpExitCode, telling that `lockFolder` filled up.
void tellFullLockFolder(const QString& engineFolder, const QString& lockFolder, const QString& database);

}  // namespace host::db::detail
