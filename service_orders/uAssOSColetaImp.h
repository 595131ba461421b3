#pragma once
// TqrAssOSColetaImp (qrAssOSColetaImp): the report form of this unit. One instance lives in qrAssOSColetaImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSColetaImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSColetaImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSColetaImp> qrAssOSColetaImp;
