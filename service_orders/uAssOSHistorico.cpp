#include "service_orders/uAssOSHistorico.h"

host::ui::FormVar<TqrAssOSHistorico> qrAssOSHistorico("qrAssOSHistorico");

TqrAssOSHistorico::TqrAssOSHistorico(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
