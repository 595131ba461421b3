#include "service_orders/uAssSituacaoTroca.h"

host::ui::FormVar<TfmAssSituacaoTroca> fmAssSituacaoTroca("fmAssSituacaoTroca");

TfmAssSituacaoTroca::TfmAssSituacaoTroca(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Troca de Situação");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
