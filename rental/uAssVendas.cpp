#include "rental/uAssVendas.h"

host::ui::FormVar<TfmAssVendas> fmAssVendas("fmAssVendas");

TfmAssVendas::TfmAssVendas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pedido de Assistência");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
