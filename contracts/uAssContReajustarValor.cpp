#include "contracts/uAssContReajustarValor.h"

host::ui::FormVar<TfmAssContReaj> fmAssContReaj("fmAssContReaj");

TfmAssContReaj::TfmAssContReaj(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Reajustar Valores de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
