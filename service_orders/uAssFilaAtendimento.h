#pragma once
// TfmAssFilaAtendimento (fmAssFilaAtendimento): the window of this unit. One instance lives in fmAssFilaAtendimento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssFilaAtendimento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssFilaAtendimento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssFilaAtendimento> fmAssFilaAtendimento;
