#include "service_orders/uAssOrdemServico.h"

host::ui::FormVar<TfmAssOrdemServico> fmAssOrdemServico("fmAssOrdemServico");

TfmAssOrdemServico::TfmAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Ordem de Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
