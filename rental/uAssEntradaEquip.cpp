#include "rental/uAssEntradaEquip.h"

host::ui::FormVar<TfmAssEntradaEquip> fmAssEntradaEquip("fmAssEntradaEquip");

TfmAssEntradaEquip::TfmAssEntradaEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Entrada de Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Hide);
}
