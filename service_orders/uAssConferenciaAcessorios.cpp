#include "service_orders/uAssConferenciaAcessorios.h"

host::ui::FormVar<TfmAssConferenciaAcessorio> fmAssConferenciaAcessorio("fmAssConferenciaAcessorio");

TfmAssConferenciaAcessorio::TfmAssConferenciaAcessorio(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Conferência de Acessórios");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
