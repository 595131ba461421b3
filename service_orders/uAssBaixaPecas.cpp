#include "service_orders/uAssBaixaPecas.h"

host::ui::FormVar<TfmAssBaixaPecas> fmAssBaixaPecas("fmAssBaixaPecas");

TfmAssBaixaPecas::TfmAssBaixaPecas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Acerto de Peças");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
