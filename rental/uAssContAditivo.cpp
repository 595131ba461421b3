#include "rental/uAssContAditivo.h"

host::ui::FormVar<TfmAssContAditivo> fmAssContAditivo("fmAssContAditivo");

TfmAssContAditivo::TfmAssContAditivo(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Aditivo");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
