#pragma once
// How the front door opens a window held in its variable.

#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

namespace uPackageAss {

// The order number after the ";" of "fmAssOrdemServico;42"; 0 when it is
// missing or not a whole number.
int numeroDaOrdem(const QString& nomeJanela);

// The window of the variable, constructed (its creation handler included)
// and only then stored when the variable is empty; then shown non-modally,
// so a hidden window comes back as it was.
template <class T>
T* criarJanela(host::ui::FormVar<T>& variavel)
{
    T* form = variavel.get();
    if (!form) {
        auto nova = std::make_unique<T>(nullptr);
        nova->setObjectName(variavel.name());
        nova->runCreate();
        form = nova.release();
        variavel = form;
    }
    return form;
}

template <class T>
T* abrir(host::ui::FormVar<T>& variavel)
{
    T* form = criarJanela(variavel);
    form->showNonModal();
    return form;
}

// The same through the application's form factory: the variable is set
// before the window's creation handler runs.
template <class T>
T* abrirPelaFabrica(host::ui::FormVar<T>& variavel)
{
    T* form = variavel.create();
    form->showNonModal();
    return form;
}

template <class T>
void abrirModal(host::ui::FormVar<T>& variavel)
{
    criarJanela(variavel)->showModal();
}

}  // namespace uPackageAss
