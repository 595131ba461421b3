#pragma once
// TfmSolicitacaoEntregas (fmSolicitacaoEntregas): the window of this unit. One instance lives in fmSolicitacaoEntregas;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmSolicitacaoEntregas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmSolicitacaoEntregas(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmSolicitacaoEntregas> fmSolicitacaoEntregas;
