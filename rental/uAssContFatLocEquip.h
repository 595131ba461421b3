#pragma once
// TfmAssContFatLocEquip (fmAssContFatLocEquip): the window of this unit. One instance lives in fmAssContFatLocEquip;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssContFatLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContFatLocEquip(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssContFatLocEquip> fmAssContFatLocEquip;
