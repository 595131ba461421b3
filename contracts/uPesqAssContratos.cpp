#include "contracts/uPesqAssContratos.h"

host::ui::FormVar<TfmPesquisaAssContratos> fmPesquisaAssContratos("fmPesquisaAssContratos");

TfmPesquisaAssContratos::TfmPesquisaAssContratos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Contratos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
