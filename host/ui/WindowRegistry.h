#pragma once
// One instance per window variable. A FormVar is the global that names a
// window (fmAssOrdemServico, fmPesquisa, ...): empty while the window does not
// exist, filled on first use, empty again once the window frees itself.
// The registry knows every live form, finds one by name, tracks the active
// form, and frees what is left when the application ends (the application
// owns its windows).

#include "host/ui/Form.h"

#include <QList>
#include <QPointer>
#include <QString>

namespace host::ui {

namespace WindowRegistry {

// Live forms, in creation order (freed ones excluded).
QList<Form*> forms();
// The live form whose object name is the given name, or nullptr.
Form* find(const QString& name);
// The application's active form: the active window when it is a form,
// otherwise the form activated last that still lives.
Form* activeForm();
// Frees every live form now (the end of the application; tests between cases).
void freeAll();
// Closes every form on screen, the newest first, as the user's close does
// (each asks about its own changes): false, the rest left open, as soon as
// one stays open.
bool closeAll();

// Bookkeeping called by Form.
void added(Form* form);
void removed(Form* form);
void released(Form* form);
void activated(Form* form);

} // namespace WindowRegistry

template <class T>
class FormVar {
public:
    explicit FormVar(const char* name) : name_(QString::fromLatin1(name)) {}
    FormVar(const FormVar&) = delete;
    FormVar& operator=(const FormVar&) = delete;

    QString name() const { return name_; }
    // The window while it lives; nullptr before its creation and after its release.
    T* get() const { return form_ && !form_->released() ? form_.data() : nullptr; }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

    // The existing window, or a new one stored here before its creation
    // handler runs. The window takes this variable's name as object name.
    template <class... Args>
    T* create(Args&&... args)
    {
        if (T* existing = get())
            return existing;
        form_ = new T(std::forward<Args>(args)...);
        form_->setObjectName(name_);
        form_->runCreate();
        return get();
    }
    // Stores a window made elsewhere (or empties the variable with nullptr).
    FormVar& operator=(T* form)
    {
        form_ = form;
        if (form && form->objectName().isEmpty())
            form->setObjectName(name_);
        return *this;
    }
    void clear() { form_ = nullptr; }

private:
    QString name_;
    QPointer<T> form_;
};

// A window that lives only while a routine runs: when the guard goes out of
// scope (the routine returns or throws), the window the variable holds is
// released and the variable emptied.
template <class T>
class ReleaseOnExit {
public:
    explicit ReleaseOnExit(FormVar<T>& variable) : variable_(variable) {}
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
    ~ReleaseOnExit()
    {
        if (T* form = variable_.get())
            form->release();
        variable_.clear();
    }

private:
    FormVar<T>& variable_;
};

} // namespace host::ui
