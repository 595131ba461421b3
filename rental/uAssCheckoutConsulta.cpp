#include "rental/uAssCheckoutConsulta.h"

host::ui::FormVar<TfmAssCheckoutConsulta> fmAssCheckoutConsulta("fmAssCheckoutConsulta");

TfmAssCheckoutConsulta::TfmAssCheckoutConsulta(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Consulta de Pedidos para Checkout");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
