// Named-parameter parsing, one-shot statements and metadata look-ups.

#include "host/db/FbApi.h"
#include "host/db/KeptByText.h"

#include <ibase.h>

namespace host::db {

bool ColumnInfo::isNumeric() const {
    switch (type) {
    case ColumnType::SmallInt:
    case ColumnType::Integer:
    case ColumnType::BigInt:
    case ColumnType::Float:
    case ColumnType::Double: return true;
    default: return false;
    }
}

bool ColumnInfo::isText() const { return type == ColumnType::Char || type == ColumnType::VarChar; }

namespace {

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$'; }

// Index just past a quoted literal that starts at `i` (a doubled quote stays inside).
qsizetype skipQuoted(const QString& sql, qsizetype i) {
    const QChar quote = sql[i];
    for (++i; i < sql.size(); ++i) {
        if (sql[i] != quote) continue;
        if (i + 1 < sql.size() && sql[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return i;
}

}  // namespace

namespace {

ParsedSql parseText(const QString& sql) {
    ParsedSql out;
    out.text.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == '\'' || c == '"') {
            const qsizetype end = skipQuoted(sql, i);
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            qsizetype end = sql.indexOf('\n', i);
            if (end < 0) end = sql.size();
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            qsizetype end = sql.indexOf("*/", i + 2);
            end = end < 0 ? sql.size() : end + 2;
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < sql.size() && isNameChar(sql[i + 1]) &&
                   (i == 0 || !isNameChar(sql[i - 1]))) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNameChar(sql[end])) ++end;
            out.names.append(sql.mid(i + 1, end - i - 1).toUpper());
            out.text += '?';
            i = end;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}

}  // namespace

// A rule that switches one query between a few texts, row after row, asks
// for the same texts again and again: each is parsed once and kept (a
// bounded number of them; the shared strings make a kept result cheap to hand out).
ParsedSql parseNamedParams(const QString& sql) {
    thread_local QHash<QString, ParsedSql> parsed;
    return keptByText<ParsedSql, 512>(parsed, sql, parseText);
}

namespace {

// The kept statement for a text with parameters; a text without them is
// usually built for one row (literals in it): kept only once asked again.
std::shared_ptr<Statement> statementFor(Transaction& tr, const QString& sql, const QVariantMap& params) {
    if (params.isEmpty()) return tr.preparedIfRepeated(sql);
    std::shared_ptr<Statement> st = tr.prepared(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        st->setParam(it.key(), it.value());
    return st;
}

std::shared_ptr<Statement> statementFor(Transaction& tr, const QString& sql, NamedParams params) {
    if (params.size() == 0) return tr.preparedIfRepeated(sql);
    std::shared_ptr<Statement> st = tr.prepared(sql);
    for (const auto& [name, value] : params) st->setParam(name, value);
    return st;
}

QVariant firstValue(Statement& st) {
    st.execute();
    if (!st.fetch()) return QVariant();
    QVariant v = st.value(0);
    st.closeCursor();
    return v;
}

} // namespace

QVariant selectValue(Transaction& tr, const QString& sql, const QVariantMap& params) {
    return firstValue(*statementFor(tr, sql, params));
}

QVariant selectValue(Transaction& tr, const QString& sql, NamedParams params) {
    return firstValue(*statementFor(tr, sql, params));
}

AffectedRows::operator int() const { return statement_->rowsAffected(); }

AffectedRows executeSql(Transaction& tr, const QString& sql, const QVariantMap& params) {
    std::shared_ptr<Statement> st = statementFor(tr, sql, params);
    st->execute();
    return AffectedRows(std::move(st));
}

AffectedRows executeSql(Transaction& tr, const QString& sql, NamedParams params) {
    std::shared_ptr<Statement> st = statementFor(tr, sql, params);
    st->execute();
    return AffectedRows(std::move(st));
}

qint64 generatorValue(Transaction& tr, const QString& generator, int increment) {
    return selectValue(tr, QString("select gen_id(%1, %2) from rdb$database").arg(generator).arg(increment))
        .toLongLong();
}

bool tableExists(Transaction& tr, const QString& table) {
    return selectValue(tr, "select 1 from rdb$relations where rdb$relation_name = :T",
                       {{"T", table.trimmed().toUpper()}})
        .isValid();
}

bool columnExists(Transaction& tr, const QString& table, const QString& column) {
    return selectValue(tr,
                       "select 1 from rdb$relation_fields where rdb$relation_name = :T "
                       "and rdb$field_name = :C",
                       {{"T", table.trimmed().toUpper()}, {"C", column.trimmed().toUpper()}})
        .isValid();
}

bool generatorExists(Transaction& tr, const QString& generator) {
    return selectValue(tr, "select 1 from rdb$generators where rdb$generator_name = :G",
                       {{"G", generator.trimmed().toUpper()}})
        .isValid();
}

int columnLength(Transaction& tr, const QString& table, const QString& column) {
    const QVariant v = selectValue(
        tr,
        "select coalesce(f.rdb$character_length, f.rdb$field_length) from rdb$relation_fields r "
        "join rdb$fields f on f.rdb$field_name = r.rdb$field_source "
        "where r.rdb$relation_name = :T and r.rdb$field_name = :C",
        {{"T", table.trimmed().toUpper()}, {"C", column.trimmed().toUpper()}});
    return v.isValid() ? v.toInt() : -1;
}

QStringList tableColumns(Transaction& tr, const QString& table) {
    Statement st(tr,
                 "select rdb$field_name from rdb$relation_fields where rdb$relation_name = :T "
                 "order by rdb$field_position");
    st.setParam("T", table.trimmed().toUpper());
    st.execute();
    QStringList names;
    while (st.fetch()) names.append(st.value(0).toString().trimmed());
    return names;
}

}  // namespace host::db
