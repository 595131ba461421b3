#include "rental/uAssContRenovacao.h"

host::ui::FormVar<TfmAssContRenovacao> fmAssContRenovacao("fmAssContRenovacao");

TfmAssContRenovacao::TfmAssContRenovacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Renovação de Contratos Locação Equipamentos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
