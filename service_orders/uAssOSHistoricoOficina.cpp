#include "service_orders/uAssOSHistoricoOficina.h"

host::ui::FormVar<TqrAssOSHistoricoOficina> qrAssOSHistoricoOficina("qrAssOSHistoricoOficina");

TqrAssOSHistoricoOficina::TqrAssOSHistoricoOficina(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
