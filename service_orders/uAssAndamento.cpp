#include "service_orders/uAssAndamento.h"

host::ui::FormVar<TfmAssAndamento> fmAssAndamento("fmAssAndamento");

TfmAssAndamento::TfmAssAndamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Andamento das Ordens de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
