#pragma once
// TfmAssSituacao (fmAssSituacao): the register of the situations of service
// orders (AATC01AS over dmTec->quOSSituacao). Each option is offered only for
// the modules its row belongs to. Also the situation picker. One instance
// lives in fmAssSituacao; closing it frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QFrame;
class QGroupBox;
class QPushButton;
class QToolButton;

namespace host::data {
class Dataset;
class DataSource;
}
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
}

class TfmAssSituacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssSituacao(QWidget* parent = nullptr);
    ~TfmAssSituacao() override;

    QGroupBox* gbSituacoes = nullptr;
    host::ui::DataGrid* dbgdSituacao = nullptr;
    QWidget* pnEdicao = nullptr;
    QWidget* pnBotoes = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataComboBox* dbcbTipo = nullptr;
    host::ui::DataComboBox* dbcbID = nullptr;
    host::ui::DataComboBox* dbcbInternet = nullptr;
    host::ui::DataComboBox* dbcbAprova = nullptr;
    host::ui::DataComboBox* dbcbEstoque = nullptr;
    host::ui::DataComboBox* dbcbCliente = nullptr;
    host::ui::DataComboBox* dbcbReserva = nullptr;
    host::ui::DataComboBox* dbcbInsercao = nullptr;
    host::ui::DataComboBox* dbcbEmail = nullptr;
    host::ui::DataEdit* dbedSenha = nullptr;
    host::ui::DataEdit* dbedTempoPrevisto = nullptr;
    host::ui::DataComboBox* dbcbEnviaFila = nullptr;
    host::ui::DataComboBox* dbcbValidaEstoque = nullptr;
    host::ui::DataComboBox* dbcbBloqueiaEdicao = nullptr;
    host::ui::DataEdit* dbedCor = nullptr;
    QFrame* shCor = nullptr;
    QToolButton* sbCor = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbAnterior = nullptr;
    QPushButton* bbProximo = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    // The row shown changed: the colour box and the options its module allows.
    void dsSituacaoDataChange();
    void sbCorClick();
    void bbNovoClick();
    void bbRelatorioClick();

private:
    void criarControles();
    host::data::Dataset& situacoes() const;
    std::unique_ptr<host::data::DataSource> dsSituacao_;
};

extern host::ui::FormVar<TfmAssSituacao> fmAssSituacao;

// The register as a picker: true when a row was chosen (double click), then
// with its code and description.
bool SelecionaOSSituacao(int& asCodigo, QString& asDescricao);
