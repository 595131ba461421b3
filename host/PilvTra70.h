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
