#include "rental/uAssVendasImp2.h"

host::ui::FormVar<TqrAssVendasImp2> qrAssVendasImp2("qrAssVendasImp2");

TqrAssVendasImp2::TqrAssVendasImp2(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
