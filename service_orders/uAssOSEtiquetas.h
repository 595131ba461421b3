#pragma once
// TqrAssOSEtiquetas (qrAssOSEtiquetas): the report form of this unit. One instance lives in qrAssOSEtiquetas;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSEtiquetas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSEtiquetas(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSEtiquetas> qrAssOSEtiquetas;
