#pragma once
// TfmAssBasicoContratos (fmAssBasicoContratos): the window of this unit. One instance lives in fmAssBasicoContratos;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssBasicoContratos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBasicoContratos(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssBasicoContratos> fmAssBasicoContratos;
