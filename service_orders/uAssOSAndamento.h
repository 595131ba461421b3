#pragma once
// TqrAssOSAndamento (qrAssOSAndamento): the report form of this unit. One instance lives in qrAssOSAndamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSAndamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSAndamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSAndamento> qrAssOSAndamento;
