#pragma once
// TfmAssTecnico (fmAssTecnico): the window of this unit. One instance lives in fmAssTecnico;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssTecnico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssTecnico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssTecnico> fmAssTecnico;
