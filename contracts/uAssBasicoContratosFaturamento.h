#pragma once
// TfmAssBasicoContratosFaturamento (fmAssBasicoContratosFaturamento): the window of this unit. One instance lives in fmAssBasicoContratosFaturamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssBasicoContratosFaturamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBasicoContratosFaturamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssBasicoContratosFaturamento> fmAssBasicoContratosFaturamento;
