#include "service_orders/uAssClienteXEquipImp.h"

host::ui::FormVar<TqrAssClienteXEquipImp> qrAssClienteXEquipImp("qrAssClienteXEquipImp");

TqrAssClienteXEquipImp::TqrAssClienteXEquipImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
