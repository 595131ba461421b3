#include "service_orders/uAssTecnico.h"

host::ui::FormVar<TfmAssTecnico> fmAssTecnico("fmAssTecnico");

TfmAssTecnico::TfmAssTecnico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Técnicos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
