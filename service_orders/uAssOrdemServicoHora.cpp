#include "service_orders/uAssOrdemServicoHora.h"

host::ui::FormVar<TfmAssOrdemServicoHora> fmAssOrdemServicoHora("fmAssOrdemServicoHora");

TfmAssOrdemServicoHora::TfmAssOrdemServicoHora(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Horário de Execução do Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
