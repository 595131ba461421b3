#pragma once
// TfmPesquisaAssEquipamento (fmPesquisaAssEquipamento): the search of the
// equipment and vehicle models (AATC03AE), "Pesquisa de Equipamento". The
// boxes filter by code, description, make, model and a customer who has the
// model; "OK" lists the matches with their count; a double click picks the
// row. The dialog lives only while one of its pickers runs.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class GridColumn;
class StatusBar;
}  // namespace host::ui

namespace uPesqAssEquipamento {
// What the boxes hold; empty texts add no condition.
struct FiltroEquipamento {
    QString codigo, descricao, marca, modelo, cliente;
    bool ocultarInativos = true;
    int onde = 1;    // "Onde": 0 "Começando com", 1 "Contendo", 2 "Terminando com"
};
// The search statement ordered by "Ordenar por " (0 code, 1 description,
// 2 make, 3 model) and the count of the same rows (column TotReg).
QString SqlPesquisaEquipamento(const FiltroEquipamento& filtro, int ordem);
QString SqlContagemEquipamento(const FiltroEquipamento& filtro);
// The customer of the contract open in the contract register (empty: none),
// set by that window while it lives.
extern std::function<QString()> ClienteContratoEmCadastro;
}  // namespace uPesqAssEquipamento

class TfmPesquisaAssEquipamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssEquipamento(QWidget* parent = nullptr);
    ~TfmPesquisaAssEquipamento() override;

    std::unique_ptr<host::data::Query> quConsultaEquip;
    std::unique_ptr<host::data::DataSource> dsConsultaEquip;

    QGroupBox* gbCampo = nullptr;
    QLineEdit* edCodigo = nullptr;
    QLineEdit* edDescricao = nullptr;
    QLineEdit* edMarca = nullptr;
    QLineEdit* edModelo = nullptr;
    QLineEdit* edCodCli = nullptr;
    QToolButton* sbPesqCli = nullptr;
    QCheckBox* ckOcultaInativo = nullptr;
    QPushButton* bbPesquisa = nullptr;
    QGroupBox* rgOnde = nullptr;
    QRadioButton* rbComecando = nullptr;
    QRadioButton* rbContendo = nullptr;
    QRadioButton* rbTerminando = nullptr;
    QGroupBox* rgOrdem = nullptr;
    QRadioButton* rbOrdemCodigo = nullptr;
    QRadioButton* rbOrdemDescricao = nullptr;
    QRadioButton* rbOrdemMarca = nullptr;
    QRadioButton* rbOrdemModelo = nullptr;
    host::ui::DataGrid* dbgdEquipamento = nullptr;
    host::ui::StatusBar* sbStatus = nullptr;

    void bbPesquisaClick();
    void sbPesqCliClick();
    // Lists the matching models; the text for the "found" panel.
    QString Pesquisar(const QString& codigo, const QString& descricao, const QString& marca, const QString& modelo,
                      const QString& cliente, bool ocultarInativos);

private:
    void criarControles();
    void dbgdEquipamentoTitleClick(host::ui::GridColumn& coluna);
    QButtonGroup* grupoOnde_ = nullptr;
    QButtonGroup* grupoOrdem_ = nullptr;
};

extern host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento;

// The search as a picker: true on OK with the chosen model's code and
// description; false, the arguments unchanged, otherwise. With the host's
// ATENVIOEMAILOS "C" the customer box starts with the current order's
// customer. The dialog is always released.
bool SelecionaEquipamento(int& iCodigo, QString& sDescricao);
// The search with several rows selectable: the list is cleared, then on OK
// takes the code (as text) of every selected row. Besides the order's
// customer, with ATUTILIZACONTRATOS "E" the customer of the contract open in
// the contract register is preset. True on OK.
bool SelecionaMultiplosEquipamento(QStringList& lista);
