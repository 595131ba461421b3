#include "service_orders/uAssOSSelecaoRel.h"

host::ui::FormVar<TfmAssOSSelecaoRel> fmAssOSSelecaoRel("fmAssOSSelecaoRel");

TfmAssOSSelecaoRel::TfmAssOSSelecaoRel(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Relatório de Ordem de Serviço por Seleção");
    setStayOnTop(true);
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
