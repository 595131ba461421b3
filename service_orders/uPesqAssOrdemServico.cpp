#include "service_orders/uPesqAssOrdemServico.h"

host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico("fmPesquisaAssOrdemServico");

TfmPesquisaAssOrdemServico::TfmPesquisaAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Ordem de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
