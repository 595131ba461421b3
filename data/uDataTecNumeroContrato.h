#pragma once
// A contract number is one contract's (AATC05AC), whichever register saves
// it: the contract register, the rental registers or the basic register.

#include <QString>

// Refused in words when a contract other than `contrato` has the number, or
// another desk is saving it this moment (held until the caller's transaction
// ends). No number collides with nothing.
void ExigeNumeroContratoLivre(const QString& numero, int contrato);
