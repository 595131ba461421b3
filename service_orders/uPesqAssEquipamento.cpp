#include "service_orders/uPesqAssEquipamento.h"

host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento("fmPesquisaAssEquipamento");

TfmPesquisaAssEquipamento::TfmPesquisaAssEquipamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Equipamento");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
