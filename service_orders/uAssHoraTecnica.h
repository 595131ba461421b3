#pragma once
// TfmAssHoraTecnica (fmAssHoraTecnica): the window of this unit. One instance lives in fmAssHoraTecnica;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssHoraTecnica : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssHoraTecnica(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssHoraTecnica> fmAssHoraTecnica;
