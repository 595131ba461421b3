#include "service_orders/uAssOSSelecaoRelImp.h"

host::ui::FormVar<TqrAssOSSelecaoRelImp> qrAssOSSelecaoRelImp("qrAssOSSelecaoRelImp");

TqrAssOSSelecaoRelImp::TqrAssOSSelecaoRelImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
