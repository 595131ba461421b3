// Which handler the events of the totals, expenses, planned products and cost
// lines run (on top of the bindings every order dataset gets).

#include "data/uDataTec.h"

using host::data::Dataset;
using host::data::Field;

void TdmTec::bindTotalHandlers()
{
    auto on = [this](void (TdmTec::*handler)(Dataset&)) {
        return [this, handler](Dataset& dataset) { (this->*handler)(dataset); };
    };
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    auto bind = [&](std::initializer_list<Field*> campos, void (TdmTec::*handler)(Field&)) {
        for (Field* campo : campos)
            campo->onChange = onField(handler);
    };

    bind({quOSAODESCONTO, quOSAODESCONTOPECA, quOSAODESCONTOSERVICO}, &TdmTec::quOSAODESCONTOChange);

    // Expenses: the line datasets' before-insert (a header being inserted is
    // saved first, then the guard) and the edit guard.
    for (host::data::Query* despesa : {quOSDespViagem, quOSDespExtra}) {
        despesa->beforeInsert = on(&TdmTec::quOSItemBeforeInsert);
        despesa->beforeEdit = on(&TdmTec::quOSDespViagemBeforeEdit);
    }
    quOSDespViagem->beforeDelete = on(&TdmTec::quOSDespViagemBeforeDelete);
    quOSDespExtra->beforeDelete = on(&TdmTec::quOSDespExtraBeforeDelete);
    bind({quOSDespViagemAVPEDQUANTIDADE, quOSDespViagemAVPEDVALOR}, &TdmTec::quOSDespViagemAVPEDQUANTIDADEChange);
    bind({quOSDespViagemAVKMVALOR, quOSDespViagemAVKMPERCORRIDO}, &TdmTec::quOSDespViagemAVKMVALORChange);
    bind({quOSDespViagemAVPEDVALORTOTAL, quOSDespViagemAVKMVALORTOTAL}, &TdmTec::quOSDespViagemAVPEDVALORTOTALChange);
    bind({quOSDespViagemATCODIGO}, &TdmTec::quOSDespViagemATCODIGOChange);
    bind({quOSDespExtraFOCODIGOTRANSPORTADOR}, &TdmTec::quOSDespExtraFOCODIGOTRANSPORTADORChange);
    bind({quOSDespExtraPRCODIGO}, &TdmTec::quOSDespExtraPRCODIGOChange);
    bind({quOSDespExtraATCODIGO}, &TdmTec::quOSDespExtraATCODIGOChange);

    quOSProj->beforeDelete = on(&TdmTec::quOSProjBeforeDelete);
    quOSProj->afterDelete = on(&TdmTec::quOSProjAfterDelete);
    bind({quOSProjAQQUANTIDADE, quOSProjAQVALOR, quOSProjAQDESCONTO}, &TdmTec::quOSProjAQQUANTIDADEChange);
    bind({quOSProjPRCODIGO}, &TdmTec::quOSProjPRCODIGOChange);

    bind({quOSCustoAFVALOR, quOSCustoAFQUANTIDADE}, &TdmTec::quOSCustoAFVALORChange);
    bind({quOSCustoPRCODIGO}, &TdmTec::quOSCustoPRCODIGOChange);
}
