#include "service_orders/uAssClienteXEquipImp.h"

host::ui::FormVar<TqrAssClienteXEquipImp> qrAssClienteXEquipImp("qrAssClienteXEquipImp");

TqrAssClienteXEquipImp::TqrAssClienteXEquipImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
