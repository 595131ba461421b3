// A header refused only for the totals another desk's line wrote: read
// again, totalled from the lines and written again (see the header).

#include "data/uDataTecTotaisOutraMesa.h"

#include "host/data/Dataset.h"

#include <exception>

namespace uDataTec {

bool regravarComTotaisDeOutraMesa(host::data::Dataset& cabecalho, const QStringList& totais,
                                  const std::function<void()>& retotalizar, int& tentativas)
{
    // Desks that keep saving lines meanwhile cannot hold this one forever.
    constexpr int kTentativas = 5;
    try {
        std::rethrow_exception(std::current_exception());
    } catch (const host::data::RecordChangedError&) {
    } catch (...) {
        return false;
    }
    if (cabecalho.state() != host::data::DatasetState::Edit || ++tentativas > kTentativas ||
        !cabecalho.rereadKeepingTyping(totais)) {
        tentativas = 0;
        return false;
    }
    retotalizar();
    cabecalho.retryPost();
    return true;
}

}  // namespace uDataTec
