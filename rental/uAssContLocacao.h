#pragma once
// TfmAssContLocacao (fmAssContLocacao): the window of this unit. One instance lives in fmAssContLocacao;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContLocacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContLocacao(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContLocacao> fmAssContLocacao;
