#pragma once
// TqrAssOSHistoricoOficinaNA (qrAssOSHistoricoOficinaNA): the report form of this unit. One instance lives in qrAssOSHistoricoOficinaNA;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSHistoricoOficinaNA : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSHistoricoOficinaNA(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistoricoOficinaNA> qrAssOSHistoricoOficinaNA;
