#pragma once
// TfmPesquisaAssEquipamento (fmPesquisaAssEquipamento): the window of this unit. One instance lives in fmPesquisaAssEquipamento;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

class TfmPesquisaAssEquipamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssEquipamento(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento;

// The equipment-model search (AATC03AE): true with the chosen model's code
// and description; false, the arguments unchanged, when nothing is picked.
bool SelecionaEquipamento(int& iCodigo, QString& sDescricao);
