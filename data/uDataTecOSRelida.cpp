// The shown order read again after this desk changed it by statement (see the header).

#include "data/uDataTec.h"

#include "host/data/Query.h"

void TdmTec::RelerOSAlterada(int aoCodigo)
{
    if (!quOS->active() || quOS->isEmpty() || quOSAOCODIGO->asInteger() != aoCodigo)
        return;
    if (quOS->state() != host::data::DatasetState::Browse)
        return;
    quOS->refresh();
}
