#include "service_orders/uPesqAssDefeitos.h"

host::ui::FormVar<TfmPesquisaAssDefeitos> fmPesquisaAssDefeitos("fmPesquisaAssDefeitos");

TfmPesquisaAssDefeitos::TfmPesquisaAssDefeitos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Defeitos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
