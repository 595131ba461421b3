// The service lines that a saved order item generates, called by the item's
// after-post in this order: warranty line, vehicle check-list, remanufacture
// re-pricing, insurance question. They come with the service lines' rules
// (quOSAndamento), on which they post; until then a saved item generates no
// line.

#include "data/uDataTec.h"

// The warranty line of an authorised item with factory warranty.
void TdmTec::OSInserirGarantiaCorrente() {}

// One line per check item of the vehicle.
void TdmTec::InserirItemVerificacaoVeiculoOS(int, int, int, double) {}

// The approval date of the order and the line that stands for the item.
void TdmTec::AtualizarItemRemanufatura() {}

// The insurance line (product "101") of a vehicle, when the user wants it.
void TdmTec::PerguntarSeguroVeiculoOS() {}
