#pragma once
// TfmAssOSSelecaoRel (fmAssOSSelecaoRel): the window of this unit. One instance lives in fmAssOSSelecaoRel;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOSSelecaoRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSSelecaoRel(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOSSelecaoRel> fmAssOSSelecaoRel;
