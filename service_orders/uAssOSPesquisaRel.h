#pragma once
// TqrAssOSPesquisaRel (qrAssOSPesquisaRel): the report form of this unit. One instance lives in qrAssOSPesquisaRel;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSPesquisaRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSPesquisaRel(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSPesquisaRel> qrAssOSPesquisaRel;
