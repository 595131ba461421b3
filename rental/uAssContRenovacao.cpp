#include "rental/uAssContRenovacao.h"

host::ui::FormVar<TfmAssContRenovacao> fmAssContRenovacao("fmAssContRenovacao");

TfmAssContRenovacao::TfmAssContRenovacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Renovação de Contratos Locação Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
