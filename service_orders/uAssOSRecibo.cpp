#include "service_orders/uAssOSRecibo.h"

host::ui::FormVar<TqrAssOSRecibo> qrAssOSRecibo("qrAssOSRecibo");

TqrAssOSRecibo::TqrAssOSRecibo(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
