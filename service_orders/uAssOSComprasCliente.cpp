#include "service_orders/uAssOSComprasCliente.h"

host::ui::FormVar<TfmAssOSComprasCliente> fmAssOSComprasCliente("fmAssOSComprasCliente");

TfmAssOSComprasCliente::TfmAssOSComprasCliente(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Produtos Comprados pelo Cliente");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
