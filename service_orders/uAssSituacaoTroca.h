#pragma once
// TfmAssSituacaoTroca (fmAssSituacaoTroca): the situation-change dialog. The
// technician picks the order's new situation, may write a report and the
// start and end time of the work; confirming writes the progress record.
// One instance lives in fmAssSituacaoTroca; it is freed after each question.

#include "data/uDataTec.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataEdit;
class DataLookupCombo;
}

class TfmAssSituacaoTroca : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSituacaoTroca(QWidget* parent = nullptr);
    ~TfmAssSituacaoTroca() override;

    QGroupBox* gbSituacao = nullptr;
    QLabel* laTroca = nullptr;
    host::ui::DataLookupCombo* dblcSituacao = nullptr;
    host::data::DataSource* dsSituacao = nullptr;
    QLabel* laCodTec = nullptr;
    QLabel* laNomeTec = nullptr;
    QLabel* laCodSitAtual = nullptr;
    QLabel* laSitAtual = nullptr;
    QPlainTextEdit* meLaudo = nullptr;
    host::ui::DataEdit* mdHoraInicial = nullptr;
    host::ui::DataEdit* mdHoraFinal = nullptr;
    QWidget* gbHoras = nullptr;               // the worked hours
    QLabel* laTempo = nullptr;
    QWidget* paBotoes = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbCancelar = nullptr;

    void FormActivate();
    void bbOkClick();
    void laCodTecClick();
    void tiTempoTimer();

    // The situation chosen in the list; 0 when the list is hidden or empty.
    int situacaoEscolhida() const;

    // Fixes the order (and item) shown now as the one the dialog is about:
    // the record goes there whatever the desk's lists show at OK.
    void fixarOrdemMostrada();

private:
    int ordem() const;
    int itemDaTroca() const;
    void verificarPermissao(int situacao);
    void perguntarAoFechar(bool& podeFechar);
    bool respondido_ = false;   // closed by OK or Cancel: nothing to ask
    int ordem_ = -1;   // -1 until fixed: the order shown
    int item_ = 0;
    std::unique_ptr<host::data::DataSource> situacoes_;
};

extern host::ui::FormVar<TfmAssSituacaoTroca> fmAssSituacaoTroca;

// Shows the dialog modally (creating it first when bCriar); true when it was
// confirmed, and then asCodigo is the situation chosen in its list (0 when the
// list is hidden or empty). The dialog is freed in every case.
bool SelecionaSituacaoTroca(int& asCodigo, bool bCriar);

// The timed change: bOk tells that it was confirmed, iTrocaSituacaoCodigo
// holds the situation chosen then.
extern bool bOk;
extern int iTrocaSituacaoCodigo;

// The timed variant: the dialog stays on top without blocking the screens,
// with its clock running and the start time preset, while the caller waits
// until it is gone. Confirmed, asCodigo becomes the situation chosen;
// otherwise it is left alone. A call made while another one waits is
// refused at once (asCodigo left alone): the waiting caller owns the dialog.
// The dialog is kept over dono (the window active, when none is given).
void SelecionaSituacaoTrocaTempo(int& asCodigo, bool bCriar, QWidget* dono = nullptr);

// The service-order rules' situation question: the dialog prepared for the
// order and the situation proposed; the situation chosen, 0 when not confirmed.
int TrocaSituacaoOrdemServico(const PedidoTrocaSituacao& pedido);
