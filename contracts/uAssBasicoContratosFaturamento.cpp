#include "contracts/uAssBasicoContratosFaturamento.h"

host::ui::FormVar<TfmAssBasicoContratosFaturamento> fmAssBasicoContratosFaturamento("fmAssBasicoContratosFaturamento");

TfmAssBasicoContratosFaturamento::TfmAssBasicoContratosFaturamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento dos Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
