#include "service_orders/uPesqAssDefeitos.h"

host::ui::FormVar<TfmPesquisaAssDefeitos> fmPesquisaAssDefeitos("fmPesquisaAssDefeitos");

TfmPesquisaAssDefeitos::TfmPesquisaAssDefeitos(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Defeitos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
