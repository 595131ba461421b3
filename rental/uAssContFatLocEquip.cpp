#include "rental/uAssContFatLocEquip.h"

host::ui::FormVar<TfmAssContFatLocEquip> fmAssContFatLocEquip("fmAssContFatLocEquip");

TfmAssContFatLocEquip::TfmAssContFatLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento de Contratos (Locação de Equipamentos)");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
