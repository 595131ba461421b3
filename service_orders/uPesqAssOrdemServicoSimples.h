#pragma once
// TfmPesquisaAssOrdemServicoSimples (fmPesquisaAssOrdemServicoSimples): the window of this unit. One instance lives in fmPesquisaAssOrdemServicoSimples;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssOrdemServicoSimples : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssOrdemServicoSimples(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssOrdemServicoSimples> fmPesquisaAssOrdemServicoSimples;
