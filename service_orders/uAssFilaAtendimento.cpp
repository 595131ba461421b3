#include "service_orders/uAssFilaAtendimento.h"

host::ui::FormVar<TfmAssFilaAtendimento> fmAssFilaAtendimento("fmAssFilaAtendimento");

TfmAssFilaAtendimento::TfmAssFilaAtendimento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Controle de Atendimento Externo (Fila de Atendimento)");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
