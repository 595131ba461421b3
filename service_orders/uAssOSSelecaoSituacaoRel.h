#pragma once
// TqrAssOSSelecaoSituacaoRel (qrAssOSSelecaoSituacaoRel): the report form of this unit. One instance lives in qrAssOSSelecaoSituacaoRel;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSSelecaoSituacaoRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSSelecaoSituacaoRel(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSSelecaoSituacaoRel> qrAssOSSelecaoSituacaoRel;
