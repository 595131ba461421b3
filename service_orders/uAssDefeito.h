#pragma once
// TfmAssDefeito (fmAssDefeito): the window of this unit. One instance lives in fmAssDefeito;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssDefeito : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssDefeito(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssDefeito> fmAssDefeito;
