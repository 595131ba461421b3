#pragma once
// TqrAssOSHistorico (qrAssOSHistorico): the report form of this unit. One instance lives in qrAssOSHistorico;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSHistorico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSHistorico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistorico> qrAssOSHistorico;
