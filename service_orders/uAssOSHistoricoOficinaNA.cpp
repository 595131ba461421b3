#include "service_orders/uAssOSHistoricoOficinaNA.h"

host::ui::FormVar<TqrAssOSHistoricoOficinaNA> qrAssOSHistoricoOficinaNA("qrAssOSHistoricoOficinaNA");

TqrAssOSHistoricoOficinaNA::TqrAssOSHistoricoOficinaNA(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
