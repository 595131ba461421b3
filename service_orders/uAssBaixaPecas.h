#pragma once
// TfmAssBaixaPecas (fmAssBaixaPecas): the window of this unit. One instance lives in fmAssBaixaPecas;
// closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssBaixaPecas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBaixaPecas(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssBaixaPecas> fmAssBaixaPecas;
