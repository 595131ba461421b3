#include "service_orders/uAssFilaAtendimento.h"

host::ui::FormVar<TfmAssFilaAtendimento> fmAssFilaAtendimento("fmAssFilaAtendimento");

TfmAssFilaAtendimento::TfmAssFilaAtendimento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Controle de Atendimento Externo (Fila de Atendimento)");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
