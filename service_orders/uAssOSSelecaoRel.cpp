#include "service_orders/uAssOSSelecaoRel.h"

host::ui::FormVar<TfmAssOSSelecaoRel> fmAssOSSelecaoRel("fmAssOSSelecaoRel");

TfmAssOSSelecaoRel::TfmAssOSSelecaoRel(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Relatório de Ordem de Serviço por Seleção");
    setStayOnTop(true);
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
