#include "service_orders/uAssOSAndamento.h"

host::ui::FormVar<TqrAssOSAndamento> qrAssOSAndamento("qrAssOSAndamento");

TqrAssOSAndamento::TqrAssOSAndamento(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
