#include "rental/uAssEquipamentoLocacao.h"

host::ui::FormVar<TfmAssEquipamentoLocacao> fmAssEquipamentoLocacao("fmAssEquipamentoLocacao");

TfmAssEquipamentoLocacao::TfmAssEquipamentoLocacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Controle Equipamentos para Locação");
    setDefaultCloseAction(host::ui::CloseAction::Hide);
}
