#include "host/data/DataModule.h"

namespace host::data {

namespace {
CreateFailureHandler& handlerSlot()
{
    static CreateFailureHandler handler;
    return handler;
}
}  // namespace

void setCreateFailureHandler(CreateFailureHandler handler) { handlerSlot() = std::move(handler); }

const CreateFailureHandler& createFailureHandler() { return handlerSlot(); }

}  // namespace host::data
