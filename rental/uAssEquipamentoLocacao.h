#pragma once
// TfmAssEquipamentoLocacao (fmAssEquipamentoLocacao): the window of this unit. One instance lives in fmAssEquipamentoLocacao;
// closing it only hides it, and it is shown again as it was.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class TfmAssEquipamentoLocacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEquipamentoLocacao(QWidget* parent = nullptr);
};

extern host::ui::FormVar<TfmAssEquipamentoLocacao> fmAssEquipamentoLocacao;
