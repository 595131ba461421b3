#include "service_orders/uPesqAssEquipamento.h"

host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento("fmPesquisaAssEquipamento");

TfmPesquisaAssEquipamento::TfmPesquisaAssEquipamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Equipamento");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
