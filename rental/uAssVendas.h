#pragma once
// TfmAssVendas (fmAssVendas): the window on which rental proposals and
// assistance orders are entered. It holds no data of its own: the order, its
// requested and configured lines and its change log are dmTec's datasets, the
// customer, bank and salesman lists the host's. What it allows by kind and
// status, the lists of earlier values and the address texts are decided in
// data/uDataTecPedidoAssTela. One instance lives in fmAssVendas; closing it
// frees it and empties the variable.
//
// Sources by topic: uAssVendas.cpp (life cycle and record buttons),
// uAssVendasTela.cpp (the controls), uAssVendasCabecalho.cpp (header change,
// pages, lists, addresses, searches and links), uAssVendasGrades.cpp (the
// line grids' pickers, sort and configuration links).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace host::data {
class DataSource;
class Dataset;
}
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class PageControl;
class TabSheet;
}

class TfmAssVendas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssVendas(QWidget* parent = nullptr);
    ~TfmAssVendas() override;

    // ---- data sources ----
    host::data::DataSource* dsVenda = nullptr;
    host::data::DataSource* dsVendaItens = nullptr;
    host::data::DataSource* dsVendaCotado = nullptr;
    host::data::DataSource* dsCtrlAlter = nullptr;
    host::data::DataSource* dsCliente = nullptr;
    host::data::DataSource* dsBanco = nullptr;
    host::data::DataSource* dsVendedor = nullptr;

    // ---- bottom bar ----
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbProducao = nullptr;   // "&Produção" / "&Proposta"
    QPushButton* bbLocacao = nullptr;
    QPushButton* bbFinalizar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;

    // ---- "Dados do Pedido" ----
    QGroupBox* gbDadosPedido = nullptr;
    host::ui::DataEdit* dbedNumeroPedido = nullptr;
    QPushButton* sbAnterior = nullptr;
    QPushButton* sbProximo = nullptr;
    QPushButton* sbPesquisaDetalhada = nullptr;
    QPushButton* sbObsAdic = nullptr;        // "Observação Adicional"
    QPushButton* sbZeltoCreator = nullptr;   // "Campos Criados no ZeltoCreator"
    host::ui::DataEdit* dbedLocal = nullptr;
    QLabel* laNomeFilial = nullptr;
    host::ui::DataLookupCombo* dblcCliente = nullptr;
    host::ui::DataEdit* dbedCodigoCliente = nullptr;
    QPushButton* sbPesqCli = nullptr;
    host::ui::DataLabel* laDadosCliente = nullptr;
    host::ui::DataLookupCombo* dblcContato = nullptr;
    host::ui::DataLookupCombo* dblcRequisitante = nullptr;
    host::ui::DataLookupCombo* dblcAprovador = nullptr;
    host::ui::DataComboBox* dbcbTipoContrato = nullptr;
    host::ui::DataComboBox* dbcbPeriodoLocacao = nullptr;
    host::ui::DataComboBox* dbcbEnviaContrato = nullptr;
    host::ui::DataComboBox* dbcbProjeto = nullptr;
    host::ui::DataComboBox* dbcbPedidoCliente = nullptr;
    host::ui::DataLookupCombo* dblcGerente = nullptr;
    QPushButton* sbPesqGerente = nullptr;
    host::ui::DataEdit* dbedDataNegociacao = nullptr;
    host::ui::DataEdit* dbedInicioVigencia = nullptr;
    host::ui::DataEdit* dbedTerminoVigencia = nullptr;
    host::ui::DataEdit* dbedDataProducao = nullptr;
    host::ui::DataEdit* dbedDataPagamento = nullptr;
    host::ui::DataEdit* dbedDataRA = nullptr;
    host::ui::DataEdit* dbedObsDataPagamento = nullptr;
    host::ui::DataEdit* dbedObsDataRA = nullptr;
    host::ui::DataEdit* dbedObsEntrega = nullptr;
    host::ui::DataLabel* dbteTipo = nullptr;     // AUX2
    host::ui::DataLabel* dbteStatus = nullptr;   // IMPRESSO_NF
    host::ui::DataLabel* dbteTotal = nullptr;    // VALOR_TOTAL

    // ---- tabs ----
    host::ui::PageControl* pcPedido = nullptr;
    host::ui::TabSheet* tsDadosAdicionais = nullptr;
    host::ui::TabSheet* tsEquipSolicitados = nullptr;
    host::ui::TabSheet* tsEquipConfigurados = nullptr;
    host::ui::TabSheet* tsCtrlAlteracoes = nullptr;

    // ---- "Dados Adicionais" ----
    host::ui::DataLookupCombo* dblcContatoEntrega = nullptr;
    host::ui::DataLookupCombo* dblcContatoCobranca = nullptr;
    host::ui::DataLookupCombo* dblcBanco = nullptr;
    QPushButton* sbPesqBanco = nullptr;
    host::ui::DataEdit* dbedDataReajuste = nullptr;
    host::ui::DataEdit* dbedDataProposta = nullptr;
    host::ui::DataEdit* dbedProposta = nullptr;
    host::ui::DataEdit* dbedObsProposta = nullptr;
    host::ui::DataEdit* dbedObsReajuste = nullptr;
    host::ui::DataEdit* dbedObsInstalacao = nullptr;
    host::ui::DataEdit* dbedCodigoContrato = nullptr;
    host::ui::DataEdit* dbedSuprimentos = nullptr;
    host::ui::DataEdit* dbedValorSuprimentos = nullptr;
    QPlainTextEdit* meEnderecoEntrega = nullptr;
    QPlainTextEdit* meEnderecoCobranca = nullptr;
    host::ui::DataLabel* laEnderecoEntrega = nullptr;
    host::ui::DataLabel* laEnderecoCobranca = nullptr;

    // ---- line tabs and change log ----
    host::ui::DataGrid* dbgdAssVendaItens = nullptr;
    host::ui::DataGrid* dbgdAssVendaCotado = nullptr;
    host::ui::DataGrid* dbgdCtrlAlter = nullptr;
    host::ui::DataLabel* laConfiguracaoItens = nullptr;
    host::ui::DataLabel* laConfiguracaoCotado = nullptr;

    // ---- routines of the window ----
    void salvar();
    // True when the order was deleted.
    bool ExcluirPedidoAssVendaCorrente(const QString& numero);
    void CarregaListaPeriodo();
    void CarregaListaTipoContrato();
    void CarregaListaProjetos(const QString& cliente);
    void CarregaListaPedidosCliente(const QString& cliente);
    void CarregaEnderecoEntrega();
    void CarregaEnderecoCobranca();

    // ---- handlers bound to the controls ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void bbNovoClick();
    void bbSalvarClick();
    void bbCancelarClick();
    void bbExcluirClick();
    void btFinalizarClick();
    void bbSairClick();
    void bbProducaoClick();   // "&Produção" / "&Proposta"
    void bbLocacaoClick();
    void sbAnteriorClick();
    void sbProximoClick();
    void sbPesquisaDetalhadaClick();
    void sbPesqCliClick();
    void laDadosClienteClick();
    void sbPesqBancoClick();
    void sbPesqGerenteClick();
    void dbedLocalExit();
    void sbObsAdicClick();
    void sbZeltoCreatorClick();
    void laEnderecoEntregaClick();
    void laEnderecoCobrancaClick();
    void pcPedidoChange();
    void dsVendaDataChange();
    void mostrarLinhasDoPedido();
    // The line grids (uAssVendasGrades.cpp).
    void dbgdAssVendaItensEditButtonClick();
    void dbgdAssVendaCotadoEditButtonClick();
    void laConfiguracaoClick(host::data::Dataset& linha);

private:
    void montarTela();
    QWidget* montarBotoes();
    QWidget* montarDadosPedido();
    void montarAbas();
    void montarDadosAdicionais(host::ui::TabSheet* aba);
    void ligarEventos();
    void ligarGrades();
    host::data::DataSource* fonte(const char* nome, host::data::Dataset* dataset);

    bool pendente() const;                 // header or requested line in edit or insert
    void perguntarSalvar();                // "Deseja salvar as alterações ?"
    void carregarPedido(const QString& numero);
    void navegar(const QString& direcao);
    void atualizarFilial();
    void recarregarListas();
    void recarregarEnderecos();
    void limparEnderecos();
    void fecharLinhas();
    void alterarEndereco(int sequencia, const char* contato, const QString& rotulo);
    void editarCabecalho();
    QString numeroAtual() const;
    QString numeroDasLinhas_;   // the order whose lines the line pages hold

    std::vector<std::unique_ptr<host::data::DataSource>> fontes_;
    // The contract types the contract registers offer, read as the window shows.
    QStringList tiposContrato_;
};

extern host::ui::FormVar<TfmAssVendas> fmAssVendas;
