#include "contracts/uAssContCadIt.h"

host::ui::FormVar<TfmAssContCadIt> fmAssContCadIt("fmAssContCadIt");

TfmAssContCadIt::TfmAssContCadIt(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Itens do Cliente do Contrato");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
