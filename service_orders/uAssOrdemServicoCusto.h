#pragma once
// TfmAssOrdemServicoCusto (fmAssOrdemServicoCusto): the window of this unit. One instance lives in fmAssOrdemServicoCusto;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOrdemServicoCusto : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoCusto(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOrdemServicoCusto> fmAssOrdemServicoCusto;
