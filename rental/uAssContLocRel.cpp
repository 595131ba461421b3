#include "rental/uAssContLocRel.h"

host::ui::FormVar<TfmAssContLocRel> fmAssContLocRel("fmAssContLocRel");

TfmAssContLocRel::TfmAssContLocRel(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
