#include "service_orders/uAssOSPesquisaRel.h"

host::ui::FormVar<TqrAssOSPesquisaRel> qrAssOSPesquisaRel("qrAssOSPesquisaRel");

TqrAssOSPesquisaRel::TqrAssOSPesquisaRel(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
