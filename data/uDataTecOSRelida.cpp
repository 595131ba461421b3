// The shown order read again after this desk changed it by statement (see the header).

#include "data/uDataTec.h"

#include "host/data/Query.h"

void TdmTec::RelerOSAlterada(int aoCodigo)
{
    if (!quOS->active() || quOS->isEmpty() || quOSAOCODIGO->asInteger() != aoCodigo)
        return;
    // A header being typed takes what the change wrote and keeps the rest
    // of its typing: its save then neither undoes the change nor is refused
    // as another desk's.
    if (quOS->state() == host::data::DatasetState::Edit)
        quOS->rereadKeepingTyping();
    else if (quOS->state() == host::data::DatasetState::Browse)
        quOS->refresh();
}
