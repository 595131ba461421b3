#include "rental/uAssCheckoutProtocolo.h"

host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo("qrAssCheckoutProtocolo");

TqrAssCheckoutProtocolo::TqrAssCheckoutProtocolo(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
