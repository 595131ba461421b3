#pragma once
// A document header whose totals follow its lines (a service order, an
// assistance order): another desk that saved a line rewrote those totals, so
// this desk's copy of the header is refused by the update guard although the
// user changed nothing of the other desk's. Its post-error handler reads the
// header again keeping what was typed, totals it from the lines as stored
// and writes it again; a change of anything else stays refused.

#include <QStringList>

#include <functional>

namespace host::data {
class Dataset;
}

namespace uDataTec {

// For a dataset's onPostError: true when the failure is another desk's
// change of `totais` alone; the header is then read again, `retotalizar`
// run and the write asked again (a bounded number of times in a row,
// counted in `tentativas`).
bool regravarComTotaisDeOutraMesa(host::data::Dataset& cabecalho, const QStringList& totais,
                                  const std::function<void()>& retotalizar, int& tentativas);

}  // namespace uDataTec
