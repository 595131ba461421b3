#include "rental/uAssContAditivo.h"

host::ui::FormVar<TfmAssContAditivo> fmAssContAditivo("fmAssContAditivo");

TfmAssContAditivo::TfmAssContAditivo(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Aditivo");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
