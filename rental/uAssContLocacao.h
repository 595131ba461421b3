#pragma once
// TfmAssContLocacao (fmAssContLocacao): the register of rental contracts
// with equipment control ("Cadastro de Contrato de Locação de
// Equipamento"), used when the contract option is "Q". The twin of
// TfmAssContCadLocEquip: the shared parts are TfmAssContLocBase's; this
// class adds its header (daily or monthly period, due-date table or due
// day, bank), the salesman, the rentable equipment and accessory grids and
// the "Faturar" button. Creating it creates the report data module. One
// instance lives in fmAssContLocacao; closing it frees it and empties the
// variable.

#include "rental/uAssContLocComum.h"

#include "host/ui/WindowRegistry.h"

class QSplitter;

class TfmAssContLocacao : public TfmAssContLocBase {
    Q_OBJECT
public:
    explicit TfmAssContLocacao(QWidget* parent = nullptr);

    host::data::DataSource* dsCtrEquipLocacao = nullptr;
    host::data::DataSource* dsCtrAcessLocacao = nullptr;
    host::data::DataSource* dsTabVenc = nullptr;

    host::ui::DataEdit* dbedDataEncerramento = nullptr;   // ACDATAENTREGA
    QLabel* laTabelaVenc = nullptr;
    host::ui::DataEdit* dbedTabelaVenc = nullptr;
    host::ui::DataLookupCombo* dblcTabelaVenc = nullptr;
    QPushButton* bbPesqTabVenc = nullptr;
    QLabel* laDiaVenc = nullptr;
    host::ui::DataEdit* dbedDiaVenc = nullptr;
    host::ui::DataLookupCombo* dblcBancoCabecalho = nullptr;
    host::ui::DataComboBox* dbcbTipoDesc = nullptr;   // the stored types to choose from
    QWidget* paParcelasCabecalho = nullptr;   // "Parcelas": present but hidden
    host::ui::DataEdit* dbedVendedor = nullptr;
    host::ui::DataLookupCombo* DBLcACVENDEDOR = nullptr;
    QPushButton* SbPesqVendedor = nullptr;

    QSplitter* spEquipamentos = nullptr;
    host::ui::DataGrid* dbgdAssContEquipamentoLocacao = nullptr;
    host::ui::DataGrid* dbgdAssContAcessorioLocacao = nullptr;
    host::ui::DataLabel* laEncerrarEquipamento = nullptr;
    host::ui::DataLabel* laReabrirEquip = nullptr;
    host::ui::DataLabel* laVisualizarJustificativa = nullptr;
    QPushButton* bbFaturar = nullptr;

    void FormCreate() override;
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;
    void laContratanteClick();
    void LbClienteClick();
    void dbcbPeriodoDescChange();
    void bbPesqTabVencClick();
    void SbPesqVendedorClick();
    void dbgdAssContEquipamentoLocacaoEditButtonClick();
    void dbgdAssContAcessorioLocacaoEditButtonClick();
    void dsReceberDataChange();
    void CarregaListaParcelaTiposVcto();
    void bbPrevisionarClick() override;   // uAssContLocPrevisaoTela.cpp
    void btImprimirClick();
    // Closing and reopening lines (uAssContLocEncerramento.cpp).
    void laEncerrarEquipamentoClick();
    void laReabrirEquipClick();
    void bbFaturarClick();   // daily billing (uAssContLocFaturamentoDiario.cpp)

protected:
    void antesCarregarPagina(host::ui::TabSheet* pagina) override;
    void aposNovo() override;
    void cabecalhoAlterado() override;
    void receberAlterado() override { dsReceberDataChange(); }
    host::data::Dataset& itensAtuais() const override;

private:
    void montarTela();
    QWidget* montarCabecalho();
    void montarEquipamentos();
    void ligarEventos();
    void carregarEquipamentos();
    // What the contract and protocol print: the equipment and the customer of the contract shown.
    void carregarImpressao();
    int equipamentosDoContrato_ = -1;   // the contract whose equipment the grids hold
};

extern host::ui::FormVar<TfmAssContLocacao> fmAssContLocacao;
