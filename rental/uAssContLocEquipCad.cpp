#include "rental/uAssContLocEquipCad.h"

host::ui::FormVar<TfmAssContCadLocEquip> fmAssContCadLocEquip("fmAssContCadLocEquip");

TfmAssContCadLocEquip::TfmAssContCadLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Contratos de Locação de Equipamentos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
