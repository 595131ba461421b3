#include "contracts/uAssContCad.h"

host::ui::FormVar<TfmAssContCad> fmAssContCad("fmAssContCad");

TfmAssContCad::TfmAssContCad(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
