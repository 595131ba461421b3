// UpdateSql: binds a row's new and old values to the write statements.
#include "host/data/UpdateSql.h"

#include "host/data/Query.h"
#include "host/db/Database.h"

#include <algorithm>

namespace host::data {

UpdateSql::UpdateSql(host::Component* owner, const QString& name) : host::Component(owner, name) {}

UpdateSql::~UpdateSql()
{
    if (query_ && query_->updateObject() == this)
        query_->setUpdateObject(nullptr);
}

void UpdateSql::setSql(Kind kind, const QString& sql)
{
    texts_[size_t(kind)] = sql;
    blank_[size_t(kind)] = std::all_of(sql.cbegin(), sql.cend(), [](QChar c) { return c.isSpace(); });
}

void UpdateSql::releaseStatements()
{
    for (size_t k = 0; k < statements_.size(); ++k) {
        statements_[k].reset();
        preparedFor_[k] = nullptr;
        preparedText_[k].clear();
        sources_[k].valid = false;
    }
    partials_.clear();
    partialsFor_ = nullptr;
}

host::db::Statement& UpdateSql::prepared(Kind kind)
{
    const size_t k = size_t(kind);
    host::db::Transaction* transaction = query_ ? query_->transaction() : nullptr;
    if (!transaction)
        throw DatasetError(QString("%1: sem consulta ou transação.").arg(name()));
    // The text kept shares the one set until it is replaced: the same data is
    // the same text, without comparing it for every row written. A text set
    // again as it was is shared from then on.
    bool sameText = preparedText_[k].constData() == texts_[k].constData() &&
                    preparedText_[k].size() == texts_[k].size();
    if (!sameText && preparedText_[k] == texts_[k]) {
        preparedText_[k] = texts_[k];
        sameText = true;
    }
    const bool sameFields = guardValid_[k] && guardedFor_[k] == query_->fieldBindingsFor();
    if (statements_[k] && preparedFor_[k] == transaction && sameText && sameFields)
        return *statements_[k];
    // The guard compares the fields the query has: other fields, maybe another text.
    QString text = textToRun(kind);
    guardedFor_[k] = query_->fieldBindingsFor();
    guardValid_[k] = true;
    if (!statements_[k] || preparedFor_[k] != transaction || !sameText || text != statements_[k]->sql()) {
        // Forgotten before the statement goes: a text that then fails to
        // prepare must leave nothing that points at it.
        sources_[k].valid = false;
        statements_[k].reset();
        auto statement = std::make_unique<host::db::Statement>(*transaction);
        statement->prepare(text);
        statements_[k] = std::move(statement);
        preparedFor_[k] = transaction;
        preparedText_[k] = texts_[k];
    }
    return *statements_[k];
}

const std::vector<UpdateSql::Source>& UpdateSql::sourcesFor(Kind kind, const host::db::Statement& statement)
{
    return findSources(sources_[size_t(kind)], statement).params;
}

UpdateSql::Sources& UpdateSql::findSources(Sources& sources, const host::db::Statement& statement)
{
    if (sources.valid && sources.fieldBindings == query_->fieldBindingsFor())
        return sources;
    sources.params.clear();
    sources.columns.clear();
    for (int c = 0; c < statement.columnCount(); ++c) {
        const host::db::ColumnInfo& column = statement.column(c);
        sources.columns.push_back(query_->slotFor(column.alias.isEmpty() ? column.name : column.alias));
    }
    for (const QString& param : statement.paramNames()) {
        Source source;
        if (param.startsWith(u"OLD_", Qt::CaseInsensitive))
            source.oldSlot = query_->slotFor(param.mid(4));
        else if (param.startsWith(kEarliestPrefix, Qt::CaseInsensitive))
            source.earliestOf = query_->slotFor(param.mid(kEarliestPrefix.size()));
        source.newSlot = query_->slotFor(param);
        sources.params.push_back(source);
    }
    sources.valid = true;
    sources.fieldBindings = query_->fieldBindingsFor();
    return sources;
}

const std::vector<int>& UpdateSql::resultSlots(Kind kind)
{
    sourcesFor(kind, prepared(kind));
    return sources_[size_t(kind)].columns;
}

host::db::Statement* UpdateSql::run(Kind kind, std::span<const QVariant> newValues,
                                    std::span<const QVariant> oldValues)
{
    if (kind == Kind::Modify && changedOnly_) {
        const QString leftOut = unchangedAssignments(newValues, oldValues);
        if (!leftOut.isEmpty()) {
            if (!leftOut.contains(u'0'))
                return nullptr;   // nothing changed: nothing to write, nothing to refuse
            host::db::Statement& statement = partialStatement(leftOut);
            bindAndRun(statement, findSources(partials_[leftOut].sources, statement).params, newValues, oldValues);
            return &statement;
        }
    }
    // The statement and sources found for the last row while text,
    // transaction and field bindings stay the same.
    host::db::Statement& statement = prepared(kind);
    bindAndRun(statement, sourcesFor(kind, statement), newValues, oldValues);
    return &statement;
}

void UpdateSql::bindAndRun(host::db::Statement& statement, const std::vector<Source>& sources,
                           std::span<const QVariant> newValues, std::span<const QVariant> oldValues)
{
    // A cursor left open is closed by the execution itself.
    static const QVariant null;
    // Bound from the row's own cells: no copy of the values per parameter.
    // The buffers only grow: the statements of a query (an insert, a
    // modify, a refresh) take turns row after row, each with its own count,
    // and a shrink destroys what the next growth makes again.
    const size_t count = sources.size();
    if (bound_.size() < count)
        bound_.resize(count);
    const std::span<const QVariant* const> bound(bound_.data(), count);
    if (oldValues.empty()) {
        // A new row (no old values, nothing earliest): each parameter is its
        // field's cell, a row after another.
        for (size_t i = 0; i < count; ++i) {
            const size_t slot = size_t(sources[i].newSlot);   // -1: beyond any row
            bound_[i] = slot < newValues.size() ? &newValues[slot] : &null;
        }
        statement.execute(bound);
        return;
    }
    if (computed_.size() < count)
        computed_.resize(count);
    // A slot of -1 is beyond any row as an unsigned index: one comparison each.
    for (size_t i = 0; i < count; ++i) {
        const Source& source = sources[i];
        if (const size_t read = size_t(source.earliestOf); read < oldValues.size()) {
            computed_[i] = earliestWallTime(oldValues[read]);
            bound_[i] = &computed_[i];
        } else if (const size_t old = size_t(source.oldSlot); old < oldValues.size()) {
            bound_[i] = &oldValues[old];
        } else if (const size_t slot = size_t(source.newSlot); slot < newValues.size()) {
            bound_[i] = &newValues[slot];
        } else {
            bound_[i] = &null;
        }
    }
    statement.execute(bound);
}

}  // namespace host::data
