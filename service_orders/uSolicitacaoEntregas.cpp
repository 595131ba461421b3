#include "service_orders/uSolicitacaoEntregas.h"

host::ui::FormVar<TfmSolicitacaoEntregas> fmSolicitacaoEntregas("fmSolicitacaoEntregas");

TfmSolicitacaoEntregas::TfmSolicitacaoEntregas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Entregas");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
