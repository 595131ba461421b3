#include "service_orders/uAssOSPesquisaFic.h"

host::ui::FormVar<TqrAssOSPesquisaFic> qrAssOSPesquisaFic("qrAssOSPesquisaFic");

TqrAssOSPesquisaFic::TqrAssOSPesquisaFic(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
