#include "service_orders/uAssDefeito.h"

host::ui::FormVar<TfmAssDefeito> fmAssDefeito("fmAssDefeito");

TfmAssDefeito::TfmAssDefeito(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Defeitos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
