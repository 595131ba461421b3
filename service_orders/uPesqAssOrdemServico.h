#pragma once
// TfmPesquisaAssOrdemServico (fmPesquisaAssOrdemServico): the window of this unit. One instance lives in fmPesquisaAssOrdemServico;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssOrdemServico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssOrdemServico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico;
