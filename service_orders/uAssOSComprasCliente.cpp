#include "service_orders/uAssOSComprasCliente.h"

host::ui::FormVar<TfmAssOSComprasCliente> fmAssOSComprasCliente("fmAssOSComprasCliente");

TfmAssOSComprasCliente::TfmAssOSComprasCliente(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Produtos Comprados pelo Cliente");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
