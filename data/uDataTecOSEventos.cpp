// Which handler the events of the service-order header's fields run, and the
// components those rules keep for themselves.

#include "data/uDataTec.h"

#include "host/ClienteCadastrado.h"

using host::data::Field;

std::function<void(int aoCodigo, int aoitCodigo)> OSAndamentoTotalizarServicoPeca;
std::function<bool(bool primeiraPagina)> OrdemServicoAberta;

void TdmTec::bindOSHeaderHandlers()
{
    auto onField = [this](void (TdmTec::*metodo)(Field&)) {
        return [this, metodo](Field& field) { (this->*metodo)(field); };
    };
    // Refuses a customer not registered with the same read that takes its type.
    quOSCLCODIGO->onValidate = onField(&TdmTec::quOSCLCODIGOValidate);
    quOSCLCODIGO->onChange = onField(&TdmTec::quOSCLCODIGOChange);
    quOSFOCODIGOVENDEDOR->onChange = onField(&TdmTec::quOSFOCODIGOVENDEDORChange);
    quOSAOPRIORIDADE->onChange = onField(&TdmTec::quOSAOPRIORIDADEChange);
    quOSASCODIGO->onChange = onField(&TdmTec::quOSASCODIGOChange);
    host::ExigeClienteCadastrado(*quOSCLCODIGOCLIENTECOBRANCA, "Cliente Cobrança");
    host::ExigeClienteCadastrado(*quOSCLCODIGOCOBRANCASERVICO, "Cliente Cobrança Serviço");
    host::ExigeClienteCadastrado(*quOSCLCODIGOCOBRANCADESPESAS, "Cliente Cobrança Despesas");
}
