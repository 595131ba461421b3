#include "service_orders/uAssOSEtiquetas.h"

host::ui::FormVar<TqrAssOSEtiquetas> qrAssOSEtiquetas("qrAssOSEtiquetas");

TqrAssOSEtiquetas::TqrAssOSEtiquetas(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
