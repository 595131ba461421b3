#pragma once
// TfmPesquisaAssContratos (fmPesquisaAssContratos): the window of this unit. One instance lives in fmPesquisaAssContratos;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssContratos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssContratos(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssContratos> fmPesquisaAssContratos;
