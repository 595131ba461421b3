// Conditions on a whole day for a timestamp column.

#include "host/FiltroDia.h"

#include "host/Uglobal.h"

namespace host {

QDateTime inicioDoDia(const QDate& dia) { return QDateTime(dia, QTime(0, 0), Qt::UTC); }

QDateTime fimExclusivoDoDia(const QDate& dia) { return inicioDoDia(dia.addDays(1)); }

QString condicaoNoDia(const QString& coluna, const QDate& dia)
{
    return condicaoDesdeODia(coluna, dia) + " and " + condicaoAteODia(coluna, dia);
}

QString condicaoDesdeODia(const QString& coluna, const QDate& dia) { return coluna + " >= " + DateToSQL(dia); }

QString condicaoAteODia(const QString& coluna, const QDate& dia)
{
    return coluna + " < " + DateToSQL(dia.addDays(1));
}

}  // namespace host
