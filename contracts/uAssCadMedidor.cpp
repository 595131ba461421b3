#include "contracts/uAssCadMedidor.h"

host::ui::FormVar<TfmAssCadMedidor> fmAssCadMedidor("fmAssCadMedidor");

TfmAssCadMedidor::TfmAssCadMedidor(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro Medidores");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
