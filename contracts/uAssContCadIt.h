#pragma once
// TfmAssContCadIt (fmAssContCadIt): the window of this unit. One instance lives in fmAssContCadIt;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContCadIt : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCadIt(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContCadIt> fmAssContCadIt;
