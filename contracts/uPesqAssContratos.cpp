#include "contracts/uPesqAssContratos.h"

host::ui::FormVar<TfmPesquisaAssContratos> fmPesquisaAssContratos("fmPesquisaAssContratos");

TfmPesquisaAssContratos::TfmPesquisaAssContratos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Contratos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
