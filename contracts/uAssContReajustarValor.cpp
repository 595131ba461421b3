#include "contracts/uAssContReajustarValor.h"

host::ui::FormVar<TfmAssContReaj> fmAssContReaj("fmAssContReaj");

TfmAssContReaj::TfmAssContReaj(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Reajustar Valores de Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
