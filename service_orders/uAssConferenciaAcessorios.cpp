#include "service_orders/uAssConferenciaAcessorios.h"

host::ui::FormVar<TfmAssConferenciaAcessorio> fmAssConferenciaAcessorio("fmAssConferenciaAcessorio");

TfmAssConferenciaAcessorio::TfmAssConferenciaAcessorio(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Conferência de Acessórios");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
