// Query: a dataset over an SQL select with named parameters in the host transaction.
#include "host/data/Query.h"

#include "host/data/DataSource.h"
#include "host/data/WrittenRows.h"
#include "host/data/UpdateSql.h"
#include "host/data/WriteErrors.h"
#include "host/db/Database.h"

#include <QLocale>

#include <algorithm>

namespace host::data {

namespace {

FieldType fieldTypeOf(const host::db::ColumnInfo& column)
{
    using host::db::ColumnType;
    if (column.scale < 0)
        return FieldType::Float;
    switch (column.type) {
    case ColumnType::SmallInt:
    case ColumnType::Boolean: return FieldType::Int16;
    case ColumnType::Integer: return FieldType::Int32;
    case ColumnType::BigInt:
    case ColumnType::Float:
    case ColumnType::Double: return FieldType::Float;
    case ColumnType::Timestamp: return FieldType::DateTime;
    case ColumnType::Date: return FieldType::Date;
    case ColumnType::Time: return FieldType::Time;
    case ColumnType::TextBlob: return FieldType::Memo;
    case ColumnType::Blob: return FieldType::Blob;
    default: return FieldType::String;
    }
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_' || c == '$';
}

}  // namespace

QString sqlLiteral(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return "NULL";
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: return value.toString();
    case QMetaType::Bool: return value.toBool() ? "1" : "0";
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDateTime: return "'" + value.toDateTime().toString("yyyy-MM-dd HH:mm:ss") + "'";
    case QMetaType::QDate: return "'" + value.toDate().toString("yyyy-MM-dd") + "'";
    case QMetaType::QTime: return "'" + value.toTime().toString("HH:mm:ss") + "'";
    default: {
        QString text = value.toString();
        return "'" + text.replace('\'', "''") + "'";
    }
    }
}

Query::Query(host::Component* owner, const QString& name) : Dataset(owner, name) {}

Query::~Query()
{
    if (update_ && update_->query_ == this)
        update_->query_ = nullptr;
    releaseStatement();
}

void Query::releaseStatement()
{
    if (statement_ && statement_->cursorOpen())
        statement_->closeCursor();
    statement_.reset();
}

void Query::setTransaction(host::db::Transaction* transaction)
{
    if (transaction == transaction_)
        return;
    close();
    releaseStatement();
    preparedSql_.clear();
    if (update_)
        update_->releaseStatements();
    transaction_ = transaction;
}

void Query::setSql(const QString& sql)
{
    close();
    if (sql == sql_)
        return;   // the same parameters: a rule reopening its query keeps their values
    sql_ = sql;
    rebuildParams();
}

void Query::addSql(const QString& line)
{
    QString text = sql_;
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    setSql(text + line + '\n');
}

void Query::rebuildParams()
{
    const QStringList names = host::db::parseNamedParams(sql_).names;
    std::vector<std::unique_ptr<Param>> rebuilt;
    for (const QString& name : names) {
        bool seen = false;
        for (const auto& p : rebuilt)
            seen = seen || p->name().compare(name, Qt::CaseInsensitive) == 0;
        if (seen)
            continue;
        auto param = std::make_unique<Param>(name);
        if (Param* old = findParam(name))
            param->setValue(old->value());
        rebuilt.push_back(std::move(param));
    }
    params_ = std::move(rebuilt);
}

Param* Query::findParam(const QString& name) const
{
    // The name as written first: a text of many numbered parameters is
    // bound without folding the case of every other name for each. Names
    // of another length never match (case is folded character by character).
    for (const auto& param : params_)
        if (param->name() == name)
            return param.get();
    for (const auto& param : params_)
        if (param->name().size() == name.size() && param->name().compare(name, Qt::CaseInsensitive) == 0)
            return param.get();
    return nullptr;
}

Param* Query::paramByName(const QString& name) const
{
    Param* param = findParam(name);
    if (!param)
        throw DatasetError(QString("%1: parâmetro '%2' não encontrado.").arg(this->name(), name));
    return param;
}

void Query::setUpdateObject(UpdateSql* update)
{
    if (update_ && update_->query_ == this)
        update_->query_ = nullptr;
    update_ = update;
    if (update_ && update_->query_ != this) {
        // One update object serves one query: the query it leaves forgets it,
        // or that query would keep a pointer the object's end leaves dangling.
        if (update_->query_ && update_->query_->update_ == update_)
            update_->query_->update_ = nullptr;
        update_->query_ = this;
        // Slots found in another query's fields mean nothing in these.
        for (auto& sources : update_->sources_)
            sources.valid = false;
        update_->guardValid_.fill(false);
    }
}

bool Query::prepareStatement()
{
    if (!transaction_)
        throw DatasetError(QString("%1: a consulta não tem transação.").arg(name()));
    if (statement_ && preparedSql_ == sql_)
        return true;
    releaseStatement();
    statement_ = transaction_->preparedIfRepeated(sql_);
    preparedSql_ = sql_;
    ++preparations_;
    return false;
}

void Query::bindParams()
{
    // Bound from the parameters' own values: no copy of name or value each open.
    static const QVariant null;
    for (const auto& param : params_)
        statement_->setParam(param->name(), param->isNull() ? null : param->value());
}

void Query::openData()
{
    const bool kept = prepareStatement();
    // Asked before running: opening an update or a delete must not carry it out.
    if (!statement_->isSelect())
        throw DatasetError(QString("%1: a consulta não retorna registros.").arg(name()));
    if (statement_->cursorOpen())
        statement_->closeCursor();
    bindParams();
    statement_->execute();
    // The statement the fields were made from: its columns are those the close kept.
    if (kept && columnsPreparation_ == preparations_ && reuseColumns())
        return;
    columnsPreparation_ = preparations_;
    for (int c = 0; c < statement_->columnCount(); ++c) {
        const host::db::ColumnInfo& column = statement_->column(c);
        defineColumn(column.alias.isEmpty() ? column.name : column.alias, fieldTypeOf(column), column.size);
    }
}

bool Query::fetchRow(MutableRowValues columns)
{
    if (!statement_ || !statement_->cursorOpen() || !statement_->fetch())
        return false;
    // Read into the cells themselves, in one pass: no variant made and
    // destroyed per cell, the row checked once.
    statement_->rowInto(columns);
    return true;
}

void Query::closeData()
{
    keyedRows_.clear();
    if (statement_ && statement_->cursorOpen())
        statement_->closeCursor();
}

int Query::execSql()
{
    close();
    prepareStatement();
    bindParams();
    const int affected = statement_->execute();
    if (statement_->cursorOpen())
        statement_->closeCursor();
    return affected;
}

// Asked before every row written: the kind's flag, no text looked at per row.
void Query::requireUpdate(UpdateSql::Kind kind, const char* statement) const
{
    if (!update_)
        throw DatasetError(QString("%1: a consulta é somente leitura.").arg(name()));
    if (update_->blank_[size_t(kind)])
        throw DatasetError(
            QString("%1: falta a instrução de %2 em %3.").arg(name(), QLatin1String(statement), update_->name()));
}

// The engine's refusal of the row told in the user's words, naming this
// query's fields by their labels.
host::db::Statement* Query::runWrite(UpdateSql::Kind kind, RowValues newValues, RowValues oldValues)
{
    try {
        return update_->run(kind, newValues, oldValues);
    } catch (const WriteRefused&) {
        throw;
    } catch (const host::db::DbError& error) {
        const QString message = userMessageFor(error, this);
        if (message.isEmpty())
            throw;
        throw WriteRefused(error, message);
    }
}

void Query::writeInsert(RowValues values)
{
    requireUpdate(UpdateSql::Kind::Insert, "insert");
    holdLineHeader();
    runWrite(UpdateSql::Kind::Insert, values, {});
    noteRowsWritten(*transaction_, *this);
}

void Query::writeModify(RowValues oldValues, RowValues newValues)
{
    requireUpdate(UpdateSql::Kind::Modify, "modify");
    holdLineHeader();
    const host::db::Statement* statement = runWrite(UpdateSql::Kind::Modify, newValues, oldValues);
    if (!statement)
        return;   // the row changed nothing
    if (update_->guardsRow(UpdateSql::Kind::Modify) && statement->rowsAffected() == 0)
        refuseChangedRow(oldValues);
    noteRowsWritten(*transaction_, *this);
}

void Query::writeDelete(RowValues oldValues)
{
    requireUpdate(UpdateSql::Kind::Delete, "delete");
    const host::db::Statement* statement = runWrite(UpdateSql::Kind::Delete, oldValues, oldValues);
    if (update_->guardsRow(UpdateSql::Kind::Delete) && statement->rowsAffected() == 0)
        refuseChangedRow(oldValues);
    noteRowsWritten(*transaction_, *this);
}

// The record named by its key as the user knows it: the key fields' labels
// (when they have one of their own) and values.
void Query::refuseChangedRow(RowValues oldValues) const
{
    QStringList names;
    for (const QString& key : update_->keyColumns()) {
        const Field* field = findField(key);
        const int slot = slotOf(key);
        if (!field || slot < 0 || size_t(slot) >= oldValues.size())
            continue;
        const QString value = oldValues[size_t(slot)].toString();
        const QString label = userLabel(*field);
        names << (label.isEmpty() ? value : label + " " + value);
    }
    throw RecordChangedError("O registro foi alterado por outro usuário. Recarregue e tente de novo.",
                             names.join(", "));
}

bool Query::readRow(MutableRowValues row)
{
    if (!update_ || update_->blank_[size_t(UpdateSql::Kind::Refresh)])
        return false;
    host::db::Statement& statement = *update_->run(UpdateSql::Kind::Refresh, row, row);
    rowReadFound_ = statement.cursorOpen() && statement.fetch();
    if (rowReadFound_) {
        // Each column's slot found by name once per statement and binding
        // of the fields, not for every row read again; the row read into
        // them in one pass (a header of a hundred columns, mostly nulls, is
        // read again after every post).
        statement.rowInto(row, update_->resultSlots(UpdateSql::Kind::Refresh));
    }
    if (statement.cursorOpen())
        statement.closeCursor();
    return true;
}

void Query::setKeyedRead(const QString& keyField, const QString& sql)
{
    keyedField_ = keyField.trimmed();
    keyedSql_ = sql;
}

bool Query::readsByKey(const QString& keyField) const
{
    return !keyedSql_.isEmpty() && keyField.compare(keyedField_, Qt::CaseInsensitive) == 0;
}

// A key read once while the query stays open: the combos of a window that
// show one customer ask for it once each.
QVariantList Query::readByKey(const QVariant& key, const QStringList& fieldNames)
{
    auto row = keyedRows_.find(key.toString());
    if (row == keyedRows_.end()) {
        std::shared_ptr<host::db::Statement> statement = transaction_->prepared(keyedSql_);
        statement->setParam(0, key);
        statement->execute();
        QVariantMap values;
        if (statement->fetch())
            for (int c = 0; c < statement->columnCount(); ++c)
                values.insert(statement->column(c).alias.toUpper(), statement->value(c));
        if (statement->cursorOpen())
            statement->closeCursor();
        row = keyedRows_.insert(key.toString(), values);
    }
    QVariantList values;
    if (!row->isEmpty())
        for (const QString& name : fieldNames)
            values << row->value(name.toUpper());
    return values;
}

QString Query::sqlWithParams() const
{
    QString out;
    const QString& s = sql_;
    const int n = int(s.size());
    int i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == '\'' || c == '"') {
            const int end = s.indexOf(c, i + 1);
            const int stop = end < 0 ? n : end + 1;
            out += s.mid(i, stop - i);
            i = stop;
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            const int end = s.indexOf('\n', i);
            const int stop = end < 0 ? n : end;
            out += s.mid(i, stop - i);
            i = stop;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            const int end = s.indexOf("*/", i + 2);
            const int stop = end < 0 ? n : end + 2;
            out += s.mid(i, stop - i);
            i = stop;
        } else if (c == ':' && i + 1 < n && isIdentifierChar(s[i + 1])) {
            int j = i + 1;
            while (j < n && isIdentifierChar(s[j]))
                ++j;
            const Param* param = findParam(s.mid(i + 1, j - i - 1));
            out += param ? sqlLiteral(param->value()) : s.mid(i, j - i);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace host::data
