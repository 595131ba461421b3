#include "service_orders/uAssDefeito.h"

host::ui::FormVar<TfmAssDefeito> fmAssDefeito("fmAssDefeito");

TfmAssDefeito::TfmAssDefeito(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Defeitos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
