#include "rental/uPesqAssContratosLocEquip.h"

host::ui::FormVar<TfmPesquisaAssContratosLocEquip> fmPesquisaAssContratosLocEquip("fmPesquisaAssContratosLocEquip");

TfmPesquisaAssContratosLocEquip::TfmPesquisaAssContratosLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Contratos de Locação Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
