#pragma once
// TqrAssContratoLocEquip (qrAssContratoLocEquip): the report form of this unit. One instance lives in qrAssContratoLocEquip;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssContratoLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssContratoLocEquip(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssContratoLocEquip> qrAssContratoLocEquip;
