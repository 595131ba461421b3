#pragma once
// TqrAssVendasImp (qrAssVendasImp): the report form of this unit. One instance lives in qrAssVendasImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssVendasImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssVendasImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssVendasImp> qrAssVendasImp;
