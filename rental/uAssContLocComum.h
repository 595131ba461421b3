#pragma once
// What the two rental-contract registers (TfmAssContCadLocEquip and
// TfmAssContLocacao) share: the data sources over dmTecContrato and the
// host, the header controls both have, the pages from "Parcelas" on, the
// record buttons, navigation and search, the contractor, customer and
// manager searches, the header data change, the note pages, the instalment
// tools and the pick-up data. Each register builds its own header, its
// item pages and its differences, then the shared pages, and binds them.
//
// Sources: uAssContLocComum.cpp (life cycle, buttons, searches, pages),
// uAssContLocComumTela.cpp (the shared controls), uAssContLocParcelas.cpp
// (instalment tools and pick-up), uAssContLocPrevisaoTela.cpp (forecasts).

#include "contract_data/uDataTecContRegras.h"
#include "host/ui/Form.h"

#include <QString>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

namespace host::data {
class DataSource;
class Dataset;
class Query;
}
namespace host::ui {
struct CellStyle;
class CaptionGrid;
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class DataMemo;
class GridColumn;
class PageControl;
class SpinEdit;
class StatusBar;
class TabSheet;
}

class TfmAssContLocBase : public host::ui::Form {
    Q_OBJECT
public:
    ~TfmAssContLocBase() override;

    // ---- data sources ----
    host::data::DataSource* dsCtrCadastro = nullptr;
    host::data::DataSource* dsCtrCadastroIt = nullptr;
    host::data::DataSource* dsContratoVin = nullptr;
    host::data::DataSource* dsReceber = nullptr;
    host::data::DataSource* dsObsSR = nullptr;
    host::data::DataSource* dsObsAdic = nullptr;
    host::data::DataSource* dsClienteConsulta = nullptr;
    host::data::DataSource* dsBanco = nullptr;
    host::data::DataSource* dsVendedor = nullptr;

    // ---- header (both registers) ----
    host::ui::DataEdit* dbedCodigo = nullptr;
    QPushButton* btPesqContrato = nullptr;
    QPushButton* btContratoAnt = nullptr;
    QPushButton* btContratoProx = nullptr;
    host::ui::DataEdit* dbedNumeroContrato = nullptr;
    host::ui::DataEdit* dbedLocal = nullptr;
    host::ui::DataLabel* dbteNomeFilial = nullptr;
    host::ui::DataLabel* laContratante = nullptr;
    host::ui::DataEdit* dbedContratante = nullptr;
    host::ui::DataLookupCombo* dblcContratante = nullptr;
    QPushButton* btPesqContratante = nullptr;
    host::ui::DataLabel* laCliente = nullptr;
    host::ui::DataEdit* dbedCliente = nullptr;
    host::ui::DataLookupCombo* dblcCliente = nullptr;
    QPushButton* btPesqCliente = nullptr;
    host::ui::DataComboBox* dbcbAssinado = nullptr;
    host::ui::DataEdit* dbedDataInicio = nullptr;
    host::ui::DataEdit* dbedDiasContrato = nullptr;
    host::ui::DataEdit* dbedDataTermino = nullptr;
    host::ui::DataComboBox* dbcbRenovacao = nullptr;
    host::ui::DataLabel* dbteValor = nullptr;
    host::ui::DataLookupCombo* dblcContato = nullptr;
    host::ui::DataComboBox* dbcbPeriodoDesc = nullptr;
    host::ui::DataEdit* dbedQtdeParcelas = nullptr;
    host::ui::DataComboBox* dbcbModalidade = nullptr;
    host::ui::DataComboBox* dbcbVinculo = nullptr;

    // ---- pages ----
    host::ui::PageControl* pcItensContrato = nullptr;
    host::ui::TabSheet* tsDadosAdicionais = nullptr;
    host::ui::TabSheet* tsEquipamentos = nullptr;
    host::ui::TabSheet* tsParcelas = nullptr;
    host::ui::TabSheet* tsObsSR = nullptr;
    host::ui::TabSheet* tsHistorico = nullptr;
    host::ui::TabSheet* tsCustosVariaveis = nullptr;
    host::ui::TabSheet* tsDadosRetirada = nullptr;
    host::ui::TabSheet* tsObsAdicionais = nullptr;
    host::ui::TabSheet* tsContratosVinculados = nullptr;

    // "Dados Adicionais"
    host::ui::DataLookupCombo* dblcContatoEntrega = nullptr;
    host::ui::DataMemo* dbmeEndEntrega = nullptr;
    host::ui::DataLookupCombo* dblcContatoCobranca = nullptr;
    host::ui::DataLabel* dbteObsCobranca = nullptr;
    host::ui::DataMemo* dbmeEndCobranca = nullptr;
    host::ui::DataLookupCombo* dblcContatoContrato = nullptr;
    host::ui::DataMemo* dbmeEndContrato = nullptr;
    host::ui::DataEdit* dbedResponsavel = nullptr;
    host::ui::DataLookupCombo* dblcDadosGerente = nullptr;
    QPushButton* sbPesqResp = nullptr;
    host::ui::DataLabel* dbteProposta = nullptr;
    host::ui::DataLabel* dbteNotaRemessa = nullptr;
    host::ui::DataLabel* dbteNotaRemessaEmissao = nullptr;
    host::ui::DataLabel* dbtePedido = nullptr;
    host::ui::DataLabel* dbteDataPedido = nullptr;
    host::ui::DataMemo* dbmeObservacoes = nullptr;
    host::ui::DataEdit* dbedDataReajuste = nullptr;
    host::ui::DataComboBox* dbcbTipoPgto = nullptr;
    host::ui::DataLookupCombo* dblcBanco = nullptr;
    host::ui::DataComboBox* dbcbPedidoCliente = nullptr;
    host::ui::DataEdit* dbedDataPagamento = nullptr;

    // "Parcelas"
    host::ui::DataGrid* dbgdAssContCadLocEquiParcelas = nullptr;
    host::ui::StatusBar* stParcelas = nullptr;
    host::ui::DataLabel* laAdicInfoPedidoCliente = nullptr;
    QPushButton* bbAlterar = nullptr;
    QPushButton* bbApagar = nullptr;
    QPushButton* bbPrevisionar = nullptr;
    QWidget* paParcelas = nullptr;   // the row of buttons (and the re-instalment panel on one register)

    // memo pages
    host::ui::DataMemo* dbmeObsSR = nullptr;
    host::ui::DataMemo* dbmeHistorico = nullptr;
    host::ui::DataMemo* dbmeCustosVar = nullptr;
    host::ui::DataMemo* dbmeObsAdic = nullptr;

    // "Dados da Retirada"
    host::ui::DataComboBox* dbcbComprovante = nullptr;
    host::ui::DataComboBox* dbcbRetirada = nullptr;
    host::ui::DataEdit* dbedRetiradaData = nullptr;
    host::ui::SpinEdit* rxspRetiradaHora = nullptr;
    host::ui::SpinEdit* rxspRetiradaMinutos = nullptr;
    host::ui::DataEdit* dbedProcurar = nullptr;
    host::ui::DataLookupCombo* dblcContatoRetirada = nullptr;
    host::ui::DataMemo* dbmeEndRetirada = nullptr;
    host::ui::DataMemo* dbmeObsRetirada = nullptr;
    host::ui::DataLabel* dbteRetiradaEm = nullptr;
    QLabel* laStatusRetirada = nullptr;
    host::ui::DataLabel* laRetiradaConferir = nullptr;

    // "Contratos Vinculados"
    host::ui::DataGrid* dbgdAssContratoEquipVinc = nullptr;

    // ---- buttons ----
    QPushButton* btNovo = nullptr;
    QPushButton* btSalvar = nullptr;
    QPushButton* btCancelar = nullptr;
    QPushButton* btExcluir = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btSair = nullptr;
    QWidget* paBotoes = nullptr;

    // ---- handlers ----
    void btContratoAntClick();
    void btContratoProxClick();
    void btPesqContratoClick();
    void btNovoClick();
    void btSalvarClick();
    void btCancelarClick();
    void btExcluirClick();
    void btSairClick();
    void btPesqContratanteClick();
    void btPesqClienteClick();
    void laAbrirDadosContratanteClick();
    void laAbrirDadosClienteClick();
    void sbPesqRespClick();
    void dsObsSRDataChange();
    void dsObsAdicDataChange();
    void pcItensContratoChange();
    void dbgdAssContratoEquipVincEditButtonClick();
    void dbedDataInicioExit();
    void dbedDataTerminoExit();
    void laVisualizarJustificativaClick();
    void dbgdGradeTitleClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna);
    // The rows returned by check-in ("S") in light yellow.
    static void ItemDevolvidoDrawColumnCell(host::data::Dataset& itens, host::ui::CellStyle& style);

    // Instalment tools and pick-up.
    void bbAlterarClick();
    void laAdicInfoPedidoClienteClick();
    void dbgdAssContCadLocEquiParcelasDrawColumnCell(host::ui::CellStyle& style, bool selecionada);
    void GravarDataHoraRetirada();
    void rxspRetiradaHoraChange();
    void rxspRetiradaMinutosChange();
    void laRetiradaConferirClick();
    // Forecast instalments: deleting every forecast of the list (both
    // registers alike) and generating them (each register its own way).
    void bbApagarClick();
    virtual void bbPrevisionarClick() = 0;
    // The header's change calls these: the spins follow the planned moment
    // while the header is not edited; the status label always.
    void AtualizarRetirada();

    void CarregaListaParcelaTiposVcto();

protected:
    // The first 30 due kinds of the receivables, in order (raises on a database error).
    static QStringList TiposVencimentoReceber();
    explicit TfmAssContLocBase(QWidget* parent);

    host::data::Query& contrato() const;
    int codigoContrato() const;
    bool editando() const;
    QString parametroLoc(const char* nome) const;
    host::data::DataSource* fonte(const char* nome, host::data::Dataset* dataset);
    void primeiraPagina();
    void carregarContrato(int codigo);
    // "Deseja salvar as alterações ?" while editing: "Sim" saves the header,
    // the items and, when asked, the notes.
    void perguntaSalvar(bool comNotas);
    // The header and every row being typed in the window, committed.
    void gravarTudo();
    void editarContrato();
    QString pesquisaFornecedor(const QString& tipo, bool* escolheu);

    // Built by the registers, in their order: the page control with the two
    // first pages, the register's own pages, then the shared last seven.
    host::ui::PageControl* criarPaginasIniciais();
    void criarPaginasFinais();
    void montarCabecalhoComum(host::ui::CaptionGrid& g, QWidget* p, bool ligacoesDeCaption);
    void montarDadosAdicionaisComum(host::ui::CaptionGrid& g, QWidget* p);
    void montarParcelas();
    void montarPaginasFinais();
    QWidget* montarBotoes(std::initializer_list<QPushButton*> extras);
    void ligarComum();
    // The form's events bound to the register's life-cycle handlers.
    void ligarCiclo();
    virtual void FormCreate() = 0;
    virtual void FormShow() = 0;
    virtual void FormActivate() = 0;
    virtual void FormClose() = 0;
    // The header data change shared by both: linked grid, pick-up spins and status.
    void dadosCabecalhoAlterados();
    // The page's loader, then the notes saved.
    void carregarPagina(host::ui::TabSheet* pagina);
    void fecharComum();
    // Closing: "Deseja salvar..." while editing, the datasets closed.
    void fecharDatasets();

    // The register's own parts of the shared handlers.
    virtual void antesCarregarPagina(host::ui::TabSheet*) {}
    virtual void aposNovo() {}
    virtual void cabecalhoAlterado() = 0;
    virtual void receberAlterado() = 0;
    // The item rows whose current one the justification link shows.
    virtual host::data::Dataset& itensAtuais() const;

    uDataTecContRegras::ReceberEmprestado receber_;
    std::vector<std::unique_ptr<host::data::DataSource>> fontes_;
    bool retiradaAtualizando_ = false;
};
