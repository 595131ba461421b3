#include "service_orders/uAssOSHistorico.h"

host::ui::FormVar<TqrAssOSHistorico> qrAssOSHistorico("qrAssOSHistorico");

TqrAssOSHistorico::TqrAssOSHistorico(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
