#pragma once
// TqrAssOSComprovanteEqto (qrAssOSComprovanteEqto): the report form of this unit. One instance lives in qrAssOSComprovanteEqto;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSComprovanteEqto : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSComprovanteEqto(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSComprovanteEqto> qrAssOSComprovanteEqto;
