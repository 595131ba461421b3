#pragma once
// TqrAssCheckoutProtocolo (qrAssCheckoutProtocolo): the report form of this unit. One instance lives in qrAssCheckoutProtocolo;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssCheckoutProtocolo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssCheckoutProtocolo(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssCheckoutProtocolo> qrAssCheckoutProtocolo;
