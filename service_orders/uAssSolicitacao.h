#pragma once
// TfmAssSolicitacao (fmAssSolicitacao): the window of this unit. One instance lives in fmAssSolicitacao;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssSolicitacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSolicitacao(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssSolicitacao> fmAssSolicitacao;
