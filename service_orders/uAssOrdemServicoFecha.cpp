#include "service_orders/uAssOrdemServicoFecha.h"

host::ui::FormVar<TfmAssOrdemServicoFecha> fmAssOrdemServicoFecha("fmAssOrdemServicoFecha");

TfmAssOrdemServicoFecha::TfmAssOrdemServicoFecha(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Fechamento de OS");
    setStayOnTop(true);
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
