#include "rental/uAssVendasImp.h"

host::ui::FormVar<TqrAssVendasImp> qrAssVendasImp("qrAssVendasImp");

TqrAssVendasImp::TqrAssVendasImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
