#pragma once
// A dataset over an SQL select in the host transaction. The SQL text may be
// replaced between opens; named parameters keep their values across
// replacements and bind NULL until assigned. Rows are fetched as the cursor
// needs them. Without an update object the query is read-only.

#include "host/data/Dataset.h"
#include "host/data/UpdateSql.h"

#include <QHash>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace host::db {
class Statement;
class Transaction;
}

namespace host::data {

class UpdateSql;

class Param {
public:
    explicit Param(const QString& name) : name_(name) {}
    const QString& name() const { return name_; }
    const QVariant& value() const { return value_; }
    void setValue(const QVariant& value) { value_ = value; }
    void clear() { value_ = QVariant(); }
    bool isNull() const { return value_.isNull() || !value_.isValid(); }
    void setAsString(const QString& value) { value_ = value; }
    void setAsInteger(int value) { value_ = value; }
    void setAsFloat(double value) { value_ = value; }
    void setAsDateTime(const QDateTime& value) { value_ = value; }
    QString asString() const { return value_.toString(); }
    int asInteger() const { return value_.toInt(); }
    double asFloat() const { return value_.toDouble(); }

private:
    QString name_;
    QVariant value_;
};

// The document a query's rows are lines of. A line is written (saved new or
// changed) only while its header is stored: just before the write, after
// the line's before-post rules and their questions, the header's row is
// held (updated to itself). A header another desk deleted refuses the write
// in words, as a failed write (the row stays in edit with its typing, and
// the post-error rules undo what the before-post did); a deletion at
// another desk meets this desk's hold until the line is committed.
struct LineHeader {
    QString table;             // the header's table
    QString keyColumn;         // its key column
    QString lineField;         // the line's field holding the key; empty: keyColumn
    // The header's dataset, when the window shows it: its key for a line
    // that takes it only when stored, its name for the message, and a
    // header being typed new (not stored yet) is not looked for.
    const Dataset* header = nullptr;
    QString headerField;       // its field holding the key; empty: keyColumn
    QString nameField;         // its field the user knows it by; empty: the key
    QString condition;         // more of the header's condition ("AIID = 'C'")
    QString document;          // "O contrato"
    bool feminine = false;     // "A solicitação ... foi excluída"
    // Whether the line's key names a header row now (a rule that makes the
    // same column name something else under a parameter); empty: always.
    std::function<bool()> applies;
};

class Query : public Dataset {
public:
    explicit Query(host::Component* owner = nullptr, const QString& name = {});
    ~Query() override;

    host::db::Transaction* transaction() const { return transaction_; }
    void setTransaction(host::db::Transaction* transaction);

    // Replacing the text of an open query closes it.
    QString sql() const { return sql_; }
    void setSql(const QString& sql);
    void addSql(const QString& line);       // appends one line
    void clearSql() { setSql(QString()); }

    int paramCount() const { return int(params_.size()); }
    Param* param(int index) const { return params_.at(size_t(index)).get(); }
    Param* findParam(const QString& name) const;
    Param* paramByName(const QString& name) const;   // raises when absent

    UpdateSql* updateObject() const { return update_; }
    void setUpdateObject(UpdateSql* update);
    bool canModify() const override { return update_ != nullptr; }

    // Runs a statement that returns no rows (the query stays closed); returns
    // the rows it affected.
    int execSql();

    // The SQL text with the parameters' values written in (logs and dumps).
    QString sqlWithParams() const;

    // A long list read only as far as it is shown: a look-up by `keyField`
    // of a row not read yet runs `sql` (the same columns, the key its one
    // parameter) instead of reading every row before it.
    void setKeyedRead(const QString& keyField, const QString& sql);
    bool readsByKey(const QString& keyField) const override;

    // This query's rows are lines of the header given (see LineHeader).
    void setLineHeader(LineHeader header);

protected:
    void openData() override;
    bool fetchRow(MutableRowValues columns) override;
    void closeData() override;
    void writeInsert(RowValues values) override;
    void writeModify(RowValues oldValues, RowValues newValues) override;
    void writeDelete(RowValues oldValues) override;
    bool readRow(MutableRowValues row) override;
    bool rowReadFound() const override { return rowReadFound_; }
    QVariantList readByKey(const QVariant& key, const QStringList& fieldNames) override;

private:
    friend class UpdateSql;
    void rebuildParams();
    // True when the statement of the last preparation is kept (the text did not change).
    bool prepareStatement();
    // Lets the statement go with its cursor closed (it may be a kept one).
    void releaseStatement();
    void bindParams();
    // `statement` names the kind in the message: "insert", "modify" or "delete".
    void requireUpdate(UpdateSql::Kind kind, const char* statement) const;
    [[noreturn]] void refuseChangedRow(RowValues oldValues) const;
    // The header of a line about to be written held, or the write refused
    // when it is no longer stored, or when the window shows no header at all
    // (see LineHeader).
    void holdLineHeader();
    // Null when a modify changes nothing (nothing is written).
    host::db::Statement* runWrite(UpdateSql::Kind kind, RowValues newValues, RowValues oldValues);
    int slotFor(const QString& fieldName) const { return slotOf(fieldName); }
    unsigned fieldBindingsFor() const { return fieldBindings(); }

    host::db::Transaction* transaction_ = nullptr;
    QString sql_;
    QString preparedSql_;
    std::vector<std::unique_ptr<Param>> params_;
    // The transaction's kept statement of the text when it was asked before
    // (a window opened again, a selection read again), else one of its own.
    std::shared_ptr<host::db::Statement> statement_;
    unsigned preparations_ = 0;          // statements prepared so far
    unsigned columnsPreparation_ = 0;    // the one whose columns the fields were last made from
    UpdateSql* update_ = nullptr;
    bool rowReadFound_ = true;
    QString keyedField_;
    QString keyedSql_;
    QHash<QString, QVariantMap> keyedRows_;   // keys read while open (none found: empty)
    std::unique_ptr<LineHeader> lineHeader_;
};

// Writes a literal of a value as SQL text (dialect 1): NULL, numbers in their
// shortest decimal form, quoted text, quoted timestamps.
QString sqlLiteral(const QVariant& value);

}  // namespace host::data
