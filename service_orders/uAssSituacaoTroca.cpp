#include "service_orders/uAssSituacaoTroca.h"

host::ui::FormVar<TfmAssSituacaoTroca> fmAssSituacaoTroca("fmAssSituacaoTroca");

TfmAssSituacaoTroca::TfmAssSituacaoTroca(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Troca de Situação");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
