#include "host/db/RowHold.h"

namespace host::db {

bool isRowConflict(const std::exception& error)
{
    const auto* banco = dynamic_cast<const DbError*>(&error);
    if (!banco)
        return false;
    switch (banco->gdsCode()) {
    case 335544345:   // lock conflict on no wait transaction
    case 335544336:   // deadlock
    case 335544451:   // update conflicts with concurrent update
    case 335544665:   // violation of PRIMARY or UNIQUE KEY constraint
    case 335544349:   // attempt to store duplicate value in unique index
        return true;
    default:
        return false;
    }
}

RowsHeld holdRows(Transaction& tr, QStringView table, NamedParams key, const QString& condition, QStringView column)
{
    const QString set = column.isEmpty() ? key.begin()->first.toString() : column.toString();
    QString sql = QStringLiteral("update ");
    sql.append(table).append(QLatin1String(" set ")).append(set).append(QLatin1String(" = ")).append(set);
    QLatin1String juncao(" where ");
    for (const auto& par : key) {
        const QString coluna = par.first.toString();
        sql.append(juncao).append(coluna).append(QLatin1String(" = :")).append(coluna);
        juncao = QLatin1String(" and ");
    }
    if (!condition.isEmpty())
        sql.append(juncao).append(condition);
    try {
        return RowsHeld(executeSql(tr, sql, key));
    } catch (const DbError& erro) {
        if (!isRowConflict(erro))
            throw;
        return {};
    }
}

}  // namespace host::db
