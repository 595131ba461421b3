#pragma once
// TfmAssOrdemServicoFecha (fmAssOrdemServicoFecha): "Fechamento de OS", the
// dialog that closes the current order of the service-order window in one
// step: the operation and payment-term table are confirmed (the combos edit
// the order), the order takes the final situation of its kind, a progress
// record is written and the sales order is generated. One instance lives in
// fmAssOrdemServicoFecha; SelecionaFechamentoOS makes, shows and frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace host::ui {
class DataLookupCombo;
}

class TfmAssOrdemServicoFecha : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoFecha(QWidget* parent = nullptr);

    QGroupBox* gbFechamento = nullptr;
    QLabel* laOperacao = nullptr;
    host::ui::DataLookupCombo* dblcOperacao = nullptr;
    QPushButton* sbOp = nullptr;
    QLabel* laTabVcto = nullptr;
    host::ui::DataLookupCombo* dblcTabVcto = nullptr;
    QPushButton* sbPesqTabVcto = nullptr;
    QCheckBox* ckOcultarPecas = nullptr;
    QCheckBox* ckPV = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancelar = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();
    void sbOpClick();
    void sbPesqTabVctoClick();
    void btOKClick();
    void btCancelarClick();
};

extern host::ui::FormVar<TfmAssOrdemServicoFecha> fmAssOrdemServicoFecha;

// Closes the current order of the service-order window through the dialog.
void SelecionaFechamentoOS();
