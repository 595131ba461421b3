#pragma once
// TfmAssCheckout (fmAssCheckout): the window of this unit. One instance lives in fmAssCheckout;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssCheckout : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCheckout(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssCheckout> fmAssCheckout;
