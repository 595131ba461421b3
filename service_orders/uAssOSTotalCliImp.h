#pragma once
// TqrAssOSTotalCliImp (qrAssOSTotalCliImp): the report form of this unit. One instance lives in qrAssOSTotalCliImp;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TqrAssOSTotalCliImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSTotalCliImp(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TqrAssOSTotalCliImp> qrAssOSTotalCliImp;
