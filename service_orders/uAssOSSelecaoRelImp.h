#pragma once
// TqrAssOSSelecaoRelImp (qrAssOSSelecaoRelImp): the report form of this unit. One instance lives in qrAssOSSelecaoRelImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSSelecaoRelImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSSelecaoRelImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSSelecaoRelImp> qrAssOSSelecaoRelImp;
