#include "service_orders/uAssHoraTecnica.h"

host::ui::FormVar<TfmAssHoraTecnica> fmAssHoraTecnica("fmAssHoraTecnica");

TfmAssHoraTecnica::TfmAssHoraTecnica(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Hora Técnica");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
