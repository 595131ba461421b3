#include "rental/uAssVendasImp.h"

host::ui::FormVar<TqrAssVendasImp> qrAssVendasImp("qrAssVendasImp");

TqrAssVendasImp::TqrAssVendasImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
