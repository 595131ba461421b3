#include "service_orders/uAssOSComprovanteEqto.h"

host::ui::FormVar<TqrAssOSComprovanteEqto> qrAssOSComprovanteEqto("qrAssOSComprovanteEqto");

TqrAssOSComprovanteEqto::TqrAssOSComprovanteEqto(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
