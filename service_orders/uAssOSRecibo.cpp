#include "service_orders/uAssOSRecibo.h"

host::ui::FormVar<TqrAssOSRecibo> qrAssOSRecibo("qrAssOSRecibo");

TqrAssOSRecibo::TqrAssOSRecibo(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
