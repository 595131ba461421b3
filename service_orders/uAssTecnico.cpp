#include "service_orders/uAssTecnico.h"

host::ui::FormVar<TfmAssTecnico> fmAssTecnico("fmAssTecnico");

TfmAssTecnico::TfmAssTecnico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Técnicos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
