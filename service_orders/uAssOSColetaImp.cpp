#include "service_orders/uAssOSColetaImp.h"

host::ui::FormVar<TqrAssOSColetaImp> qrAssOSColetaImp("qrAssOSColetaImp");

TqrAssOSColetaImp::TqrAssOSColetaImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
