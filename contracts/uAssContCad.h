#pragma once
// TfmAssContCad (fmAssContCad): the window of this unit. One instance lives in fmAssContCad;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContCad : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCad(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContCad> fmAssContCad;
