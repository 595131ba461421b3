#include "service_orders/uAssBaixaPecas.h"

host::ui::FormVar<TfmAssBaixaPecas> fmAssBaixaPecas("fmAssBaixaPecas");

TfmAssBaixaPecas::TfmAssBaixaPecas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Acerto de Peças");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
