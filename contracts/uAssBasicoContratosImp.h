#pragma once
// TqrAssBasicoContratosImp (qrAssBasicoContratosImp): the report form of this unit. One instance lives in qrAssBasicoContratosImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssBasicoContratosImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssBasicoContratosImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssBasicoContratosImp> qrAssBasicoContratosImp;
