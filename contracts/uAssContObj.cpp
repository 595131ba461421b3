#include "contracts/uAssContObj.h"

host::ui::FormVar<TfmAssContObj> fmAssContObj("fmAssContObj");

TfmAssContObj::TfmAssContObj(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Objetos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
