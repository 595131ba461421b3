#include "service_orders/uPesqAssOrdemServicoSimples.h"

host::ui::FormVar<TfmPesquisaAssOrdemServicoSimples> fmPesquisaAssOrdemServicoSimples("fmPesquisaAssOrdemServicoSimples");

TfmPesquisaAssOrdemServicoSimples::TfmPesquisaAssOrdemServicoSimples(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa Simples de Ordem de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
