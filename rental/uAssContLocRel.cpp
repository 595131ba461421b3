#include "rental/uAssContLocRel.h"

host::ui::FormVar<TfmAssContLocRel> fmAssContLocRel("fmAssContLocRel");

TfmAssContLocRel::TfmAssContLocRel(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
