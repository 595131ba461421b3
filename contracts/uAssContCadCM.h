#pragma once
// TfmAssContCadCM (fmAssContCadCM): the window of this unit. One instance lives in fmAssContCadCM;
// closing it only hides it, and it is shown again as it was.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContCadCM : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCadCM(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContCadCM> fmAssContCadCM;
