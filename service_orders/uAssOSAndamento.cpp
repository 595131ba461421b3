#include "service_orders/uAssOSAndamento.h"

host::ui::FormVar<TqrAssOSAndamento> qrAssOSAndamento("qrAssOSAndamento");

TqrAssOSAndamento::TqrAssOSAndamento(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
