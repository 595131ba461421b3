#pragma once
// TfmAssEntradaEquip (fmAssEntradaEquip): the window of this unit. One instance lives in fmAssEntradaEquip;
// closing it only hides it, and it is shown again as it was.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssEntradaEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEntradaEquip(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssEntradaEquip> fmAssEntradaEquip;
