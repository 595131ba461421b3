#pragma once
// TfmAssContAditivo (fmAssContAditivo): the window of this unit. One instance lives in fmAssContAditivo;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContAditivo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContAditivo(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContAditivo> fmAssContAditivo;
