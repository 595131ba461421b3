#include "service_orders/uSolicitacaoEntregas.h"

host::ui::FormVar<TfmSolicitacaoEntregas> fmSolicitacaoEntregas("fmSolicitacaoEntregas");

TfmSolicitacaoEntregas::TfmSolicitacaoEntregas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Entregas");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
