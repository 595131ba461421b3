#include "rental/uAssContratoLocEquip.h"

host::ui::FormVar<TqrAssContratoLocEquip> qrAssContratoLocEquip("qrAssContratoLocEquip");

TqrAssContratoLocEquip::TqrAssContratoLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
