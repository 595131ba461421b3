#pragma once
// TfmAssOrdemServicoFecha (fmAssOrdemServicoFecha): the window of this unit. One instance lives in fmAssOrdemServicoFecha;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOrdemServicoFecha : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoFecha(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOrdemServicoFecha> fmAssOrdemServicoFecha;
