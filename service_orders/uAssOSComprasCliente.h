#pragma once
// TfmAssOSComprasCliente (fmAssOSComprasCliente): the window of this unit. One instance lives in fmAssOSComprasCliente;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOSComprasCliente : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSComprasCliente(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOSComprasCliente> fmAssOSComprasCliente;
