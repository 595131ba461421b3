#include "rental/uAssCheckout.h"

host::ui::FormVar<TfmAssCheckout> fmAssCheckout("fmAssCheckout");

TfmAssCheckout::TfmAssCheckout(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Checkout dos Pedidos de Assistência");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
