#pragma once
// TqrAssOSHistoricoOficina (qrAssOSHistoricoOficina): the report form of this unit. One instance lives in qrAssOSHistoricoOficina;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSHistoricoOficina : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSHistoricoOficina(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSHistoricoOficina> qrAssOSHistoricoOficina;
