#pragma once
// TfmAssContReaj (fmAssContReaj): the window of this unit. One instance lives in fmAssContReaj;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContReaj : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContReaj(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContReaj> fmAssContReaj;
