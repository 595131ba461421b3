#include "service_orders/uAssSolicitacao.h"

host::ui::FormVar<TfmAssSolicitacao> fmAssSolicitacao("fmAssSolicitacao");

TfmAssSolicitacao::TfmAssSolicitacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Solicitação de Peças ");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
