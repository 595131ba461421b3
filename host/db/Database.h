#pragma once
// Firebird access through the engine's object interface: one connection, one
// transaction, statements with named parameters. Every statement is prepared
// in SQL dialect 1 (double quotes delimit strings, DATE carries a time).

#include <QAnyStringView>
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <stdexcept>
#include <vector>

namespace host::db {

// Every database failure: Firebird's own message text with its codes, and the
// statement that failed when there was one.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, int sqlCode = 0, intptr_t gdsCode = 0, const QString& sql = {});
    QString message() const { return message_; }
    int sqlCode() const { return sqlCode_; }
    intptr_t gdsCode() const { return gdsCode_; }
    QString sql() const { return sql_; }
    // What the user is told, when the layer that raised the failure could say
    // it in the user's words (naming the user, the file or the server); the
    // engine's text stays in message(), the detail. Empty: no such words.
    QString userText() const { return userText_; }
    DbError withUserText(const QString& text) const;

private:
    QString userText_;
    QString message_;
    int sqlCode_;
    intptr_t gdsCode_;
    QString sql_;
};

// Statements executed, and statements prepared, through this layer since the
// process started; tests hold the cost of opening and saving documents to
// both numbers (a statement prepared again for every row costs more than its
// execution). A statement run unprepared (the savepoints) counts in both.
std::uint64_t statementCount();
std::uint64_t prepareCount();

// Makes the embedded engine shareable by several processes: a root folder of
// our own (links to the installed engine, a copy of its character-set
// library, a configuration that runs it in SuperClassic mode), named by the
// FIREBIRD variable. Must run before the first connection; does nothing when
// FIREBIRD already names a folder of this user or of root that no one else
// may change, on a way no other user can change. The root goes in the user's runtime folder, else
// the user's cache folder, else the temporary folder
// ("techassist-firebird-<uid>", or the user's "<that name>.000001" beside it
// when another user made the name first). The engine loads what the root holds, so the
// root must be a folder of this user (not a link) and every entry in it is
// checked: one found different from what would be made is replaced. Throws
// DbError naming the folder and what is wrong when it cannot be used.
void prepareEmbeddedEngine();
// The same for a named root folder (made 0700 when missing).
void prepareEngineRoot(const QString& root);

// The engine keeps each database's lock table in a lock folder shared by
// every process that opens the file; one file with two folders would be
// written by processes unaware of each other. The folder is chosen by the
// file ("techassist-firebird-lock-<uid>" in /tmp, whatever TMPDIR says, for
// a file only its owner writes, "...-<uid>-g<gid>" for one its group shares
// with other users):
// each OS user's own databases have a folder of that user, and a file
// several users share gets one folder, shared through the file's group.
// A name another user made first (anyone may, in /tmp) is passed: the
// owner's folder beside it (the first by name, made as "<name>.000001",
// the next number when another user took that too) is used.
// prepareLockFolder() names it (FIREBIRD_LOCK, whatever the environment
// said) before the first embedded attach, and each connection marks the
// file with it (LockTable.h): a process finding the file open with another
// folder is refused. The engine reads it once, so a later database of another folder is
// refused. Root opens only its own private databases. For a group's folder
// the engine runs in a folder of this process beside it, holding links to
// the owner's lock files of each database opened (LockView.h).
QString lockFolderFor(const QString& database);
void prepareLockFolder(const QString& database);
// For a process that hands the file to a Firebird tool (exec): the file
// marked with this process's lock folder (after prepareLockFolder) for the
// rest of its life, the tool's included, as a connection marks it while
// open. Throws DbError when another process has it open with another folder.
void markLockFolderForLife(const QString& database);
// Whether the engine of this process runs in its own view of a group's lock
// folder: a database it creates has lock files of this process only until
// it is opened again.
bool locksThroughOwnView();
// Makes the folder for the database (the owner's: 0700, or 2750 with the
// file's group) or checks the one found: every folder on the way must be
// one no other user can change, and the folder one (not a link) of the
// database's owner or of root, writable by no one else, holding no link and
// no entry of another user; another user's folder could hold the lock files
// the engine waits on or writes through.
// Only the owner or root makes it. Throws DbError naming the folder.
// Run by root, the engine hands the lock files it makes to the user
// `engineUser` (the server package's "firebird"): in root's own folder,
// which no one else can enter, that user's files are the engine's.
void makeLockFolder(const QString& folder, const QString& database, const char* engineUser = "firebird");
// A folder of this user's own files (the system folder with the default
// database, its log folder): made when missing (0700, with the folders
// missing on the way) only under folders no other user can change, and
// found only as this user's, not a link, on such a way; a group may write
// it, or a folder on the way, only when it holds the owner alone. Another
// user's folder on the way could swap the database or the log for his own
// or for a link. Throws DbError naming the folder and what is wrong.
void makePrivateFolder(const QString& folder);
// Refuses, before the engine tries, a local file this user may not open
// (naming its owner, group and permissions) and a path the engine would
// take for "server:path".
void checkDatabaseFile(const QString& database);
// Of a folder this user may not enter: whose it is, with what permissions,
// and that the database's owner can let the user into its group.
QString closedFolderAdvice(const QString& folder);
// The local file the engine is to open, pinned before its lock folder is
// chosen: the path with its links resolved (the name handed to the engine),
// every folder on the way one no other user can change (another user able
// to rename in one could swap the file for another between the choice of
// its lock folder and the engine's open, and one file would get two lock
// tables), and the file found there, kept open. Throws DbError naming the
// folder. `stillThere` tells whether the path still leads to that file.
namespace detail {
class WaitNotice;
}

// While it lives, tells through Qt's messages (the error output, or the log
// of a run whose output is its result) what a long step is doing once it has
// run a few seconds, and again every minute: a first start on a slow disk
// is never silent. `doing`: "Criando o banco de dados ...".
class LongStepNotice {
public:
    explicit LongStepNotice(const QString& doing);
    ~LongStepNotice();
    LongStepNotice(const LongStepNotice&) = delete;
    LongStepNotice& operator=(const LongStepNotice&) = delete;

private:
    std::unique_ptr<detail::WaitNotice> notice_;
};

class PinnedDatabase {
public:
    explicit PinnedDatabase(const QString& database);
    ~PinnedDatabase();
    PinnedDatabase(const PinnedDatabase&) = delete;
    PinnedDatabase& operator=(const PinnedDatabase&) = delete;
    const QString& path() const { return path_; }
    bool stillThere() const;
    // Throws DbError when the path no longer leads to the pinned file.
    void checkStillThere() const;

private:
    QString database_, path_;
    int fd_ = -1;   // the file found, or -1 for one still to be made
};

// Process set-up before Qt and the engine start: the embedded engine's root
// folder (a root that cannot be used is told by the first embedded attach),
// and a pinned local time zone (with TZ unset, every local date-time
// conversion re-reads the zone file, which makes reading dates ten times slower).
void prepareProcess();

struct ConnectOptions {
    QString name;               // "file path" (embedded) or "server:path"
    QString user = "SYSDBA";
    QString password = "masterkey";
    QString role;
    // Set: the database's writes from now on, kept in the file (forced:
    // each page reaches the disk before the engine goes on). Unset: as the
    // file has them; a new database gets forced writes.
    std::optional<bool> forcedWrites;
};

class Transaction;
class Statement;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void open(const ConnectOptions& options);
    // A new database in SQL dialect 1 with UTF8 as its default character set.
    void create(const ConnectOptions& options);
    void close();
    bool isOpen() const;
    QString name() const;
    QString user() const;
    // A database on a server, in any form the engine takes: "host:path",
    // "host/port:path", "[IPv6]:path", "inet://host:port/path" (and the
    // other protocols' URLs).
    static bool isRemoteName(const QString& name);
    // The server of such a name ("host", "host/port", "host:port"); empty for a local file.
    static QString serverOf(const QString& name);
    // A statement let go leaves its preparation to the connection: a later
    // statement of the same text, in any of its transactions, takes it
    // instead of preparing again. The most recently let go are kept, up to
    // this many texts; a schema change, or closing, frees them.
    static constexpr int kPreparationsKept = 256;

    struct Impl;
    Impl* impl() const { return d.get(); }

private:
    std::unique_ptr<Impl> d;
};

// The one transaction of the application. Statements start it when needed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    bool active() const;
    void commit();            // ends the transaction: open cursors are closed
    void commitRetaining();   // keeps the context: open cursors stay readable
    void rollback();
    void rollbackRetaining();
    Connection& connection() const;

    // A prepared statement of this text kept for reuse, so that what a routine
    // runs row after row is prepared once: it comes with its cursor closed and
    // its parameters cleared. The most recently used texts are kept (up to
    // kPreparedKept); a statement still held by a caller is never handed out
    // twice (a second holder gets a statement of its own). A schema change
    // (DDL) frees the kept statements, as does closing the connection; one
    // let go otherwise leaves its preparation to the connection.
    std::shared_ptr<Statement> prepared(const QString& sql);
    // The same for a text that may be built for one use (literals in it): a
    // text asked for the first time waits among the last kAskedOnce such
    // texts, and joins the kept ones when asked again. A fixed read or a
    // window's query asked again is not prepared again, and texts made row
    // by row never push the kept statements out.
    std::shared_ptr<Statement> preparedIfRepeated(const QString& sql);
    void forgetPrepared();
    static constexpr int kPreparedKept = 128;
    static constexpr int kAskedOnce = 32;

    // What becomes of the work written so far, told to the one listener (the
    // dataset layer, whose rows must show what is stored): `depth` is the
    // savepoint depth left; the event is about work written deeper (-1: all
    // of it). Forgotten: committed, or the transaction goes; Joined: a
    // savepoint released, its work now belongs to depth; Undone: rolled back.
    enum class WorkEnd { Forgotten, Joined, Undone };
    using WorkListener = std::function<void(WorkEnd, int depth)>;
    void setWorkListener(WorkListener listener);
    int savepointDepth() const;   // live savepoint guards

    struct Impl;
    Impl* impl() const { return d.get(); }

private:
    std::unique_ptr<Impl> d;
};

// A savepoint in the transaction: a routine made of several writes can undo
// its own work alone, leaving the transaction's other pending work as it is.
//
//   host::db::Savepoint sp(tr);
//   ... posts ...
//   sp.release();          // keep the work; leaving the scope without it undoes it
//
// Guards nest (an inner one undoes only its part). A commit or rollback
// retaining ends the engine's savepoints; the live guards are taken again
// before the next statement runs, so afterwards they undo what was written
// after it (committed work stays committed), and one released or undone with
// no statement since costs none. A hard commit or rollback ends them: nothing
// is left to undo.
class Savepoint {
public:
    explicit Savepoint(Transaction& transaction);
    ~Savepoint();   // not released: rolls back to the savepoint
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();    // keeps the work (it joins the enclosing scope's)
    void rollback();   // undoes the work since the savepoint and ends the guard
    bool active() const;
    QString name() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Holds the transaction's commits back while a routine of several steps
// runs, each of which commits on its own (a dataset's after-post): a commit
// asked meanwhile is only noted, so the routine's savepoint can still undo
// every step. release() ends the hold and makes the commit that was asked
// (the outermost hold only; a hard one if any step asked for one). Leaving
// the scope without release() forgets the commits asked (the savepoint
// taken inside the hold undoes the work). Rollbacks are never held.
//
//   host::db::CommitHold hold(tr);
//   host::db::Savepoint sp(tr);
//   ... steps that post and commit ...
//   sp.release();
//   hold.release();
class CommitHold {
public:
    explicit CommitHold(Transaction& transaction);
    ~CommitHold();
    CommitHold(const CommitHold&) = delete;
    CommitHold& operator=(const CommitHold&) = delete;

    void release();
    bool commitAsked() const;   // a step asked for a commit while held

private:
    Transaction* tr_;
};

// The steps as one unit of work: their own commits held, all of it undone
// to a savepoint when a step throws (the throw goes on), committed once
// (retaining) when they are done.
void runAsOneCommit(Transaction& transaction, const std::function<void()>& steps);

enum class ColumnType {
    Unknown, SmallInt, Integer, BigInt, Float, Double, Char, VarChar,
    Timestamp, Date, Time, TextBlob, Blob, Boolean, Null
};

struct ColumnInfo {
    QString name;       // the column's own name
    QString alias;      // the name the select gives it (what callers look up)
    QString relation;   // the table it comes from, empty for expressions
    ColumnType type = ColumnType::Unknown;
    int size = 0;       // characters for text, bytes otherwise
    int scale = 0;      // negative for scaled integers (NUMERIC stored as integer)
    bool nullable = true;
    bool isNumeric() const;
    bool isText() const;
};

// A prepared statement. Parameters are named (":NAME", case-insensitive, one
// name may stand in several places); a name never assigned binds NULL.
class Statement {
public:
    explicit Statement(Transaction& transaction);
    Statement(Transaction& transaction, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void prepare(const QString& sql);
    bool isPrepared() const;
    QString sql() const;
    bool isSelect() const;   // returns rows (a select or a procedure with output)

    // Parameters, in the order of their first appearance.
    const QStringList& paramNames() const;
    bool hasParam(const QString& name) const;
    // The type the engine gave the parameter (its first place); Unknown when absent.
    ColumnType paramType(const QString& name) const;
    // Its type, scale and size (characters for text) likewise; no name
    // gives an Unknown type.
    ColumnInfo paramInfo(const QString& name) const;
    // Throws on an unknown name. The name is any string view ("ID" as it is
    // written, a QString): a row's parameters set by name cost no string of
    // their own, and set in the same order every row, no hashing either.
    void setParam(QAnyStringView name, const QVariant& value);
    void setParam(QAnyStringView name, QVariant&& value);
    void setParam(int index, const QVariant& value);
    void setParam(int index, QVariant&& value);
    QVariant param(const QString& name) const;
    void clearParams();

    // What execute() returns: the rows affected, asked of the engine only
    // when read (asking costs as much as a third of a one-row insert).
    class RowCount {
    public:
        explicit RowCount(const Statement* s) : s_(s) {}
        operator int() const { return s_->rowsAffected(); }

    private:
        const Statement* s_;
    };

    // Runs the statement. A select opens its cursor (rowsAffected() is -1);
    // anything else can tell the rows it affected.
    RowCount execute();
    // Runs it with these values for its parameters (one per name, in the order
    // of paramNames()), read where they are for this execution only: a row
    // written from cells it already holds costs no copy of each value. The
    // values set by setParam stay as they were.
    RowCount execute(std::span<const QVariant* const> values);
    int rowsAffected() const;
    bool fetch();            // the next row; false (and the cursor closed) at the end
    bool cursorOpen() const;
    void closeCursor();

    int columnCount() const;
    const ColumnInfo& column(int index) const;
    int columnIndex(const QString& aliasOrName) const;   // -1 when absent
    QVariant value(int index) const;
    // The value into `target`, left untouched when it already holds that
    // value (no conversion of a text read again as it was).
    void valueInto(int index, QVariant& target) const;
    // The row into the caller's cells in one pass, each as valueInto reads
    // it: column c into cells[c] (more cells than columns is an error)...
    void rowInto(std::span<QVariant> cells) const;
    // ...or into cells[slotOf[c]] for the columns that have a slot (a
    // negative slot, or one past the cells, leaves the column unread).
    void rowInto(std::span<QVariant> cells, std::span<const int> slotOf) const;
    QVariant value(const QString& aliasOrName) const;
    bool isNull(int index) const;

    Transaction& transaction() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Convenience: the first column of the first row, or an invalid QVariant when
// there is no row. With parameters, the statement is the transaction's kept
// one (Transaction::prepared): a text with parameters is written to be run
// again with other values.
QVariant selectValue(Transaction& tr, const QString& sql, const QVariantMap& params = {});
// Parameters listed in place, by name: bound one by one as listed (a map
// built for one call costs an allocation per name and as much again to
// compare its keys).
using NamedParams = std::initializer_list<std::pair<QAnyStringView, QVariant>>;
QVariant selectValue(Transaction& tr, const QString& sql, NamedParams params);
// What executeSql returns: the rows affected, asked of the engine only when
// read as a number (most callers never read it, and asking costs as much as
// a third of a one-row insert). It keeps the statement until it goes.
class AffectedRows {
public:
    explicit AffectedRows(std::shared_ptr<Statement> statement) : statement_(std::move(statement)) {}
    operator int() const;

private:
    std::shared_ptr<Statement> statement_;
};
AffectedRows executeSql(Transaction& tr, const QString& sql, const QVariantMap& params = {});
AffectedRows executeSql(Transaction& tr, const QString& sql, NamedParams params);
qint64 generatorValue(Transaction& tr, const QString& generator, int increment = 1);

// Metadata; names answer in any letter case.
bool tableExists(Transaction& tr, const QString& table);
bool columnExists(Transaction& tr, const QString& table, const QString& column);
bool generatorExists(Transaction& tr, const QString& generator);
int columnLength(Transaction& tr, const QString& table, const QString& column);   // characters; -1 if absent
QStringList tableColumns(Transaction& tr, const QString& table);

// The local date-time of a day and a time of day, made as the engine's
// timestamps are read: the last ones made are kept, per thread and zone
// (making one runs the zone's rules, some 1,800 instructions, and routines
// make the same few midnights row after row). A wall-clock time the zone
// skipped becomes the first one after it that exists.
QDateTime localDateTime(const QDate& date, const QTime& time = QTime(0, 0));

// Splits ":name" parameters out of SQL text, leaving "?" in their place.
// Quoted literals and comments are left alone.
struct ParsedSql {
    QString text;
    QStringList names;        // one per "?", upper-cased
};
ParsedSql parseNamedParams(const QString& sql);

}  // namespace host::db
