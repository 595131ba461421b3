// The handlers whose rules belong to the service-order, line, register,
// request and assistance-order rules: bound now so every event reaches its
// handler; each body says what it will do.

#include "data/uDataTec.h"

using host::data::Dataset;


// Order or proposal defaults.
void TdmTec::quAssVendaNewRecord(Dataset&) {}

// Number at first save, dates, hook.
void TdmTec::quAssVendaBeforePost(Dataset&) {}

// Commit and hook.
void TdmTec::quAssVendaAfterPost(Dataset&) {}

// Contacts of the customer.
void TdmTec::quAssVendaAfterScroll(Dataset&) {}

// Nothing.
void TdmTec::quAssVendaAfterOpen(Dataset&) {}

// Password, refusals and the order's dependants.
void TdmTec::quAssVendaBeforeDelete(Dataset&) {}

// Audit and hook.
void TdmTec::quAssVendaAfterDelete(Dataset&) {}

// Line defaults and COD.
void TdmTec::quAssVendaItemNewRecord(Dataset&) {}

// Header saved first.
void TdmTec::quAssVendaItemBeforeInsert(Dataset&) {}

// Quantity and total chain.
void TdmTec::quAssVendaItemBeforePost(Dataset&) {}

// Order totals and commit.
void TdmTec::quAssVendaItemAfterPost(Dataset&) {}

// Reservation and serial numbers released.
void TdmTec::quAssVendaItemBeforeDelete(Dataset&) {}

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
void TdmTec::quAssVendaCotadoBeforePost(Dataset&) {}

// Commit.
void TdmTec::quAssVendaCotadoAfterPost(Dataset&) {}

// Serial numbers released.
void TdmTec::quAssVendaCotadoBeforeDelete(Dataset&) {}

// Commit.
void TdmTec::quAssVendaCotadoAfterDelete(Dataset&) {}

// VeCodigo from the current order.
void TdmTec::quAssVendaObsBeforeOpen(Dataset&) {}

// VECODIGO from the current order.
void TdmTec::quAssVendaObsBeforePost(Dataset&) {}

// Audit of a cancelled edit.
void TdmTec::quAssVendaObsAfterCancel(Dataset&) {}

// Fills a new order from the latest earlier order of the equipment or plate.
void TdmTec::NovaOSEquipamentoPreExistente(const QString&, const QString&, bool) {}
