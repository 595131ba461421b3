#include "contracts/uAssContFat.h"

host::ui::FormVar<TfmAssContFat> fmAssContFat("fmAssContFat");

TfmAssContFat::TfmAssContFat(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Gerar Faturamento de Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
