#include "service_orders/uAssOSPesquisaFic.h"

host::ui::FormVar<TqrAssOSPesquisaFic> qrAssOSPesquisaFic("qrAssOSPesquisaFic");

TqrAssOSPesquisaFic::TqrAssOSPesquisaFic(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
