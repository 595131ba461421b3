#include "rental/uAssContratoLocEquip.h"

host::ui::FormVar<TqrAssContratoLocEquip> qrAssContratoLocEquip("qrAssContratoLocEquip");

TqrAssContratoLocEquip::TqrAssContratoLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
