#pragma once
// TfmAssCheckoutConsulta (fmAssCheckoutConsulta): the window of this unit. One instance lives in fmAssCheckoutConsulta;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssCheckoutConsulta : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCheckoutConsulta(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssCheckoutConsulta> fmAssCheckoutConsulta;
