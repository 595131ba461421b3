#pragma once
// TfmAssAndamento (fmAssAndamento): the technicians' work list ("Andamento
// das Ordens de Serviço"). One row per order item chosen by situation, order
// number and branch (dmTec->quPesqOS); for the current row the order's
// progress records, service lines and parts lines. From it situations
// change, technical reports are written, worked time is counted, orders are
// opened and printed. One non-modal window lives in fmAssAndamento; closing
// it frees it and empties the variable.
//
// The controls are built in uAssAndamento.cpp, the list and its filters in
// uAssAndamentoLista.cpp, the buttons, keys and menu in uAssAndamentoAcoes.cpp.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace host::data {
class DataSource;
class Dataset;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DataLabel;
class DataLookupCombo;
class GridColumn;
class StatusBar;
struct CellStyle;
}  // namespace host::ui

namespace uAssAndamento {

// What the list statement is built from.
struct FiltroAndamento {
    bool excetoMorta = false;        // laSituacao reads "Exceto Morta"
    int situacao = 0;               // chosen order situation (0: none)
    int ordem = 0;                  // edOS's number (0: none)
    int situacaoItem = 0;           // chosen item situation, counted only while that filter shows
    bool filtroItemVisivel = false;
    QString filial;                 // edFilial
    QString restricaoTecnico;       // " and upper(tec.atnome) =..." or ""
};

// The list statement (no database access: the branch condition comes from
// the host's filter builder, the restriction is handed in).
QString SqlListaAndamento(const FiltroAndamento& filtro);
// The F7 totals' condition: situation, order number and branch only.
QString CondicaoTotaisAndamento(int situacao, int ordem, const QString& filial);
// "Totalizadores da pesquisa: \r..." with the four sums.
QString TextoTotaisAndamento(double total, double servicos, double pecas, double auxiliar);

}  // namespace uAssAndamento

class TfmAssAndamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssAndamento(QWidget* parent = nullptr);
    ~TfmAssAndamento() override;

    // ---- data sources (the datasets are dmTec's, but quSitItem) ----
    std::unique_ptr<host::data::Query> quSitItem;
    std::unique_ptr<host::data::DataSource> dsPesqOS;
    std::unique_ptr<host::data::DataSource> dsContato;
    std::unique_ptr<host::data::DataSource> dsServico;
    std::unique_ptr<host::data::DataSource> dsPecas;
    std::unique_ptr<host::data::DataSource> dsSituacao;
    std::unique_ptr<host::data::DataSource> dsSitItem;

    // ---- selection box ----
    QGroupBox* gbSelecao = nullptr;
    host::ui::DataLabel* laSituacao = nullptr;
    host::ui::DataLookupCombo* dblcSituacao = nullptr;
    QLineEdit* edOS = nullptr;
    QToolButton* sbPesqOS = nullptr;
    QLineEdit* edFilial = nullptr;
    host::ui::DataLabel* laSituacaoItem = nullptr;
    host::ui::DataLookupCombo* dblcSituacaoItem = nullptr;
    QPushButton* bbPesq = nullptr;
    QPushButton* bbAbrirOS = nullptr;
    QPushButton* bbLaudo = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbOrcamento = nullptr;
    QPushButton* bbEtiqueta = nullptr;
    QPushButton* bbLimpar = nullptr;
    QPushButton* bbSair = nullptr;

    // ---- grids ----
    host::ui::DataGrid* dbgdAndamentoOSRegistros = nullptr;
    host::ui::DataGrid* dbgdAndamento = nullptr;
    QGroupBox* gbServico = nullptr;
    host::ui::DataGrid* dbgdAssAndamentoServico = nullptr;
    QGroupBox* gbPecas = nullptr;
    host::ui::DataGrid* dbgdAssAndamentoPecas = nullptr;
    host::ui::StatusBar* stInformacao = nullptr;
    host::ui::StatusBar* stInfoTot = nullptr;

    // ---- popup menu of the order list and the progress grid ----
    QMenu* puSituacao = nullptr;
    QAction* miSituacaoTrocarSituacao = nullptr;
    QAction* miSituacaoNovoLaudo = nullptr;
    QAction* miSituacaoContabiliza = nullptr;
    QAction* miVisualizaLaudo = nullptr;
    QAction* miImprimirLaudo = nullptr;

    // ---- interface ----
    void OSAndamentoTotalizarServicoPeca(int OS, int Item);
    void PosicionarOSAtual(int OS);
    void EfetuaPesquisaAndamentoOS(host::data::Query& Query);
    void ExpandirFiltros(bool Show);
    bool filtrosExpandidos() const;
    bool modoExcetoMorta() const;
    int situacaoEscolhida() const;
    // edOS's number (0: empty); text that is no number is refused.
    int ordemDigitada() const;
    int situacaoItemEscolhida() const;

    // ---- life cycle ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);

    // ---- buttons and menu ----
    void bbPesqClick();
    void bbAbrirOSClick();
    void bbLaudoClick();
    void bbImprimirClick();
    void bbOrcamentoClick();
    void bbEtiquetaClick();
    void bbLimparClick();
    void bbSairClick();
    void sbPesqOSClick();
    void laSituacaoClick();
    void laSituacaoItemClick();
    void miSituacaoTrocarSituacaoClick();
    void miSituacaoNovoLaudoClick();
    void miSituacaoContabilizaClick();
    void miVisualizaLaudoClick();
    void miImprimirLaudoClick();
    void dblcSituacaoClick();
    void edOSExit();
    void dbgdAndamentoOSRegistrosDblClick();
    void dbgdAndamentoOSRegistrosEditButtonClick();
    void dbgdAndamentoOSRegistrosDrawColumnCell(host::ui::CellStyle& style);
    void dbgdAssAndamentoServicoDrawColumnCell(host::ui::CellStyle& style);
    void dbgdAssAndamentoPecasDrawColumnCell(host::ui::CellStyle& style);
    void quadroLinhasClick();
    void TotalizadoresPesquisa();
    void PesquisarProduto();
    void MostrarLegendaGarantia();
    void MostrarTodasColunas();

private:
    void criarDados();
    void criarSelecao();
    void criarGrades();
    void criarMenu();
    void ligarEventos();
    void legendasVeiculo();
    void trocarSituacaoOS();
    void trocarSituacaoItem();
    void novoAndamento(bool contabilizarTempo);
    void imprimirPosicionando(QPushButton* botao, const std::function<void()>& preparar, int tipo);
    void localizarOrdem(int ordem);
    int tecnicoDoUsuario();
};

extern host::ui::FormVar<TfmAssAndamento> fmAssAndamento;
