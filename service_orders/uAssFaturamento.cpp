#include "service_orders/uAssFaturamento.h"

host::ui::FormVar<TfmAssFaturamento> fmAssFaturamento("fmAssFaturamento");

TfmAssFaturamento::TfmAssFaturamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento de Ordem de Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
