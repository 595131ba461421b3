#pragma once
// TfmPesquisaAssEquipamento (fmPesquisaAssEquipamento): the window of this unit. One instance lives in fmPesquisaAssEquipamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssEquipamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssEquipamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento;

// The equipment-model search (AATC03AE by description): true with the chosen
// model's code and description; cancelled: false and both untouched.
bool SelecionaEquipamento(int& iCodigo, QString& sDescricao);
