#include "contracts/uAssContFat.h"

host::ui::FormVar<TfmAssContFat> fmAssContFat("fmAssContFat");

TfmAssContFat::TfmAssContFat(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Gerar Faturamento de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
