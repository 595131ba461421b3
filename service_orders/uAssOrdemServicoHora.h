#pragma once
// TfmAssOrdemServicoHora (fmAssOrdemServicoHora): the window of this unit. One instance lives in fmAssOrdemServicoHora;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOrdemServicoHora : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoHora(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOrdemServicoHora> fmAssOrdemServicoHora;
