#pragma once
// TfmAssSituacaoTroca (fmAssSituacaoTroca): the window of this unit. One instance lives in fmAssSituacaoTroca;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssSituacaoTroca : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSituacaoTroca(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssSituacaoTroca> fmAssSituacaoTroca;
