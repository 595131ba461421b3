#include "service_orders/uAssOSColetaImp.h"

host::ui::FormVar<TqrAssOSColetaImp> qrAssOSColetaImp("qrAssOSColetaImp");

TqrAssOSColetaImp::TqrAssOSColetaImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
