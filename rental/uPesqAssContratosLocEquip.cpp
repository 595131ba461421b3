#include "rental/uPesqAssContratosLocEquip.h"

host::ui::FormVar<TfmPesquisaAssContratosLocEquip> fmPesquisaAssContratosLocEquip("fmPesquisaAssContratosLocEquip");

TfmPesquisaAssContratosLocEquip::TfmPesquisaAssContratosLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Contratos de Locação Equipamentos");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
