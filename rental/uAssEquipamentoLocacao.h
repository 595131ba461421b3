#pragma once
// TfmAssEquipamentoLocacao (fmAssEquipamentoLocacao, "Controle Equipamentos
// para Locação"): the register of rentable equipment and accessories over
// TdmTec's quEquipamentoLocacao, with the accessories and product groups of
// the current equipment. One instance lives in fmAssEquipamentoLocacao;
// closing it only hides it, and it is shown again as it was.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;

namespace host::data {
class Dataset;
class DataSource;
}  // namespace host::data
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLetterComboBox;
class DataMemo;
class DataSpinEdit;
class PageControl;
class TabSheet;
}  // namespace host::ui

class TfmAssEquipamentoLocacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssEquipamentoLocacao(QWidget* parent = nullptr);
    ~TfmAssEquipamentoLocacao() override;

    std::unique_ptr<host::data::DataSource> dsEquipamentoLocacao;
    std::unique_ptr<host::data::DataSource> dsAcessoriosLocacao;
    std::unique_ptr<host::data::DataSource> dsEquipamentoGrupo;

    QGroupBox* gbDadosCadastrais = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataLetterComboBox* dbcbTipoEquipamento = nullptr;
    host::ui::DataEdit* dbedModelo = nullptr;
    host::ui::DataEdit* dbedMarca = nullptr;
    host::ui::DataEdit* dbedAno = nullptr;
    host::ui::DataLetterComboBox* dbcbStatus = nullptr;
    host::ui::DataEdit* dbedValorCompra = nullptr;
    host::ui::DataEdit* dbedDataCompra = nullptr;
    host::ui::DataEdit* dbedNumeroSerie = nullptr;
    host::ui::DataEdit* dbedPlaca = nullptr;
    host::ui::DataEdit* dbedValorLocacao = nullptr;
    host::ui::DataEdit* dbedFilial = nullptr;
    host::ui::DataLetterComboBox* dbcbTipoControle = nullptr;
    QLabel* laQuantidade = nullptr;
    host::ui::DataSpinEdit* seQtdeTotal = nullptr;
    host::ui::DataSpinEdit* seQtdeBloqueada = nullptr;
    host::ui::PageControl* pcEquipamento = nullptr;
    host::ui::TabSheet* tsObservacao = nullptr;
    host::ui::TabSheet* tsAcessorios = nullptr;
    host::ui::TabSheet* tsGrupos = nullptr;
    host::ui::DataLetterComboBox* dbcbSubLocado = nullptr;
    host::ui::DataMemo* dbmeObservacao = nullptr;
    host::ui::DataGrid* dbgdAcessorios = nullptr;
    host::ui::DataGrid* dbgdGrupos = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbPesquisa = nullptr;
    QPushButton* bbAnterior = nullptr;
    QPushButton* bbProximo = nullptr;
    QPushButton* bbDuplicar = nullptr;
    QPushButton* bbFoto = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbCancelarClick();
    void bbPesquisaClick();
    void bbDuplicarClick();
    void dbcbTipoEquipamentoChange();
    void dbcbTipoControleChange();
    void dbgdAcessoriosEditButtonClick();
    void dbgdGruposEditButtonClick();

private:
    void criarControles();
    QWidget* criarDados();
    void criarPaginas();
    void criarBotoes(class QBoxLayout* barra);
    host::data::Dataset& equipamentos() const;
    // The accessories tab by the type shown; the quantities by the control.
    void AplicaTipo();
    void AplicaControle();
};

extern host::ui::FormVar<TfmAssEquipamentoLocacao> fmAssEquipamentoLocacao;
