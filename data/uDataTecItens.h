#pragma once
// Helpers of the order-item rules (uDataTecItens*.cpp), open to tests.

#include <QDateTime>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace host::data {
class Query;
}

// The manufacture date in the serial numbers of company 12: the fifth
// character is the year letter, the sixth the month letter. A letter out of
// the tables (or missing) gives "".
QString RetornaAnoNumeroSerie(const QString& letra);
QString RetornaMesNumeroSerie(const QString& letra);

namespace uDataTecItens {

// Opens the query on the statement (parameters by name), and gives the
// first row's values by upper-case column name (empty: no row). The query is
// closed on every path, so a rule that reads this way leaves a shared query
// free for the rules its own assignments fire.
QVariantMap primeiraLinha(host::data::Query& consulta, const QString& sql, const QVariantMap& parametros = {});

// The clock the manufacture-date rule compares with; tests set their own
// (an empty function puts the system clock back).
void setRelogio(std::function<QDateTime()> relogio);
QDateTime agora();

}  // namespace uDataTecItens
