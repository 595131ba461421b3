#include "service_orders/uAssOSTotalCliImp.h"

host::ui::FormVar<TqrAssOSTotalCliImp> qrAssOSTotalCliImp("qrAssOSTotalCliImp");

TqrAssOSTotalCliImp::TqrAssOSTotalCliImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
