#include "service_orders/uAssOrdemServico.h"

host::ui::FormVar<TfmAssOrdemServico> fmAssOrdemServico("fmAssOrdemServico");

TfmAssOrdemServico::TfmAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Ordem de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
