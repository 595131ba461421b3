#pragma once
// TfmPesquisaAssDefeitos (fmPesquisaAssDefeitos): the window of this unit. One instance lives in fmPesquisaAssDefeitos;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmPesquisaAssDefeitos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssDefeitos(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmPesquisaAssDefeitos> fmPesquisaAssDefeitos;
