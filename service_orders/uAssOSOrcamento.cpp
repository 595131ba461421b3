#include "service_orders/uAssOSOrcamento.h"

host::ui::FormVar<TqrAssOSOrcamento> qrAssOSOrcamento("qrAssOSOrcamento");

TqrAssOSOrcamento::TqrAssOSOrcamento(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
