#include "service_orders/uAssOSSelecaoSituacaoRel.h"

host::ui::FormVar<TqrAssOSSelecaoSituacaoRel> qrAssOSSelecaoSituacaoRel("qrAssOSSelecaoSituacaoRel");

TqrAssOSSelecaoSituacaoRel::TqrAssOSSelecaoSituacaoRel(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
