#include "host/data/DataModule.h"

#include <algorithm>
#include <vector>

namespace host::data {

namespace {
CreateFailureHandler& handlerSlot()
{
    static CreateFailureHandler handler;
    return handler;
}

struct ListedModule {
    void* variable;
    std::function<void()> free;
};

std::vector<ListedModule>& listedModules()
{
    static std::vector<ListedModule> modules;
    return modules;
}
}  // namespace

void freeDataModules()
{
    // Each free unlists its own variable; one module's destructor may free another.
    while (!listedModules().empty()) {
        const std::function<void()> free = listedModules().back().free;
        free();
    }
}

namespace detail {

void listed(void* variable, std::function<void()> free)
{
    unlisted(variable);
    listedModules().push_back({variable, std::move(free)});
}

void unlisted(void* variable)
{
    auto& modules = listedModules();
    modules.erase(std::remove_if(modules.begin(), modules.end(),
                                 [variable](const ListedModule& m) { return m.variable == variable; }),
                  modules.end());
}

}  // namespace detail

void setCreateFailureHandler(CreateFailureHandler handler) { handlerSlot() = std::move(handler); }

const CreateFailureHandler& createFailureHandler() { return handlerSlot(); }

}  // namespace host::data
