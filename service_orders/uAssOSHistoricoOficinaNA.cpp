#include "service_orders/uAssOSHistoricoOficinaNA.h"

host::ui::FormVar<TqrAssOSHistoricoOficinaNA> qrAssOSHistoricoOficinaNA("qrAssOSHistoricoOficinaNA");

TqrAssOSHistoricoOficinaNA::TqrAssOSHistoricoOficinaNA(QWidget* parent) : TqrAssOSHistoricoOficinaComum(parent, true)
{
}
