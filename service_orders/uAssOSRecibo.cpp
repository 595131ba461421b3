#include "service_orders/uAssOSRecibo.h"

host::ui::FormVar<TqrAssOSRecibo> qrAssOSRecibo("qrAssOSRecibo");

TqrAssOSRecibo::TqrAssOSRecibo(QWidget* parent) : TqrAssOSHistoricoComum(parent, true) {}
