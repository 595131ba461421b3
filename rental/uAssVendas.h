#pragma once
// TfmAssVendas (fmAssVendas): the window of this unit. One instance lives in fmAssVendas;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssVendas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssVendas(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssVendas> fmAssVendas;
