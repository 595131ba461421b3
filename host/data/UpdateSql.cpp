// UpdateSql: binds a row's new and old values to the write statements.
#include "host/data/UpdateSql.h"

#include "host/data/Query.h"
#include "host/db/Database.h"

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
}

void UpdateSql::releaseStatements()
{
    for (size_t k = 0; k < statements_.size(); ++k) {
        statements_[k].reset();
        preparedFor_[k] = nullptr;
        preparedText_[k].clear();
    }
}

host::db::Statement& UpdateSql::prepared(Kind kind)
{
    const size_t k = size_t(kind);
    host::db::Transaction* transaction = query_ ? query_->transaction() : nullptr;
    if (!transaction)
        throw DatasetError(QString("%1: sem consulta ou transação.").arg(name()));
    if (!statements_[k] || preparedFor_[k] != transaction || preparedText_[k] != texts_[k]) {
        statements_[k].reset();
        auto statement = std::make_unique<host::db::Statement>(*transaction);
        statement->prepare(texts_[k]);
        statements_[k] = std::move(statement);
        preparedFor_[k] = transaction;
        preparedText_[k] = texts_[k];
        vinculos_[k].clear();
        for (const QString& param : statements_[k]->paramNames()) {
            const bool antigo = param.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
            vinculos_[k].push_back({antigo, antigo ? param.mid(4) : param});
        }
    }
    return *statements_[k];
}

host::db::Statement& UpdateSql::run(Kind kind, const std::vector<QVariant>& newValues,
                                    const std::vector<QVariant>& oldValues)
{
    host::db::Statement& statement = prepared(kind);
    if (statement.cursorOpen())
        statement.closeCursor();
    const std::vector<Vinculo>& vinculos = vinculos_[size_t(kind)];
    const QStringList& names = statement.paramNames();
    for (int i = 0; i < int(vinculos.size()); ++i) {
        const Vinculo& vinculo = vinculos[size_t(i)];
        const QVariant* value = nullptr;
        if (vinculo.antigo)
            value = query_->valueFor(oldValues, vinculo.campo);
        // ":OLD_X" with no field X is a field of that very name.
        if (!value)
            value = query_->valueFor(newValues, names[i]);
        statement.setParam(i, value ? *value : QVariant());
    }
    statement.execute();
    return statement;
}

}  // namespace host::data
