#include "service_orders/uAssOSComprovante.h"

host::ui::FormVar<TqrAssOSComprovante> qrAssOSComprovante("qrAssOSComprovante");

TqrAssOSComprovante::TqrAssOSComprovante(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
