#pragma once
// State of the basic-contract rules that outlives one contract.

namespace uDataTec {

// Forgets the address remembered from the last saved contract equipment row,
// as when the module is loaded again.
void esquecerEnderecoContrato();

}  // namespace uDataTec
