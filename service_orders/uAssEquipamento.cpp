#include "service_orders/uAssEquipamento.h"

#include "host/Udmglobal.h"

host::ui::FormVar<TfmAssEquipamento> fmAssEquipamento("fmAssEquipamento");

TfmAssEquipamento::TfmAssEquipamento(QWidget* parent) : host::ui::Form(parent)
{
    // Vehicle installations keep vehicle models in the same register.
    setCaption(dmGlobal && dmGlobal->Parametro("ATMODOVEICULO") == "O" ? "Cadastro de Veículos"
                                                                : "Cadastro de Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
