#include "rental/uAssContLocEquipCad.h"

host::ui::FormVar<TfmAssContCadLocEquip> fmAssContCadLocEquip("fmAssContCadLocEquip");

TfmAssContCadLocEquip::TfmAssContCadLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Contratos de Locação de Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
