// The handlers whose rules belong to the service-order, line, register,
// request and assistance-order rules: bound now so every event reaches its
// handler; each body says what it will do.

#include "data/uDataTec.h"
#include "host/Udmglobal.h"

using host::data::Dataset;

namespace {
// The assistance-order rules (keys, defaults, totals) are not written yet:
// a row saved or deleted without them would be a wrong record, so both are
// refused with a message instead of passing silently.
[[noreturn]] void recusarPedidoAssistencia()
{
    dmGlobal->MostraErro("Pedidos de assistência ainda não podem ser gravados ou excluídos.");
}
}


// Order or proposal defaults.
void TdmTec::quAssVendaNewRecord(Dataset&) {}

// Number at first save, dates, hook.
void TdmTec::quAssVendaBeforePost(Dataset&) { recusarPedidoAssistencia(); }

// Commit and hook.
void TdmTec::quAssVendaAfterPost(Dataset&) {}

// Contacts of the customer.
void TdmTec::quAssVendaAfterScroll(Dataset&) {}

// Nothing.
void TdmTec::quAssVendaAfterOpen(Dataset&) {}

// Password, refusals and the order's dependants.
void TdmTec::quAssVendaBeforeDelete(Dataset&) { recusarPedidoAssistencia(); }

// Audit and hook.
void TdmTec::quAssVendaAfterDelete(Dataset&) {}

// Line defaults and COD.
void TdmTec::quAssVendaItemNewRecord(Dataset&) {}

// Header saved first.
void TdmTec::quAssVendaItemBeforeInsert(Dataset&) {}

// Quantity and total chain.
void TdmTec::quAssVendaItemBeforePost(Dataset&) { recusarPedidoAssistencia(); }

// Order totals and commit.
void TdmTec::quAssVendaItemAfterPost(Dataset&) {}

// Reservation and serial numbers released.
void TdmTec::quAssVendaItemBeforeDelete(Dataset&) { recusarPedidoAssistencia(); }

// Order totals and commit.
void TdmTec::quAssVendaItemAfterDelete(Dataset&) {}

// Stock of the current line.
void TdmTec::quAssVendaItemAfterScroll(Dataset&) {}

// Hook.
void TdmTec::quAssVendaItemBeforeClose(Dataset&) {}

// Computed line values.
void TdmTec::quAssVendaItemCalcFields(Dataset&) {}

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

// VeCodigo from the current order.
void TdmTec::quAssVendaObsBeforeOpen(Dataset&) {}

// VECODIGO from the current order.
void TdmTec::quAssVendaObsBeforePost(Dataset&) { recusarPedidoAssistencia(); }

// Audit of a cancelled edit.
void TdmTec::quAssVendaObsAfterCancel(Dataset&) {}
