// The configured-line handlers of the assistance orders: bound now so every
// event reaches its handler; each body says what it will do.

#include "data/uDataTec.h"
#include "host/Udmglobal.h"

using host::data::Dataset;

namespace {
// The configured-line rules (stock, serial numbers, back-orders) are not
// written yet: a line saved or deleted without them would be a wrong record,
// so both are refused with a message instead of passing silently.
[[noreturn]] void recusarPedidoAssistencia()
{
    dmGlobal->MostraErro("Pedidos de assistência ainda não podem ser gravados ou excluídos.");
}
}


// Configured-line defaults and COD.
void TdmTec::quAssVendaCotadoNewRecord(Dataset&) {}

// Stock check and back-order.
void TdmTec::quAssVendaCotadoBeforePost(Dataset&) { recusarPedidoAssistencia(); }

// Commit.
void TdmTec::quAssVendaCotadoAfterPost(Dataset&) {}

// Serial numbers released.
void TdmTec::quAssVendaCotadoBeforeDelete(Dataset&) { recusarPedidoAssistencia(); }

// Commit.
void TdmTec::quAssVendaCotadoAfterDelete(Dataset&) {}

