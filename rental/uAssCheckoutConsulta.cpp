#include "rental/uAssCheckoutConsulta.h"

host::ui::FormVar<TfmAssCheckoutConsulta> fmAssCheckoutConsulta("fmAssCheckoutConsulta");

TfmAssCheckoutConsulta::TfmAssCheckoutConsulta(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Consulta de Pedidos para Checkout");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
