#include "service_orders/uAssOSLaudo.h"

host::ui::FormVar<TfmAssOSLaudo> fmAssOSLaudo("fmAssOSLaudo");

TfmAssOSLaudo::TfmAssOSLaudo(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Laudo da Ordem de Serviço ");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
