#pragma once
// The statements that write a query's rows back: insert, modify, delete and
// refresh. ":FIELD" takes the field's new value, ":OLD_FIELD" its value as
// read or last posted; only the columns a statement names are written, so
// joined columns never are. The refresh statement re-reads one row and may be
// replaced at run time.

#include "host/data/Component.h"

#include <QString>
#include <QVariant>

#include <array>
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

    // The query this object writes for (set by Query::setUpdateObject).
    Query* query() const { return query_; }

private:
    friend class Query;
    // Binds and runs one statement with the query's row values.
    host::db::Statement& run(Kind kind, std::span<const QVariant> newValues, std::span<const QVariant> oldValues);
    host::db::Statement& prepared(Kind kind);
    void releaseStatements();

    // Where each parameter of a prepared statement takes its value from: the
    // slot of its field in the old row (":OLD_X") and in the new one (":X",
    // also when the old row has no such slot). Found by name once per
    // statement and binding of the query's fields, not for every row.
    struct Source {
        int oldSlot = -1;
        int newSlot = -1;
    };
    struct Sources {
        bool valid = false;
        unsigned fieldBindings = 0;
        std::vector<Source> params;
    };
    const std::vector<Source>& sourcesFor(Kind kind, const host::db::Statement& statement);

    Query* query_ = nullptr;
    std::array<QString, 4> texts_;
    std::array<bool, 4> blank_{true, true, true, true};   // the text is empty or spaces only
    std::vector<const QVariant*> bound_;   // the cells the statement run reads its values from
    std::array<std::unique_ptr<host::db::Statement>, 4> statements_;
    std::array<host::db::Transaction*, 4> preparedFor_{};
    std::array<QString, 4> preparedText_;
    std::array<Sources, 4> sources_;
};

}  // namespace host::data
