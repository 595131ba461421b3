#include "contracts/uAssContCad.h"

host::ui::FormVar<TfmAssContCad> fmAssContCad("fmAssContCad");

TfmAssContCad::TfmAssContCad(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
