#include "service_orders/uAssOSSelecaoRelImp.h"

host::ui::FormVar<TqrAssOSSelecaoRelImp> qrAssOSSelecaoRelImp("qrAssOSSelecaoRelImp");

TqrAssOSSelecaoRelImp::TqrAssOSSelecaoRelImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
