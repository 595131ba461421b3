#pragma once
// TfmAssContFat (fmAssContFat): the window of this unit. One instance lives in fmAssContFat;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContFat : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContFat(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContFat> fmAssContFat;
