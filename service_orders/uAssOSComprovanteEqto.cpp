#include "service_orders/uAssOSComprovanteEqto.h"

host::ui::FormVar<TqrAssOSComprovanteEqto> qrAssOSComprovanteEqto("qrAssOSComprovanteEqto");

TqrAssOSComprovanteEqto::TqrAssOSComprovanteEqto(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
