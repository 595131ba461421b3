#pragma once
// TqrAssOSPesquisaFic (qrAssOSPesquisaFic): the report form of this unit. One instance lives in qrAssOSPesquisaFic;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSPesquisaFic : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSPesquisaFic(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSPesquisaFic> qrAssOSPesquisaFic;
