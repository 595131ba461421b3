#pragma once
// TqrAssImpProposta (qrAssImpProposta): the report form of this unit. One instance lives in qrAssImpProposta;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssImpProposta : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssImpProposta(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssImpProposta> qrAssImpProposta;
