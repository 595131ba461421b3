#include "service_orders/uAssEquipamento.h"

#include "host/Udmglobal.h"

host::ui::FormVar<TfmAssEquipamento> fmAssEquipamento("fmAssEquipamento");

TfmAssEquipamento::TfmAssEquipamento(QWidget* parent) : host::ui::Form(parent)
{
    // Vehicle installations keep vehicle models in the same register.
    setCaption(dmGlobal && dmGlobal->Parametro("ATMODOVEICULO") == "O" ? "Cadastro de Veículos"
                                                                : "Cadastro de Equipamentos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
