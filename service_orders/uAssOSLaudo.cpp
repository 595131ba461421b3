#include "service_orders/uAssOSLaudo.h"

host::ui::FormVar<TfmAssOSLaudo> fmAssOSLaudo("fmAssOSLaudo");

TfmAssOSLaudo::TfmAssOSLaudo(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Laudo da Ordem de Serviço ");
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
