#include "service_orders/uAssOSComprovante.h"

host::ui::FormVar<TqrAssOSComprovante> qrAssOSComprovante("qrAssOSComprovante");

TqrAssOSComprovante::TqrAssOSComprovante(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
