#include "contracts/uAssContCadCM.h"

host::ui::FormVar<TfmAssContCadCM> fmAssContCadCM("fmAssContCadCM");

TfmAssContCadCM::TfmAssContCadCM(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Lançamento de Compostos do Contrato");
    setDefaultCloseAction(host::ui::CloseAction::Hide);
}
