#include "contracts/uAssBasicoContratosFaturamento.h"

host::ui::FormVar<TfmAssBasicoContratosFaturamento> fmAssBasicoContratosFaturamento("fmAssBasicoContratosFaturamento");

TfmAssBasicoContratosFaturamento::TfmAssBasicoContratosFaturamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento dos Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
