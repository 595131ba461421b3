#include "service_orders/uAssOrdemServicoCusto.h"

host::ui::FormVar<TfmAssOrdemServicoCusto> fmAssOrdemServicoCusto("fmAssOrdemServicoCusto");

TfmAssOrdemServicoCusto::TfmAssOrdemServicoCusto(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Formação de Custo");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
