// Conditions on a whole day for a timestamp column.

#include "host/FiltroDia.h"

namespace host {

namespace {

// The day's midnight as an SQL literal, written from the date alone (no
// local moment is made, so no zone moves it); no day is null, which no row
// matches.
QString meiaNoiteSQL(const QDate& dia)
{
    return dia.isValid() ? "'" + dia.toString("MM/dd/yyyy") + "'" : QStringLiteral("null");
}

}  // namespace

QDateTime inicioDoDia(const QDate& dia) { return QDateTime(dia, QTime(0, 0), Qt::UTC); }

QDateTime fimExclusivoDoDia(const QDate& dia) { return inicioDoDia(dia.addDays(1)); }

QString condicaoNoDia(const QString& coluna, const QDate& dia)
{
    return condicaoDesdeODia(coluna, dia) + " and " + condicaoAteODia(coluna, dia);
}

QString condicaoDesdeODia(const QString& coluna, const QDate& dia) { return coluna + " >= " + meiaNoiteSQL(dia); }

QString condicaoAteODia(const QString& coluna, const QDate& dia)
{
    return coluna + " < " + meiaNoiteSQL(dia.addDays(1));
}

}  // namespace host
