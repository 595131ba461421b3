#pragma once
// TfmAssCadMedidor (fmAssCadMedidor): the window of this unit. One instance lives in fmAssCadMedidor;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssCadMedidor : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCadMedidor(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssCadMedidor> fmAssCadMedidor;
