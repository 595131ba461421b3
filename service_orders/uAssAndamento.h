#pragma once
// TfmAssAndamento (fmAssAndamento): the window of this unit. One instance lives in fmAssAndamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssAndamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssAndamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssAndamento> fmAssAndamento;
