#include "service_orders/uAssFaturamento.h"

host::ui::FormVar<TfmAssFaturamento> fmAssFaturamento("fmAssFaturamento");

TfmAssFaturamento::TfmAssFaturamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento de Ordem de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
