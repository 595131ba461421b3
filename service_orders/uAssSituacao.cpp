#include "service_orders/uAssSituacao.h"

host::ui::FormVar<TfmAssSituacao> fmAssSituacao("fmAssSituacao");

TfmAssSituacao::TfmAssSituacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Situação ");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
