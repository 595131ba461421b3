#pragma once
// TfmAssContObj (fmAssContObj): the window of this unit. One instance lives in fmAssContObj;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContObj : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContObj(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContObj> fmAssContObj;
