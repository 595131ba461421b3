#pragma once
// Contract items, customer equipment and the contract's standing charges
// (travel, hour rate) copied into the service order open in the
// service-order window, through the datasets of dmTec. The contract
// register's double clicks on its items grid and its equipment grid call
// the first two; the contract is the current row of
// dmTecContrato->quCtrCadastro, the item the current row of
// quCtrCadastroIt, the equipment the current row of quCtrCadastroEquip.

// The current contract item into the open order (ATUTILIZACONTRATOS "S"):
// the default item when the order has none, the contract's standing charges,
// then a service line of the item's product valued at the item's value or
// the product's list price, warranty "1" else "3". Says "Operação efetuada
// com sucesso!" only when it succeeded.
void InserirItemContratoOS();
// The current customer equipment into the open order as a new item, then
// the contract's standing charges.
void InserirEquipamentoContratoOS();
// The contract's standing charges: one travel row (distance, tolls) when the
// order has none, one hour-rate service line when the order has no service line.
void InsereCamposContrato();
