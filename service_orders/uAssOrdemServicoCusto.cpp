#include "service_orders/uAssOrdemServicoCusto.h"

host::ui::FormVar<TfmAssOrdemServicoCusto> fmAssOrdemServicoCusto("fmAssOrdemServicoCusto");

TfmAssOrdemServicoCusto::TfmAssOrdemServicoCusto(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Formação de Custo");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
