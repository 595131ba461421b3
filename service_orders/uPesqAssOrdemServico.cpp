#include "service_orders/uPesqAssOrdemServico.h"

host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico("fmPesquisaAssOrdemServico");

TfmPesquisaAssOrdemServico::TfmPesquisaAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Ordem de Serviço");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
