#include "rental/uAssContLocacao.h"

host::ui::FormVar<TfmAssContLocacao> fmAssContLocacao("fmAssContLocacao");

TfmAssContLocacao::TfmAssContLocacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contrato de Locação de Equipamento");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
