#include "contracts/uAssContObj.h"

host::ui::FormVar<TfmAssContObj> fmAssContObj("fmAssContObj");

TfmAssContObj::TfmAssContObj(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Objetos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
