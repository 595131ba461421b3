#include "rental/uAssImpProposta.h"

host::ui::FormVar<TqrAssImpProposta> qrAssImpProposta("qrAssImpProposta");

TqrAssImpProposta::TqrAssImpProposta(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
