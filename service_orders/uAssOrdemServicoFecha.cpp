#include "service_orders/uAssOrdemServicoFecha.h"

host::ui::FormVar<TfmAssOrdemServicoFecha> fmAssOrdemServicoFecha("fmAssOrdemServicoFecha");

TfmAssOrdemServicoFecha::TfmAssOrdemServicoFecha(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Fechamento de OS");
    setStayOnTop(true);
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
