#pragma once
// Next numbers of numbered documents (sales orders, invoices), per document
// kind, series and branch, kept in the table NUMERACAO.

#include "host/db/Database.h"

#include <QString>

#include <functional>

namespace host {

struct SerieNumeracao {
    QString documento; // the kind: the table the numbers go to
    QString serie;
    QString local;
};

// What the counter needs of the documents' own table: the largest number
// stored there (to start a counter, or to catch up with numbers written by
// other means) and whether one number is already taken.
struct NumerosGravados {
    std::function<qint64()> maior;
    std::function<bool(qint64)> existe;
    // The same test as an SQL condition ("exists (select ...)") on :NUMERO,
    // the number as six digits, and on the series' :SERIE and :LOCAL: the
    // number is then taken and tested in one statement.
    QString existeSql;
};

// The next number of the series, taken inside the caller's transaction: the
// counter row stays locked until that transaction ends, and undoing the
// caller's work (a rollback, a savepoint) gives the number back, so numbers
// have no gaps and never repeat. A counter held by another desk is waited for
// a little; past that the error of the engine is raised.
qint64 ProximoNumeroSerie(db::Transaction& tr, const SerieNumeracao& serie, const NumerosGravados& gravados);

// The next number of a stock or invoice document (ACEM1401) of the series at
// the branch, six digits, from the series' counter (started at the largest
// numeric document stored): numbers never repeat, and work undone gives its
// number back, so a series has no gaps.
QString ProximoNumeroDocumentoEstoque(db::Transaction& tr, const QString& serie, const QString& local);

} // namespace host
