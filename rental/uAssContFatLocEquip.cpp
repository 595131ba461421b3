#include "rental/uAssContFatLocEquip.h"

#include "data/udmRelTec.h"

host::ui::FormVar<TfmAssContFatLocEquip> fmAssContFatLocEquip("fmAssContFatLocEquip");

TfmAssContFatLocEquip::TfmAssContFatLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento de Contratos (Locação de Equipamentos)");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    // The rental documents print through the report data module.
    if (!DmRelTec)
        DmRelTec.create(nullptr);
}
