#pragma once
// TfmPesquisaAssContratosLocEquip (fmPesquisaAssContratosLocEquip): the window of this unit. One instance lives in fmPesquisaAssContratosLocEquip;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssContratosLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssContratosLocEquip(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssContratosLocEquip> fmPesquisaAssContratosLocEquip;
