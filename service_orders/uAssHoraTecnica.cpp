#include "service_orders/uAssHoraTecnica.h"

host::ui::FormVar<TfmAssHoraTecnica> fmAssHoraTecnica("fmAssHoraTecnica");

TfmAssHoraTecnica::TfmAssHoraTecnica(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Hora Técnica");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
