#pragma once
// TfmAssContObj (fmAssContObj): the register of billing objects (AATC11AJ)
// over dmTecContrato->quCtrObjeto. Its look-up lists (operations, payment
// tables, histories, cash-flow accounts, indexes) are open while the window
// is active. One instance lives in fmAssContObj; closing it frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace host::data {
class Dataset;
class DataSource;
}  // namespace host::data
namespace host::ui {
class DataCheckBox;
class DataComboBox;
class DataEdit;
class DataLabel;
class DataLookupCombo;
}  // namespace host::ui

class TfmAssContObj : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContObj(QWidget* parent = nullptr);
    ~TfmAssContObj() override;

    // The payment kinds offered (the column keeps the code, the first character).
    static const QStringList& TiposPagamento();
    // The invoice complements offered (the column keeps the whole entry).
    static const QStringList& ComplementosNF();

    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataEdit* dbedObj = nullptr;
    host::ui::DataComboBox* dbcbPeriodo = nullptr;
    host::ui::DataEdit* dbedConta = nullptr;
    host::ui::DataLookupCombo* dbcbCxConta = nullptr;
    host::ui::DataEdit* dbedHistorico = nullptr;
    host::ui::DataLookupCombo* dblcHist = nullptr;
    host::ui::DataCheckBox* dbchAtivo = nullptr;
    host::ui::DataComboBox* dbcbDeveGerar = nullptr;
    host::ui::DataComboBox* dbcbTipoPgto = nullptr;
    host::ui::DataLookupCombo* dblcOperacao = nullptr;
    host::ui::DataEdit* dbedValorPercentual = nullptr;
    host::ui::DataCheckBox* dbckIncluirItens = nullptr;
    host::ui::DataCheckBox* dbckIndiceReaj = nullptr;
    host::ui::DataComboBox* dbcbComplemNF = nullptr;
    host::ui::DataEdit* dbedComplHC = nullptr;
    host::ui::DataComboBox* dbcbFranquia = nullptr;
    host::ui::DataComboBox* dbcbValorDiario = nullptr;
    host::ui::DataLabel* laHistorico = nullptr;
    host::ui::DataLabel* laConta = nullptr;
    host::ui::DataLabel* laOperacao = nullptr;
    host::ui::DataLabel* laTipoPgto = nullptr;
    QLabel* Label4 = nullptr;
    QToolButton* sbPesqObj = nullptr;
    QToolButton* sbPesqCxConta = nullptr;
    QToolButton* sbPEsqHistorico = nullptr;
    QToolButton* sbPesqOP = nullptr;
    QToolButton* sbAnt = nullptr;
    QToolButton* sbProx = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbRelatorio = nullptr;

    void sbPesqObjClick();
    void sbPEsqHistoricoClick();
    void sbPesqCxContaClick();
    void sbPesqOPClick();
    void Mover(const QString& direcao);

private:
    void criarControles();
    host::data::Dataset& objeto() const;
    void FormActivate();
    void FormDeactivate();
    void FormClose(host::ui::CloseAction& action);
    // The look-up lists the window opens while it is active.
    std::vector<host::data::Dataset*> listas() const;
    void laOperacaoClick();

    std::unique_ptr<host::data::DataSource> dsCadastro_, dsOperacao_, dsCxConta_, dsHistorico_, dsTabela_;
};

extern host::ui::FormVar<TfmAssContObj> fmAssContObj;
