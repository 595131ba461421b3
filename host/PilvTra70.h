#pragma once
// The host package PilvTra70: the vehicle (and driver) search of ACVC01TA.

#include <QString>

// True with the chosen vehicle's code and plate. Cancelled: false, the code
// 0 and the plate empty (callers go on only with a code above 0).
bool SelecionaVeiculo(int& iCodigo, QString& sPlaca);

// Records that the vehicle had the check item done: the date of its last
// verification (today) on the vehicle's check-list row. A vehicle whose
// list lacks the item keeps its list as it is.
void AtualizarUltimaVerificacaoVeiculo(int iVeiculo, int iItemVerificacao);

// The status of a rental unit (AUGC20EV.EVSTATUS of its "L" row) from the
// lines of the contracts: "L" (rented) while an active vehicle line has
// begun and has not ended (no end, or an end after now) or a contract line
// has it and has not come back, "D" (available) otherwise. Rows already
// right are not written. Nothing is committed.
void AtualizaStatusVeiculo(int iVeiculo);
