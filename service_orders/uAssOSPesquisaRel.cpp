#include "service_orders/uAssOSPesquisaRel.h"

host::ui::FormVar<TqrAssOSPesquisaRel> qrAssOSPesquisaRel("qrAssOSPesquisaRel");

TqrAssOSPesquisaRel::TqrAssOSPesquisaRel(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
