#pragma once
// TqrAssOSRecibo (qrAssOSRecibo): the receipt note, the A4 twin of the history.

#include "service_orders/uAssOSHistorico.h"

class TqrAssOSRecibo : public TqrAssOSHistoricoComum {
    Q_OBJECT
public:
    explicit TqrAssOSRecibo(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSRecibo> qrAssOSRecibo;
