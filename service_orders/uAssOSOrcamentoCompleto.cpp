#include "service_orders/uAssOSOrcamentoCompleto.h"

host::ui::FormVar<TqrAssOSOrcamentoCompleto> qrAssOSOrcamentoCompleto("qrAssOSOrcamentoCompleto");

TqrAssOSOrcamentoCompleto::TqrAssOSOrcamentoCompleto(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
