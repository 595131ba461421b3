#include "service_orders/uAssOSOrcamentoCompleto.h"

host::ui::FormVar<TqrAssOSOrcamentoCompleto> qrAssOSOrcamentoCompleto("qrAssOSOrcamentoCompleto");

TqrAssOSOrcamentoCompleto::TqrAssOSOrcamentoCompleto(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
