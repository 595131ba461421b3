#include "service_orders/uAssOSHistoricoOficina.h"

host::ui::FormVar<TqrAssOSHistoricoOficina> qrAssOSHistoricoOficina("qrAssOSHistoricoOficina");

TqrAssOSHistoricoOficina::TqrAssOSHistoricoOficina(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
