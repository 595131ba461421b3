#pragma once
// TfmPesquisaAssOrdemServico (fmPesquisaAssOrdemServico): the window of this unit. One instance lives in fmPesquisaAssOrdemServico;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

class TfmPesquisaAssOrdemServico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssOrdemServico(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico;

// The order picker: true with the chosen order, its equipment code and
// description; false, the arguments unchanged, when nothing is picked.
bool SelecionaOrdemServico(int& iNumeroOrdem, int& iCodigoEquipamento, QString& SDescricao);
