#pragma once
// Conditions on a whole day for a timestamp column. The engine keeps a wall
// date and time of no zone: a day runs from its midnight to the next one as
// the engine reads them. A day whose midnight the local zone skipped (summer
// time in Brazil began at 00:00) has rows stored at 01:00 (made from the
// local day) beside rows stored at 00:00 (written as text, or by another
// program): a comparison with the typed day's midnight alone misses the
// first or takes them for the day before. Ranges keep the column's index.

#include <QDateTime>
#include <QString>

namespace host {

// The day's midnight as the engine keeps it, for a parameter: a wall time of
// no zone, bound as the date and time it holds whatever the local zone.
QDateTime inicioDoDia(const QDate& dia);
// The next day's midnight, the end (excluded) of the day.
QDateTime fimExclusivoDoDia(const QDate& dia);

// "coluna >= 'd' and coluna < 'd+1'": every moment of the day. No day (an
// invalid date) is written as null, which no row matches.
QString condicaoNoDia(const QString& coluna, const QDate& dia);
// "coluna >= 'd'": from the day's midnight on.
QString condicaoDesdeODia(const QString& coluna, const QDate& dia);
// "coluna < 'd+1'": up to the day's end, the whole day included.
QString condicaoAteODia(const QString& coluna, const QDate& dia);

}  // namespace host
