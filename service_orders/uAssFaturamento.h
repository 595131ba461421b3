#pragma once
// TfmAssFaturamento (fmAssFaturamento): the window of this unit. One instance lives in fmAssFaturamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssFaturamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssFaturamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssFaturamento> fmAssFaturamento;
