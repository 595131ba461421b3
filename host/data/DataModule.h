#pragma once
// A data module: a component that owns datasets, update objects and data
// sources, with a creation handler. Its global variable (dmTec, dmGlobal...)
// is a DataModuleVar, the application's form factory for data modules: it
// stores the new instance before the creation handler runs, so the handler
// and everything it calls can already reach the module through the variable.

#include "host/data/Component.h"

#include <exception>
#include <functional>
#include <memory>
#include <utility>

namespace host::data {

// The application's standard handler of a failure that leaves a data module's
// creation handler (it shows the message). With one set, the module is kept,
// as the application would keep it; without one (no application: batch work,
// tests) the failure passes to the caller and the module is freed.
using CreateFailureHandler = std::function<void(std::exception_ptr)>;
void setCreateFailureHandler(CreateFailureHandler handler);
const CreateFailureHandler& createFailureHandler();

// Frees every data module a DataModuleVar holds, the newest first. Their
// datasets use the host's connection: they go before it does (the end of the
// application, the end of a test's database), or a module's window opened
// later would run them on a transaction that is gone.
void freeDataModules();

namespace detail {
// Bookkeeping of DataModuleVar: the variables holding a module, in creation order.
void listed(void* variable, std::function<void()> free);
void unlisted(void* variable);
}  // namespace detail

class DataModule : public host::Component {
public:
    explicit DataModule(host::Component* owner = nullptr, const QString& name = {})
        : host::Component(owner, name)
    {
    }

    std::function<void()> onCreate;   // run once by the module's variable after storing it
};

template <class T>
class DataModuleVar {
public:
    explicit DataModuleVar(const char* name) : name_(QString::fromLatin1(name)) {}
    DataModuleVar(const DataModuleVar&) = delete;
    DataModuleVar& operator=(const DataModuleVar&) = delete;
    // At the end of the process the engine may already be gone: a module
    // still alive then is left to the operating system (free() it before).
    ~DataModuleVar()
    {
        detail::unlisted(this);
        (void)module_.release();
    }

    QString name() const { return name_; }
    T* get() const { return module_.get(); }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }
    explicit operator bool() const { return module_ != nullptr; }

    // The existing module, or a new one named after this variable, listed
    // under owner and stored here before its creation handler runs. A failing
    // handler goes to the application's handler and the module stays; with no
    // application handler the module is freed, the variable emptied and the
    // failure passed on.
    template <class... Args>
    T* create(host::Component* owner, Args&&... args)
    {
        if (module_)
            return module_.get();
        module_ = std::make_unique<T>(owner, std::forward<Args>(args)...);
        module_->setName(name_);
        detail::listed(this, [this] { free(); });
        try {
            if (module_->onCreate)
                module_->onCreate();
        } catch (...) {
            if (!createFailureHandler()) {
                free();
                throw;
            }
            createFailureHandler()(std::current_exception());
        }
        return module_.get();
    }

    // Frees the module (the end of the application; tests between cases).
    void free()
    {
        detail::unlisted(this);
        module_.reset();
    }

private:
    QString name_;
    std::unique_ptr<T> module_;
};

}  // namespace host::data
