#pragma once
// TqrAssOSOrcamentoCompleto (qrAssOSOrcamentoCompleto): the report form of this unit. One instance lives in qrAssOSOrcamentoCompleto;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSOrcamentoCompleto : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSOrcamentoCompleto(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSOrcamentoCompleto> qrAssOSOrcamentoCompleto;
