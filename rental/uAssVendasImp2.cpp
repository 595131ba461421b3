#include "rental/uAssVendasImp2.h"

host::ui::FormVar<TqrAssVendasImp2> qrAssVendasImp2("qrAssVendasImp2");

TqrAssVendasImp2::TqrAssVendasImp2(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
