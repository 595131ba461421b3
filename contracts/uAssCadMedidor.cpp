#include "contracts/uAssCadMedidor.h"

host::ui::FormVar<TfmAssCadMedidor> fmAssCadMedidor("fmAssCadMedidor");

TfmAssCadMedidor::TfmAssCadMedidor(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro Medidores");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
