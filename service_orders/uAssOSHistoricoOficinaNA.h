#pragma once
// TqrAssOSHistoricoOficinaNA (qrAssOSHistoricoOficinaNA): the workshop
// history with commercial descriptions, the stock mark " * " and the
// municipal registration; every line is printed.

#include "service_orders/uAssOSHistoricoOficina.h"

class TqrAssOSHistoricoOficinaNA : public TqrAssOSHistoricoOficinaComum {
    Q_OBJECT
public:
    explicit TqrAssOSHistoricoOficinaNA(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistoricoOficinaNA> qrAssOSHistoricoOficinaNA;
