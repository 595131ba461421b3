#include "contracts/uAssContCadIt.h"

host::ui::FormVar<TfmAssContCadIt> fmAssContCadIt("fmAssContCadIt");

TfmAssContCadIt::TfmAssContCadIt(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Itens do Cliente do Contrato");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
