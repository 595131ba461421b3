#pragma once
// TfmAssContLocRel (fmAssContLocRel): the window of this unit. One instance lives in fmAssContLocRel;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContLocRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContLocRel(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContLocRel> fmAssContLocRel;
