#include "rental/uAssVendas.h"

host::ui::FormVar<TfmAssVendas> fmAssVendas("fmAssVendas");

TfmAssVendas::TfmAssVendas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pedido de Assistência");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
