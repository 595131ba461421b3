#pragma once
// TfmAssConferenciaAcessorio (fmAssConferenciaAcessorio): the accessory
// check. Each accessory label scanned into mdCodigo (12 digits: the order
// as 9, the accessory's sequence as 3) marks that accessory of the order
// shown in the service-order window as confirmed. Every click of the
// window's button opens a further one; the variable holds the latest.
// Closing frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class QLabel;
class QLineEdit;

class TfmAssConferenciaAcessorio : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssConferenciaAcessorio(QWidget* parent = nullptr);

    QLabel* laInformeCodigo = nullptr;
    QLineEdit* mdCodigo = nullptr;

    // Confirms the accessory of the code when its order is the one shown;
    // any other code is ignored without a word. The edit is then cleared
    // for the next label. The change is not committed here: the next save
    // of the order commits it.
    void ConferenciaCodigoBarraAcessorio(const QString& Code);
    void mdCodigoChange();
    void FormActivate();
    void FormClose(host::ui::CloseAction& action);
};

extern host::ui::FormVar<TfmAssConferenciaAcessorio> fmAssConferenciaAcessorio;
