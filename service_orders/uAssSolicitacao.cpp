#include "service_orders/uAssSolicitacao.h"

host::ui::FormVar<TfmAssSolicitacao> fmAssSolicitacao("fmAssSolicitacao");

TfmAssSolicitacao::TfmAssSolicitacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Solicitação de Peças ");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
