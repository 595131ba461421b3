#include "service_orders/uAssOSSelecaoSituacaoRel.h"

host::ui::FormVar<TqrAssOSSelecaoSituacaoRel> qrAssOSSelecaoSituacaoRel("qrAssOSSelecaoSituacaoRel");

TqrAssOSSelecaoSituacaoRel::TqrAssOSSelecaoSituacaoRel(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
