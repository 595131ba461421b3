#pragma once
// TfmAssTecnico (fmAssTecnico): the register of technicians (AATC06AT over
// dmTec->quTecnicos), of the models each one is qualified for (AATC06ATIT,
// quTecEquip) and of the technicians below each one (AATC06ATDC,
// QuTecDesc). A technician row is also the permission record of the
// database user of the same name; only the master user changes its name and
// its rights, or deletes it. In vehicle mode it is the register
// of mechanics. One instance lives in fmAssTecnico; closing it frees it and
// empties the variable.

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
class DataComboBox;
class DataEdit;
class DataGrid;
class GridColumn;
class PageControl;
class TabSheet;
}  // namespace host::ui

class TfmAssTecnico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssTecnico(QWidget* parent = nullptr);
    ~TfmAssTecnico() override;

    QWidget* pnCabecalho = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    QLabel* laNome = nullptr;
    host::ui::DataEdit* dbedNome = nullptr;
    host::ui::DataComboBox* dbcbAlterarOS = nullptr;
    host::ui::DataComboBox* dbcbAlterarLaudo = nullptr;
    host::ui::DataComboBox* dbcbAcessoRestrito = nullptr;
    host::ui::DataComboBox* dbcbAtivo = nullptr;
    host::ui::DataComboBox* dbcbAlterarSituacao = nullptr;
    host::ui::PageControl* pcTecnico = nullptr;
    host::ui::TabSheet* tsEquipamentos = nullptr;
    host::ui::TabSheet* tsDescendentes = nullptr;
    host::ui::TabSheet* tsEndereco = nullptr;
    host::ui::TabSheet* tsOutrasInformacoes = nullptr;
    host::ui::DataGrid* dbgdEquipamentos = nullptr;
    host::ui::DataGrid* dbgdDescendentes = nullptr;
    host::ui::DataEdit* dbedCEP = nullptr;
    QToolButton* sbPesqCEP = nullptr;
    host::ui::DataEdit* dbedEndereco = nullptr;
    QLabel* laNumero = nullptr;
    host::ui::DataEdit* dbedNumero = nullptr;
    host::ui::DataEdit* dbedBairro = nullptr;
    host::ui::DataEdit* dbedCidade = nullptr;
    host::ui::DataComboBox* dbcbUF = nullptr;
    host::ui::DataEdit* dbedComplemento = nullptr;
    host::ui::DataEdit* dbedEmail = nullptr;
    host::ui::DataEdit* dbedUsuario = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* sbAnterior = nullptr;
    QPushButton* sbProximo = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbPesquisarClick();
    void sbPesqCEPClick();
    void bbRelatorioClick();
    void dbgdEquipamentosEditButtonClick();
    void dbgdDescendentesEditButtonClick();

private:
    void criarControles();
    QWidget* criarCabecalho();
    QWidget* criarEndereco();
    QWidget* criarOutrasInformacoes();
    void FormActivate();
    void tituloClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna);
    host::data::Dataset& tecnicos() const;
    std::unique_ptr<host::data::DataSource> dsTecnicos_;
    std::unique_ptr<host::data::DataSource> dsTecEquip_;
    std::unique_ptr<host::data::DataSource> dsTecDesc_;
};

extern host::ui::FormVar<TfmAssTecnico> fmAssTecnico;
