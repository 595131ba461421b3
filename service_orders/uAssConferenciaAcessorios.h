#pragma once
// TfmAssConferenciaAcessorio (fmAssConferenciaAcessorio): the window of this unit. One instance lives in fmAssConferenciaAcessorio;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssConferenciaAcessorio : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssConferenciaAcessorio(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssConferenciaAcessorio> fmAssConferenciaAcessorio;
