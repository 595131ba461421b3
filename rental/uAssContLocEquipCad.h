#pragma once
// TfmAssContCadLocEquip (fmAssContCadLocEquip): the register of equipment
// rental contracts ("Contratos de Locação de Equipamentos") used when the
// contract option is "E". It holds no data of its own: the header, items,
// requested lines and links are datasets of dmTecContrato, instalments and
// notes host datasets. The shared parts are TfmAssContLocBase's; this class
// adds its header order, the item pages, the history lists and the
// re-instalment panel. One instance lives in fmAssContCadLocEquip; closing
// it frees it and empties the variable.
//
// Sources: uAssContLocEquipCad.cpp (life cycle, lists, item grids, panel),
// uAssContLocEquipCadTela.cpp (its controls), uAssContLocEncerramento.cpp
// (closing and reopening lines), uAssContLocEstoque.cpp (their stock document).

#include "rental/uAssContLocComum.h"

#include "host/ui/WindowRegistry.h"

class QCheckBox;
namespace uAssContLoc {
struct PainelReparcela;
}
class QComboBox;
class QLineEdit;

namespace host::ui {
class CurrencyEdit;
class DateEdit;
}

class TfmAssContCadLocEquip : public TfmAssContLocBase {
    Q_OBJECT
public:
    explicit TfmAssContCadLocEquip(QWidget* parent = nullptr);

    // header
    host::ui::DataEdit* dbedDataNegociacao = nullptr;
    host::ui::DataEdit* dbedDataEntrega = nullptr;
    host::ui::DataEdit* dbedDataRA = nullptr;
    host::ui::DataComboBox* dbcbStatus = nullptr;
    host::ui::DataLookupCombo* dblcRequisitante = nullptr;
    host::ui::DataLookupCombo* dblcAprovador = nullptr;
    host::ui::DataComboBox* dbcbProjeto = nullptr;
    host::ui::DataComboBox* dbcbTipoDesc = nullptr;

    // item pages
    host::ui::TabSheet* tsComplementos = nullptr;
    host::ui::TabSheet* tsEquipamentosSolicitados = nullptr;
    host::ui::TabSheet* tsEquipamentosEncerrados = nullptr;
    host::ui::TabSheet* tsComplementosEncerrados = nullptr;
    host::ui::DataGrid* dbgdAssContCadLocEquipItens = nullptr;
    host::ui::DataGrid* dbgdAssContCadLocEquipCompl = nullptr;
    host::ui::DataGrid* dbgdAssContCadLocEquipSol = nullptr;
    host::ui::DataGrid* dbgdAssContCadLocEquipEnc = nullptr;
    host::ui::DataGrid* dbgdAssContCadLocEquipComplEnc = nullptr;
    host::ui::DataLabel* laAbrirCfgequip = nullptr;
    host::ui::DataLabel* laEncerrarEquipamento = nullptr;
    host::ui::DataLabel* laVisualizarJustificativa = nullptr;
    host::ui::DataLabel* laEncerrarCompl = nullptr;
    host::ui::DataLabel* laVisualizarJustificativaCompl = nullptr;
    host::ui::DataLabel* laReabrirEquip = nullptr;
    host::ui::DataLabel* laReabrirCompl = nullptr;
    host::data::DataSource* dsCtrCadastroItCompl = nullptr;
    host::data::DataSource* dsCtrEquipSol = nullptr;

    // re-instalment panel ("Parcelas")
    host::ui::DateEdit* deReparcelaVcto = nullptr;
    QLineEdit* maReparcelaQtde = nullptr;
    host::ui::DateEdit* deReparcelaVigDe = nullptr;
    host::ui::DateEdit* deReparcelaVigAte = nullptr;
    QCheckBox* ckReparcelaUltDiaMes = nullptr;
    host::ui::CurrencyEdit* ceReparcelaVlrBoleto = nullptr;
    host::ui::DateEdit* deReparcelaDtEmissao = nullptr;
    QComboBox* cbReparcelaPedCliente = nullptr;

    void FormCreate() override;
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;
    void dsCtrCadastroDataChange();
    void dsReceberDataChange();
    void CarregaListaTipos();
    void CarregaListaPeriodo();
    void CarregaListaProjetos(const QString& contratante);
    void CarregaListaPedidosCliente(const QString& contratante);
    void CarregaListaParcelaPedidoCliente(const QString& contratante);
    void dbgdAssContCadLocEquipItensEditButtonClick();
    void dbgdAssContCadLocEquipComplEditButtonClick();
    void laAbrirCfgequipClick();
    void ckReparcelaUltDiaMesClick();
    void deReparcelaDtEmissaoChange();
    void deReparcelaVctoChange();
    // Emptied whenever "Parcelas" is entered.
    void LimparReparcelamento();
    // Forecasting (sources: uAssContLocPrevisaoTela.cpp).
    bool VerificaReparcela() const;
    void bbPrevisionarClick() override;
    void dsReceberStateChange();
    void btImprimirClick();

    // Closing and reopening lines (uAssContLocEncerramento.cpp).
    void laEncerrarEquipamentoClick();
    void laEncerrarComplClick();
    void laReabrirEquipClick();
    void laReabrirComplClick();
    // One item of the run's stock document (uAssContLocEstoque.cpp): an
    // empty document asks the operation and creates it, its number coming
    // back for the run's next calls.
    void CtrAssBaixaEstoque(QString& documento, const QString& produto, double quantidade);

protected:
    void antesCarregarPagina(host::ui::TabSheet* pagina) override;
    void aposNovo() override;
    void cabecalhoAlterado() override { dsCtrCadastroDataChange(); }
    void receberAlterado() override { dsReceberDataChange(); }

private:
    uAssContLoc::PainelReparcela painelReparcela() const;
    void montarTela();
    QWidget* montarCabecalho();
    void montarItens();
    void montarReparcelamento();
    void ligarEventos();
    void gradeItensBotao(host::ui::DataGrid* grade, bool complemento);
    std::vector<host::ui::DataGrid*> gradesLayout() const;
};

extern host::ui::FormVar<TfmAssContCadLocEquip> fmAssContCadLocEquip;
