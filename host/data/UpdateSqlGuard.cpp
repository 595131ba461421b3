// UpdateSql: the guarded form of an update or delete by key. Its condition
// also compares every column the update writes with the value as read, so a
// row another desk changed since it was read is touched by no statement and
// the query refuses the write, without reading the row again first.
#include "host/data/UpdateSql.h"

#include "host/data/Query.h"
#include "host/db/Database.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace host::data {

namespace {

// "update T set <sets> where <condition>" and "delete from T where <condition>".
const QRegularExpression& updateByKeyPattern()
{
    static const QRegularExpression pattern(R"(^\s*update\s+(\S+)\s+set\s+(.*?)\s+where\s+(.*?)\s*;?\s*$)",
                                             QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

const QRegularExpression& deleteByKeyPattern()
{
    static const QRegularExpression pattern(R"(^\s*delete\s+from\s+(\S+)\s+where\s+(.*?)\s*;?\s*$)",
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

// The assignments of a set list, split at its top-level commas.
QStringList topLevelItems(const QString& list)
{
    QStringList items;
    int depth = 0;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (c == ',' && depth == 0) {
            items << list.mid(start, i - start);
            start = i + 1;
        }
    }
    items << list.mid(start);
    return items;
}

// "X = :X" (the column takes its own field's value): X, else empty.
QString ownValueColumn(const QString& assignment)
{
    static const QRegularExpression pattern(R"(^\s*([A-Za-z_][A-Za-z0-9_$]*)\s*=\s*:([A-Za-z_][A-Za-z0-9_$]*)\s*$)");
    const QRegularExpressionMatch match = pattern.match(assignment);
    if (!match.hasMatch() || match.captured(1).compare(match.captured(2), Qt::CaseInsensitive) != 0)
        return {};
    return match.captured(1);
}

// The key columns of a condition: its "K = :OLD_K" terms.
QStringList keyColumnsOf(const QString& condition)
{
    static const QRegularExpression pattern(R"(([A-Za-z_][A-Za-z0-9_$]*)\s*=\s*:OLD_([A-Za-z_][A-Za-z0-9_$]*))",
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList keys;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(condition))
        if (match.captured(1).compare(match.captured(2), Qt::CaseInsensitive) == 0)
            keys << match.captured(2);
    return keys;
}

}  // namespace

const QStringList& UpdateSql::writtenColumns()
{
    const QString& modify = texts_[size_t(Kind::Modify)];
    if (writtenFrom_.constData() == modify.constData() && writtenFrom_.size() == modify.size())
        return written_;
    written_.clear();
    writtenFrom_ = modify;
    const QRegularExpressionMatch match = updateByKeyPattern().match(modify);
    if (!match.hasMatch())
        return written_;
    for (const QString& assignment : topLevelItems(match.captured(2))) {
        const QString column = ownValueColumn(assignment);
        if (!column.isEmpty())
            written_ << column;
    }
    return written_;
}

// "-": not compared (no value read, or a blob); "t": a date-time; "v": a value.
QString UpdateSql::guardShape(const QStringList& columns) const
{
    QString shape(columns.size(), '-');
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Field* field = query_ ? query_->findField(columns[i]) : nullptr;
        if (!field || query_->slotFor(columns[i]) < 0)
            continue;
        switch (field->dataType()) {
        case FieldType::Memo:
        case FieldType::Blob: break;
        case FieldType::DateTime:
        case FieldType::Date: shape[i] = 't'; break;
        default: shape[i] = 'v';
        }
    }
    return shape;
}

// Each column as read, nulls included; blobs are left out (the engine
// compares no blob with a value bound). A date-time read may stand for an
// earlier wall time the local zone skipped (read as the first one that
// exists): the guard takes that span too.
QString UpdateSql::guardCondition(const QStringList& columns) const
{
    const QString shape = guardShape(columns);
    QStringList terms;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (shape[i] == 't')
            terms << QString("(%1 is not distinct from :OLD_%1 or %1 between :%2%1 and :OLD_%1)")
                         .arg(columns[i], kEarliestPrefix);
        else if (shape[i] == 'v')
            terms << QString("%1 is not distinct from :OLD_%1").arg(columns[i]);
    }
    return terms.join("\n  and ");
}

// Made again only when the texts or the query's fields make another one.
QString UpdateSql::textToRun(Kind kind)
{
    const size_t k = size_t(kind);
    if (kind != Kind::Modify && kind != Kind::Delete) {
        guards_[k] = false;
        return texts_[k];
    }
    const QStringList& columns = writtenColumns();
    const QString shape = guardShape(columns);
    Guarded& kept = guarded_[k];
    if (kept.text == texts_[k] && kept.modifyText == texts_[size_t(Kind::Modify)] && kept.shape == shape &&
        !kept.run.isEmpty()) {
        guards_[k] = kept.guards;
        return kept.run;
    }
    kept.run = guardedText(kind);
    kept.text = texts_[k];
    kept.modifyText = texts_[size_t(Kind::Modify)];
    kept.shape = shape;
    kept.guards = guards_[k];
    return kept.run;
}

QString UpdateSql::guardedText(Kind kind)
{
    const size_t k = size_t(kind);
    guards_[k] = false;
    if (kind != Kind::Modify && kind != Kind::Delete)
        return texts_[k];
    const QRegularExpressionMatch match =
        (kind == Kind::Modify ? updateByKeyPattern() : deleteByKeyPattern()).match(texts_[k]);
    if (!match.hasMatch())
        return texts_[k];
    const QString condition = match.captured(kind == Kind::Modify ? 3 : 2);
    const QStringList keys = keyColumnsOf(condition);
    if (keys.isEmpty())
        return texts_[k];   // not a row by its key: what it touches is not one row read
    guards_[k] = true;
    keyColumns_ = keys;
    // The delete compares the same columns as the update of the same table.
    const QRegularExpressionMatch modify = updateByKeyPattern().match(texts_[size_t(Kind::Modify)]);
    if (kind == Kind::Delete && (!modify.hasMatch() || modify.captured(1).compare(match.captured(1),
                                                                                  Qt::CaseInsensitive) != 0))
        return texts_[k];
    const QString guard = guardCondition(writtenColumns());
    if (guard.isEmpty())
        return texts_[k];
    const qsizetype at = match.capturedStart(kind == Kind::Modify ? 3 : 2);
    return texts_[k].left(at) + "(" + condition + ")\n  and " + guard;
}

namespace {

// Conservative: values of different kinds count as changed (written).
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a.typeId() == b.typeId() && a == b;
}

}  // namespace

// Only an update by key whose rows are guarded leaves columns out: another
// text writes what it says, whatever the row holds.
QString UpdateSql::unchangedAssignments(std::span<const QVariant> newValues, std::span<const QVariant> oldValues)
{
    const QString& modify = texts_[size_t(Kind::Modify)];
    const bool sameText = assignmentsFrom_.constData() == modify.constData() && assignmentsFrom_.size() == modify.size();
    if (!sameText || assignmentsFor_ != query_->fieldBindingsFor())
        readAssignments();
    if (partialKeys_.isEmpty())
        return {};
    QString leftOut(qsizetype(assignments_.size()), u'0');
    bool any = false;
    for (size_t i = 0; i < assignments_.size(); ++i) {
        const int slot = assignments_[i].slot;
        if (slot < 0 || size_t(slot) >= newValues.size() || size_t(slot) >= oldValues.size())
            continue;
        if (sameValue(newValues[size_t(slot)], oldValues[size_t(slot)])) {
            leftOut[qsizetype(i)] = u'1';
            any = true;
        }
    }
    if (any) {
        guards_[size_t(Kind::Modify)] = true;
        keyColumns_ = partialKeys_;
    }
    return any ? leftOut : QString();
}

void UpdateSql::readAssignments()
{
    const QString& modify = texts_[size_t(Kind::Modify)];
    assignments_.clear();
    partials_.clear();
    partialKeys_.clear();
    assignmentsFrom_ = modify;
    assignmentsFor_ = query_->fieldBindingsFor();
    const QRegularExpressionMatch match = updateByKeyPattern().match(modify);
    if (!match.hasMatch())
        return;
    partialKeys_ = keyColumnsOf(match.captured(3));
    // The guard compares the columns as read: without one, a column left
    // out could hide nothing, but the row would no longer be checked.
    if (guardCondition(writtenColumns()).isEmpty())
        partialKeys_.clear();
    for (const QString& item : topLevelItems(match.captured(2))) {
        const QString column = ownValueColumn(item);
        assignments_.push_back({item, column, column.isEmpty() ? -1 : query_->slotFor(column)});
    }
}

host::db::Statement& UpdateSql::partialStatement(const QString& leftOut)
{
    host::db::Transaction* transaction = query_->transaction();
    if (!transaction)
        throw DatasetError(QString("%1: sem consulta ou transação.").arg(name()));
    if (partialsFor_ != transaction) {
        partials_.clear();
        partialsFor_ = transaction;
    }
    Partial& partial = partials_[leftOut];
    if (!partial.statement) {
        auto statement = std::make_unique<host::db::Statement>(*transaction);
        statement->prepare(partialText(leftOut));
        partial.statement = std::move(statement);
        partial.sources.valid = false;
    }
    return *partial.statement;
}

// The update by key with the unchanged assignments left out. Its guard is
// the whole update's: every column it would write is still compared with
// its value as read, so another desk's change of any of them is refused.
QString UpdateSql::partialText(const QString& leftOut)
{
    const QRegularExpressionMatch match = updateByKeyPattern().match(texts_[size_t(Kind::Modify)]);
    QStringList sets;
    for (size_t i = 0; i < assignments_.size(); ++i)
        if (leftOut[qsizetype(i)] != u'1')
            sets << assignments_[i].text.trimmed();
    return "update " + match.captured(1) + " set " + sets.join(", ") + " where (" + match.captured(3) + ")\n  and " +
           guardCondition(writtenColumns());
}

QVariant UpdateSql::earliestWallTime(const QVariant& read)
{
    if (read.typeId() != QMetaType::QDateTime)
        return read;
    const QDateTime value = read.toDateTime();
    const QTime time = value.time();
    QTime earliest = time;
    // The reading moves a skipped wall time to the gap's end: every wall time
    // from the gap's start (half hours back while they do not exist) reads as it.
    for (int minutes = 30; minutes <= 180 && time.msecsSinceStartOfDay() >= minutes * 60000; minutes += 30) {
        const QTime before = time.addSecs(-minutes * 60);
        if (QDateTime(value.date(), before).isValid())
            break;
        earliest = before;
    }
    if (earliest == time)
        return read;
    // A wall time of no zone: bound as the date and time it holds.
    return QDateTime(value.date(), earliest, Qt::UTC);
}

}  // namespace host::data
