#include "contracts/uAssBasicoContratos.h"

host::ui::FormVar<TfmAssBasicoContratos> fmAssBasicoContratos("fmAssBasicoContratos");

TfmAssBasicoContratos::TfmAssBasicoContratos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
