#include "rental/uAssContLocacao.h"

#include "data/udmRelTec.h"

host::ui::FormVar<TfmAssContLocacao> fmAssContLocacao("fmAssContLocacao");

TfmAssContLocacao::TfmAssContLocacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Cadastro de Contrato de Locação de Equipamento");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    // The rental documents print through the report data module.
    if (!DmRelTec)
        DmRelTec.create(nullptr);
}
