#pragma once
// TfmAssContRenovacao (fmAssContRenovacao): the window of this unit. One instance lives in fmAssContRenovacao;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContRenovacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContRenovacao(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContRenovacao> fmAssContRenovacao;
