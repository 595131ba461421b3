// Which handler the events of the totals, expenses, planned products and cost
// lines run.

#include "data/uDataTec.h"

using host::data::Field;

void TdmTec::bindTotalHandlers()
{
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    for (Field* desconto : {quOSAODESCONTO, quOSAODESCONTOPECA, quOSAODESCONTOSERVICO})
        desconto->onChange = onField(&TdmTec::quOSAODESCONTOChange);
}
