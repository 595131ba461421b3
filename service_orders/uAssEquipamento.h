#pragma once
// TfmAssEquipamento (fmAssEquipamento): the register of equipment and
// vehicle models (AATC03AE over dmTec->quEquipamento), one model at a time:
// none is shown until one is picked with the search (Esc) or created. In
// vehicle mode it is the register of vehicles. One instance lives in
// fmAssEquipamento; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QFormLayout;
class QLayout;
class QPushButton;
class QToolButton;

namespace host::data {
class Dataset;
class DataSource;
}  // namespace host::data
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataMemo;
}  // namespace host::ui

class TfmAssEquipamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEquipamento(QWidget* parent = nullptr);
    ~TfmAssEquipamento() override;

    QWidget* pnEdicao = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataEdit* dbedMarca = nullptr;
    host::ui::DataEdit* dbedModelo = nullptr;
    host::ui::DataEdit* dbedCarroceria = nullptr;
    host::ui::DataComboBox* dbcbTipo = nullptr;
    host::ui::DataComboBox* dbcbId = nullptr;
    host::ui::DataComboBox* dbcbAtivo = nullptr;
    host::ui::DataEdit* dbedValorGarantia = nullptr;
    host::ui::DataEdit* dbedCodInt = nullptr;
    host::ui::DataEdit* dbedProdutoVinculado = nullptr;
    QToolButton* sbPesqProduto = nullptr;
    host::ui::DataMemo* dbmeObservacao = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbPesquisarClick();
    void sbPesqProdutoClick();
    void bbRelatorioClick();
    // The types already in use (at most 20, sorted) become the type list.
    void CarregaTipos();

private:
    void criarControles();
    void aplicarModo();
    host::data::Dataset& equipamentos() const;
    std::unique_ptr<host::data::DataSource> dsEquipamento_;
    QFormLayout* campos_ = nullptr;
    QLayout* linhaProduto_ = nullptr;
};

extern host::ui::FormVar<TfmAssEquipamento> fmAssEquipamento;
