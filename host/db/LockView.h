#pragma once
// Internal to host/db: a process's own view of a group's lock folder.
//
// The engine opens its lock files by name, following links, and makes the
// missing ones at its own moments (at the first attach, again at the last
// detach), after any check of ours. In a folder where the group's members
// could add names, a member could put a link under the name the engine is
// about to make and have another member's start write the lock table
// through it. So the engine never runs in the group's folder: the group's
// folder is its owner's (the group may read, not add names), holding the
// lock files made by the owner, and each process runs the engine in a
// folder of its own beside it, holding hard links to those files (same
// files, so every process shares one lock table) plus what the engine keeps
// per process (its trace storage).

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace host::db::detail {

QString userName(uid_t uid);

// The names of the shared lock files of a database, as the engine names
// them (after the file's device and inode), and of the folder's own.
QStringList sharedLockFileNames(const QString& database);
// The files of `folder` (where the engine runs) that the database's
// processes use: those above and the trace's, shared by the folder's
// attachments. Another database's lock table there is none of them.
QStringList databaseLockFiles(const QString& folder, const QString& database);

// A new folder of this process beside the group's folder (0700), leftovers
// of this user's ended processes removed. Returns its path.
QString makeLockView(const QString& groupFolder);

// Puts in the view hard links to the group's lock files of the database.
// The folder's owner makes the missing ones first; another member finding
// one missing, or not a file of the owner, is refused naming it.
void linkSharedLockFiles(const QString& view, const QString& groupFolder, uid_t owner, const QString& database);

}  // namespace host::db::detail
