#pragma once
// TfmAssEquipamento (fmAssEquipamento): the window of this unit. One instance lives in fmAssEquipamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssEquipamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEquipamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssEquipamento> fmAssEquipamento;
