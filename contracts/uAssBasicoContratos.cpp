#include "contracts/uAssBasicoContratos.h"

host::ui::FormVar<TfmAssBasicoContratos> fmAssBasicoContratos("fmAssBasicoContratos");

TfmAssBasicoContratos::TfmAssBasicoContratos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
