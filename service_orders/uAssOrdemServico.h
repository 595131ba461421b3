#pragma once
// TfmAssOrdemServico (fmAssOrdemServico): the window of this unit. One instance lives in fmAssOrdemServico;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOrdemServico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOrdemServico> fmAssOrdemServico;
