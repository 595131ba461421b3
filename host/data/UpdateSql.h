#pragma once
// The statements that write a query's rows back: insert, modify, delete and
// refresh. ":FIELD" takes the field's new value, ":OLD_FIELD" its value as
// read or last posted; only the columns a statement names are written, so
// joined columns never are. The refresh statement re-reads one row and may be
// replaced at run time.
//
// An update or delete by key ("update T set A = :A ... where K = :OLD_K",
// "delete from T where K = :OLD_K") is run guarded: its condition also holds
// every written column (blobs aside) to its value as read, so a row another
// desk changed meanwhile is left alone, and the query refuses the write.
// With setWritesChangedOnly(true) an update by key sets only the columns the
// row changed ("A = :A" left out when A is as read; other assignments always
// run), still guarded by every column the whole update writes; a row with
// nothing changed is not written at all (a wide header saved again and again
// for one column). Off by default: each set of columns left out is a
// statement prepared of its own.

#include "host/data/Component.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace host::db {
class Statement;
class Transaction;
}

namespace host::data {

class Query;

class UpdateSql : public host::Component {
public:
    enum class Kind { Modify = 0, Insert = 1, Delete = 2, Refresh = 3 };

    explicit UpdateSql(host::Component* owner = nullptr, const QString& name = {});
    ~UpdateSql() override;

    QString sql(Kind kind) const { return texts_[size_t(kind)]; }
    void setSql(Kind kind, const QString& sql);
    QString modifySql() const { return sql(Kind::Modify); }
    void setModifySql(const QString& sql) { setSql(Kind::Modify, sql); }
    QString insertSql() const { return sql(Kind::Insert); }
    void setInsertSql(const QString& sql) { setSql(Kind::Insert, sql); }
    QString deleteSql() const { return sql(Kind::Delete); }
    void setDeleteSql(const QString& sql) { setSql(Kind::Delete, sql); }
    QString refreshSql() const { return sql(Kind::Refresh); }
    void setRefreshSql(const QString& sql) { setSql(Kind::Refresh, sql); }
    // The slot of each column of the kind's statement as last run (-1 when
    // the query has no data field of that name).
    const std::vector<int>& resultSlots(Kind kind);

    void setWritesChangedOnly(bool on) { changedOnly_ = on; }
    bool writesChangedOnly() const { return changedOnly_; }

    // The query this object writes for (set by Query::setUpdateObject).
    Query* query() const { return query_; }

    // The kind's statement, as prepared, guards its row: no row touched
    // means the row was changed or deleted since it was read.
    bool guardsRow(Kind kind) const { return guards_[size_t(kind)]; }
    // The key columns of the guarded statements' condition.
    const QStringList& keyColumns() const { return keyColumns_; }

private:
    friend class Query;
    // Binds and runs one statement with the query's row values. A modify
    // by key that changes nothing runs nothing and returns null.
    host::db::Statement* run(Kind kind, std::span<const QVariant> newValues, std::span<const QVariant> oldValues);
    host::db::Statement& prepared(Kind kind);
    void releaseStatements();
    // The text prepared for the kind: the guarded form of an update or
    // delete by key, else the text as set.
    QString textToRun(Kind kind);
    QString guardedText(Kind kind);
    // The columns the modify statement writes with their own field's value
    // (parsed once per text).
    const QStringList& writtenColumns();
    // How each written column is compared, one letter each: what the guard
    // depends on in the query's fields.
    QString guardShape(const QStringList& columns) const;
    QString guardCondition(const QStringList& columns) const;
    // ":OLDMIN_X": the earliest wall time the date-time X read may stand for.
    static constexpr QLatin1StringView kEarliestPrefix{"OLDMIN_"};
    static QVariant earliestWallTime(const QVariant& read);

    // Where each parameter of a prepared statement takes its value from: the
    // slot of its field in the old row (":OLD_X") and in the new one (":X",
    // also when the old row has no such slot). Found by name once per
    // statement and binding of the query's fields, not for every row.
    struct Source {
        int oldSlot = -1;
        int newSlot = -1;
        // A guard's lower bound of a date-time read: the earliest wall time
        // the value read may stand for (see UpdateSqlGuard.cpp).
        int earliestOf = -1;
    };
    struct Sources {
        bool valid = false;
        unsigned fieldBindings = 0;
        std::vector<Source> params;
        // The slot of each column the statement returns (-1: no data field),
        // found when `params` is.
        std::vector<int> columns;
    };
    const std::vector<Source>& sourcesFor(Kind kind, const host::db::Statement& statement);
    Sources& findSources(Sources& sources, const host::db::Statement& statement);
    void bindAndRun(host::db::Statement& statement, const std::vector<Source>& sources,
                    std::span<const QVariant> newValues, std::span<const QVariant> oldValues);

    // The modify of a row that changed some of the columns it writes with
    // their own value: one statement per set of columns left out ('1' in
    // the key for each assignment left out), guarded as the whole update is.
    struct Partial {
        std::unique_ptr<host::db::Statement> statement;
        Sources sources;
    };
    // The key of the assignments a row leaves out; empty when it writes
    // them all (or the text is not an update by key); all '1': nothing.
    QString unchangedAssignments(std::span<const QVariant> newValues, std::span<const QVariant> oldValues);
    void readAssignments();
    host::db::Statement& partialStatement(const QString& leftOut);
    QString partialText(const QString& leftOut);
    struct Assignment {
        QString text;
        QString ownColumn;   // "X = :X": X, else empty (always written)
        int slot = -1;
    };
    std::vector<Assignment> assignments_;
    QStringList partialKeys_;   // the key of an update by key; empty: never partial
    QString assignmentsFrom_;
    unsigned assignmentsFor_ = 0;
    bool changedOnly_ = false;
    std::map<QString, Partial> partials_;
    host::db::Transaction* partialsFor_ = nullptr;

    Query* query_ = nullptr;
    std::array<QString, 4> texts_;
    std::array<bool, 4> blank_{true, true, true, true};   // the text is empty or spaces only
    // The cells the statement run reads its values from, and values bound
    // that no cell holds: grown to the widest statement run, never shrunk.
    std::vector<const QVariant*> bound_;
    std::vector<QVariant> computed_;
    std::array<bool, 4> guards_{};
    // The guarded text made last, and what it was made from.
    struct Guarded {
        QString text;
        QString modifyText;
        QString shape;
        QString run;
        bool guards = false;
    };
    std::array<Guarded, 4> guarded_;
    QString writtenFrom_;
    QStringList written_;
    std::array<unsigned, 4> guardedFor_{};   // the query's field bindings the guard was made for
    std::array<bool, 4> guardValid_{};       // false when it was made for another query
    QStringList keyColumns_;
    // The statement prepared for each kind, the transaction it was prepared
    // under and the text set it was made of (the same data as the text set,
    // held here so that no other text can come to have its address): a row
    // written finds it, and its sources, without asking again.
    std::array<std::unique_ptr<host::db::Statement>, 4> statements_;
    std::array<host::db::Transaction*, 4> preparedFor_{};
    std::array<QString, 4> preparedText_;
    std::array<Sources, 4> sources_;
};

}  // namespace host::data
