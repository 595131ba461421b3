#include "service_orders/uAssSituacao.h"

host::ui::FormVar<TfmAssSituacao> fmAssSituacao("fmAssSituacao");

TfmAssSituacao::TfmAssSituacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Situação ");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
