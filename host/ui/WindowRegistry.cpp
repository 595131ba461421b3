#include "host/ui/WindowRegistry.h"

#include <QApplication>

namespace host::ui::WindowRegistry {
namespace {

struct State {
    QList<QPointer<Form>> forms;
    QPointer<Form> lastActive;
    bool quitHooked = false;
};

State& state()
{
    static State s;
    return s;
}

bool live(const QPointer<Form>& form) { return form && !form->released(); }

} // namespace

QList<Form*> forms()
{
    QList<Form*> result;
    for (const auto& form : state().forms)
        if (live(form))
            result << form.data();
    return result;
}

Form* find(const QString& name)
{
    for (Form* form : forms())
        if (form->objectName() == name)
            return form;
    return nullptr;
}

Form* activeForm()
{
    if (auto* active = qobject_cast<Form*>(QApplication::activeWindow()); active && !active->released())
        return active;
    return live(state().lastActive) ? state().lastActive.data() : nullptr;
}

void freeAll()
{
    const QList<QPointer<Form>> all = state().forms;
    for (const auto& form : all)
        delete form.data();
    state().forms.clear();
}

bool closeAll()
{
    QList<QPointer<Form>> shown;
    for (const auto& form : state().forms)
        if (form && form->isVisible() && !form->released())
            shown.prepend(form);
    for (const auto& form : shown) {
        if (!form || !form->isVisible())
            continue;
        form->close();
        if (form && form->isVisible() && !form->released())
            return false;
    }
    return true;
}

void added(Form* form)
{
    State& s = state();
    s.forms.removeAll(nullptr);
    s.forms << form;
    if (!s.quitHooked && qApp) {
        s.quitHooked = true;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { freeAll(); });
    }
}

void removed(Form* form)
{
    state().forms.removeAll(form);
}

void released(Form* form)
{
    if (state().lastActive == form)
        state().lastActive = nullptr;
}

void activated(Form* form) { state().lastActive = form; }

} // namespace host::ui::WindowRegistry
