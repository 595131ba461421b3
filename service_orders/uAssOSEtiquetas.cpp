#include "service_orders/uAssOSEtiquetas.h"

host::ui::FormVar<TqrAssOSEtiquetas> qrAssOSEtiquetas("qrAssOSEtiquetas");

TqrAssOSEtiquetas::TqrAssOSEtiquetas(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
