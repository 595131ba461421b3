#pragma once
// TfmAssContCadLocEquip (fmAssContCadLocEquip): the window of this unit. One instance lives in fmAssContCadLocEquip;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContCadLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCadLocEquip(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContCadLocEquip> fmAssContCadLocEquip;
