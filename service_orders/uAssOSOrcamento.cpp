#include "service_orders/uAssOSOrcamento.h"

host::ui::FormVar<TqrAssOSOrcamento> qrAssOSOrcamento("qrAssOSOrcamento");

TqrAssOSOrcamento::TqrAssOSOrcamento(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
