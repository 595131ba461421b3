// The handlers whose rules belong to the service-order, line, register,
// request and assistance-order rules: bound now so every event reaches its
// handler; each body says what it will do.

#include "data/uDataTec.h"

using host::data::Dataset;

// Line defaults, item of the progress list, AACODIGO (max+1 per order).
void TdmTec::quOSAndamentoNewRecord(Dataset&) {}

// Default item of the order, then the edit guard.
void TdmTec::quOSAndamentoBeforeInsert(Dataset&) {}

// Edit guard.
void TdmTec::quOSAndamentoBeforeEdit(Dataset&) {}

// Worked minutes, hour pricing, line total.
void TdmTec::quOSAndamentoBeforePost(Dataset&) {}

// Commit, re-total of the order, hook.
void TdmTec::quOSAndamentoAfterPost(Dataset&) {}

// Audit and re-total of the order.
void TdmTec::quOSAndamentoAfterDelete(Dataset&) {}

// Commit retaining before the lines are read.
void TdmTec::quOSAndamentoBeforeOpen(Dataset&) {}

// TotalHoraReferente.
void TdmTec::quOSAndamentoCalcFields(Dataset&) {}

// ARSEQUENCIA (max+1 per order).
void TdmTec::quOSAcessoriosNewRecord(Dataset&) {}

// ADCODIGO (max+1).
void TdmTec::quDefeitoNewRecord(Dataset&) {}

// ATCODIGO (max+1), ATALTERARLAUDO "S".
void TdmTec::quTecnicosNewRecord(Dataset&) {}

// ATITSEQUENCIA (max+1 per technician).
void TdmTec::quTecEquipNewRecord(Dataset&) {}

// AECODIGO from CodigoDisponivelEquipamento.
void TdmTec::quEquipamentoNewRecord(Dataset&) {}

// AHCODIGO (max+1).
void TdmTec::quHoraTecnicaNewRecord(Dataset&) {}

// Hour prices filled forward; first hour required.
void TdmTec::quHoraTecnicaBeforePost(Dataset&) {}

// ACCODIGO (max+1) and defaults.
void TdmTec::quContratoNewRecord(Dataset&) {}

// Contract product created when asked.
void TdmTec::quContratoBeforePost(Dataset&) {}

// Commit.
void TdmTec::quContratoAfterPost(Dataset&) {}

// Saves the contract first.
void TdmTec::quContEquipBeforeInsert(Dataset&) {}

// COCODIGO (max+1 over equipment and services), contract address.
void TdmTec::quContEquipNewRecord(Dataset&) {}

// Remembers the address for the next row.
void TdmTec::quContEquipBeforePost(Dataset&) {}

// Saves the contract first.
void TdmTec::quContServBeforeInsert(Dataset&) {}

// COCODIGO (max+1 over equipment and services).
void TdmTec::quContServNewRecord(Dataset&) {}

// Service description from the product.
void TdmTec::quContServBeforePost(Dataset&) {}

// AICODIGO (max+1 over headers and items), AIID "C".
void TdmTec::quSolicitaNewRecord(Dataset&) {}

// Required fields; hook first.
void TdmTec::quSolicitaBeforePost(Dataset&) {}

// Commit and hook.
void TdmTec::quSolicitaAfterPost(Dataset&) {}

// Items deleted with the header.
void TdmTec::quSolicitaBeforeDelete(Dataset&) {}

// Commit.
void TdmTec::quSolicitaAfterDelete(Dataset&) {}

// AISEQUENCIA per request, AIID "I", dates.
void TdmTec::quSolicitaItNewRecord(Dataset&) {}

// Delivered quantity clamped to the quantity.
void TdmTec::quSolicitaItBeforePost(Dataset&) {}

// Closing question and commit.
void TdmTec::quSolicitaItAfterPost(Dataset&) {}

// AIENTSEQ (max+1).
void TdmTec::quSolicitacaoItEntNewRecord(Dataset&) {}

// Delivered quantity against the request item.
void TdmTec::quSolicitacaoItEntBeforePost(Dataset&) {}

// Request item quantities and commit.
void TdmTec::quSolicitacaoItEntAfterPost(Dataset&) {}

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
