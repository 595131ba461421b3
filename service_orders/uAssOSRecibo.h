#pragma once
// TqrAssOSRecibo (qrAssOSRecibo): the report form of this unit. One instance lives in qrAssOSRecibo;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSRecibo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSRecibo(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSRecibo> qrAssOSRecibo;
