#include "rental/uAssCheckout.h"

host::ui::FormVar<TfmAssCheckout> fmAssCheckout("fmAssCheckout");

TfmAssCheckout::TfmAssCheckout(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Checkout dos Pedidos de Assistência");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
