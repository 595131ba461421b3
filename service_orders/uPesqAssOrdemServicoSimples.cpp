#include "service_orders/uPesqAssOrdemServicoSimples.h"

host::ui::FormVar<TfmPesquisaAssOrdemServicoSimples> fmPesquisaAssOrdemServicoSimples("fmPesquisaAssOrdemServicoSimples");

TfmPesquisaAssOrdemServicoSimples::TfmPesquisaAssOrdemServicoSimples(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa Simples de Ordem de Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
