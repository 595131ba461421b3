#pragma once
// TqrAssVendasImp2 (qrAssVendasImp2): the report form of this unit. One instance lives in qrAssVendasImp2;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssVendasImp2 : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssVendasImp2(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssVendasImp2> qrAssVendasImp2;
