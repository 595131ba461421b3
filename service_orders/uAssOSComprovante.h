#pragma once
// TqrAssOSComprovante (qrAssOSComprovante): the report form of this unit. One instance lives in qrAssOSComprovante;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSComprovante : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSComprovante(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSComprovante> qrAssOSComprovante;
