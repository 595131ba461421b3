#include "service_orders/uAssOrdemServicoHora.h"

host::ui::FormVar<TfmAssOrdemServicoHora> fmAssOrdemServicoHora("fmAssOrdemServicoHora");

TfmAssOrdemServicoHora::TfmAssOrdemServicoHora(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Horário de Execução do Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
