#include "rental/uAssCheckoutProtocolo.h"

host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo("qrAssCheckoutProtocolo");

TqrAssCheckoutProtocolo::TqrAssCheckoutProtocolo(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
