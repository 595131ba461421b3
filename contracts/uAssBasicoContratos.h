#pragma once
// TfmAssBasicoContratos (fmAssBasicoContratos): the basic contract register
// ("Cadastro de Contratos"), one contract of AATC05AC at a time over
// dmTec->quContrato, with its equipment (quContEquip) and services
// (quContServ) on two pages. A double click on an equipment or a service
// puts it into the service order open in the service-order window. One
// instance lives in fmAssBasicoContratos; closing it frees it.
//
// Sources: uAssBasicoContratos.cpp (controls, life cycle, buttons, pickers),
// uAssBasicoContratosOS.cpp (the copies into the service order),
// uAssBasicoContratosImp.cpp (the printed contract and the summary list).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class DataMemo;
class PageControl;
class TabSheet;
}  // namespace host::ui

namespace uAssBasicoContratos {
// True in vehicle mode (ATMODOVEICULO "O"): the equipment columns carry vehicle data.
bool ModoVeiculo();
// The current equipment row of dmTec->quContEquip as a new item of the open
// service order; nothing without the service-order window.
void CopiarEquipamentoParaOS();
// The current service row of dmTec->quContServ as a service line of the
// open service order; nothing without the service-order window.
void CopiarServicoParaOS();
// "Completo": the printed contract of the current contract, previewed.
void ImprimirContratoCompleto();
// "Resumido": every contract in the host's list report; the contract shown
// before is loaded again afterwards.
void ImprimirContratosResumido();
}  // namespace uAssBasicoContratos

class TfmAssBasicoContratos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBasicoContratos(QWidget* parent = nullptr);
    ~TfmAssBasicoContratos() override;

    std::unique_ptr<host::data::DataSource> dsContrato;
    std::unique_ptr<host::data::DataSource> dsContEquip;
    std::unique_ptr<host::data::DataSource> dsContServ;
    std::unique_ptr<host::data::DataSource> dsCliente;

    host::ui::DataEdit* dbedNumeroContrato = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataEdit* dbedValor = nullptr;
    host::ui::DataLabel* laCliente = nullptr;
    host::ui::DataLookupCombo* dblcCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    host::ui::DataComboBox* dbcbPrioridade = nullptr;
    host::ui::DataComboBox* dbcbAtendimento = nullptr;
    host::ui::DataComboBox* dbcbTipoContrato = nullptr;
    host::ui::DataEdit* dbedDataImplantacao = nullptr;
    host::ui::DataEdit* dbedDataValidade = nullptr;
    host::ui::DataEdit* dbedLimite = nullptr;
    host::ui::DataEdit* dbedLimiteHora = nullptr;
    host::ui::DataEdit* dbedValorExcedente = nullptr;
    host::ui::DataEdit* dbedServico = nullptr;
    QToolButton* sbPesqServico = nullptr;
    host::ui::DataEdit* dbedContato = nullptr;
    host::ui::DataMemo* dbmeTexto = nullptr;
    host::ui::PageControl* pcContrato = nullptr;
    host::ui::TabSheet* tsEquipamentos = nullptr;
    host::ui::TabSheet* tsServicos = nullptr;
    host::ui::DataGrid* dbgdEquipamentos = nullptr;
    host::ui::DataGrid* dbgdServicos = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbSalvarClick();
    void bbPesquisarClick();
    void bbRelatorioClick();
    void sbPesqClienteClick();
    void sbPesqServicoClick();
    void laClienteClick();
    void dbgdEquipamentosEditButtonClick();
    void dbgdServicosEditButtonClick();
    void dbgdEquipamentosTitleClick(int coluna);
    // The grid titles of the equipment page, by ATMODOVEICULO.
    void AjustaTitulosEquipamento();

private:
    void criarControles();
    void criarGrades();
    void FormActivate();
    void FormDeactivate();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
};

extern host::ui::FormVar<TfmAssBasicoContratos> fmAssBasicoContratos;
