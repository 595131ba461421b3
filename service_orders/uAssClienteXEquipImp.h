#pragma once
// TqrAssClienteXEquipImp (qrAssClienteXEquipImp): the report form of this unit. One instance lives in qrAssClienteXEquipImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssClienteXEquipImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssClienteXEquipImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssClienteXEquipImp> qrAssClienteXEquipImp;
