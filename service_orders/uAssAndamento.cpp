#include "service_orders/uAssAndamento.h"

host::ui::FormVar<TfmAssAndamento> fmAssAndamento("fmAssAndamento");

TfmAssAndamento::TfmAssAndamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Andamento das Ordens de Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
