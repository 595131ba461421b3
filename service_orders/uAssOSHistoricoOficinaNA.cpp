#include "service_orders/uAssOSHistoricoOficinaNA.h"

host::ui::FormVar<TqrAssOSHistoricoOficinaNA> qrAssOSHistoricoOficinaNA("qrAssOSHistoricoOficinaNA");

TqrAssOSHistoricoOficinaNA::TqrAssOSHistoricoOficinaNA(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
