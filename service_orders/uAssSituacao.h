#pragma once
// TfmAssSituacao (fmAssSituacao): the window of this unit. One instance lives in fmAssSituacao;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssSituacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSituacao(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssSituacao> fmAssSituacao;
