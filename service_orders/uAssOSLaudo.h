#pragma once
// TfmAssOSLaudo (fmAssOSLaudo): the window of this unit. One instance lives in fmAssOSLaudo;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssOSLaudo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSLaudo(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssOSLaudo> fmAssOSLaudo;
