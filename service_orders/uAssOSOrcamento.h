#pragma once
// TqrAssOSOrcamento (qrAssOSOrcamento): the report form of this unit. One instance lives in qrAssOSOrcamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSOrcamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSOrcamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSOrcamento> qrAssOSOrcamento;
