#pragma once
// TfmAssOrdemServico (fmAssOrdemServico): the one window in which a service
// order is opened, created, edited, saved, deleted and browsed. It holds no
// data of its own: every control is bound to a dataset of dmTec or to a host
// look-up, and the rules stay in TdmTec and the host. One instance lives in
// fmAssOrdemServico; closing it frees it and empties the variable.
//
// Sources by topic: uAssOrdemServico.cpp (life cycle and record buttons),
// uAssOrdemServicoTela.cpp (the controls), uAssOrdemServicoAbas.cpp (the data
// behind the active tab), uAssOrdemServicoCabecalho.cpp (header change,
// service status, expense options), uAssOrdemServicoPesquisas.cpp (look-ups,
// register labels, e-mails, photo, new order from equipment),
// uAssOrdemServicoGrades.cpp (the designed columns of the entry grids),
// uAssOrdemServicoItens.cpp (items grids), uAssOrdemServicoLinhas.cpp and
// uAssOrdemServicoLinhasOperacoes.cpp (service and parts grids, their line
// operations), uAssOrdemServicoTeclas.cpp (keyboard commands, stock withdrawal),
// uAssOrdemServicoEtiquetas.cpp (labels, accessory check),
// uAssOrdemServicoFila.cpp (external queue, distribution),
// uAssOrdemServicoModos.cpp (vehicle, remanufacture and purchase looks,
// most-used lists), uAssOrdemServicoDespesas.cpp (expense and project grids,
// report texts), uAssOrdemServicoPagamento.cpp (technician payment).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace venda_os {
struct Selecao;
}

namespace host::data {
class DataSource;
class Dataset;
}
namespace host::ui {
class CheckListBox;
class DataComboBox;
class DataEdit;
class DataGrid;
class DataImage;
class DataLabel;
class DataLookupCombo;
class DataMemo;
class DataRadioGroup;
class GridColumn;
struct CellStyle;
class PageControl;
class TabSheet;
}

class TfmAssOrdemServico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServico(QWidget* parent = nullptr);
    ~TfmAssOrdemServico() override;

    // ---- data sources ----
    host::data::DataSource* dsOrdem = nullptr;
    host::data::DataSource* dsItens = nullptr;
    host::data::DataSource* dsAndamento = nullptr;
    host::data::DataSource* dsPecas = nullptr;
    host::data::DataSource* dsViagem = nullptr;
    host::data::DataSource* dsExtra = nullptr;
    host::data::DataSource* dsProjeto = nullptr;
    host::data::DataSource* dsContato = nullptr;
    host::data::DataSource* dsAcessorios = nullptr;
    host::data::DataSource* dsSituacao = nullptr;
    host::data::DataSource* dsTecnico = nullptr;
    host::data::DataSource* dsCliente = nullptr;
    host::data::DataSource* dsTabVcto = nullptr;
    host::data::DataSource* dsOperacao = nullptr;
    host::data::DataSource* dsRepresentante = nullptr;
    host::data::DataSource* dsReceber = nullptr;

    // ---- record buttons and the buttons of the tool bar ----
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* sbAnterior = nullptr;
    QPushButton* sbProximo = nullptr;
    QPushButton* bbSair = nullptr;
    QPushButton* bbNS = nullptr;
    QPushButton* bbImprimir = nullptr;        // print dispatcher
    QPushButton* bbOSInterna = nullptr;       // quick receipt of the print dispatcher
    QPushButton* bbOrcamento = nullptr;       // budgets of the print dispatcher
    QPushButton* sbImpRapida = nullptr;       // rapid receipt on the narrow printer
    QPushButton* bbPedidoVenda = nullptr;     // sales-document menu ("&Venda")
    QPushButton* btPagarTecnico = nullptr;    // technician payment
    QPushButton* sbPesqContrato = nullptr;
    QPushButton* sbEnviaEmailOS = nullptr;
    QPushButton* sbEnviarEmail = nullptr;          // "Orçamento" (tag -1)
    QPushButton* sbEnviarEmailAbertura = nullptr;  // "Abertura" (tag 1)
    QPushButton* sbObsAdic = nullptr;
    QPushButton* sbDistribuicaoOS = nullptr;
    QPushButton* sbEnviarFilaAten = nullptr;
    QPushButton* bbPesquisar = nullptr;        // order search
    QPushButton* bbImportar = nullptr;         // products of outgoing invoices as items ("Importar Saída")
    QPushButton* sbReserva = nullptr;          // stock withdrawal of the parts

    // ---- header ----
    QWidget* paCabecalho = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataLabel* laCliente = nullptr;
    host::ui::DataLookupCombo* dblcCliente = nullptr;
    QPushButton* sbPesqCli = nullptr;
    host::ui::DataEdit* dbedAtendente = nullptr;
    host::ui::DataEdit* dbedDataEntrada = nullptr;
    host::ui::DataEdit* dbedHoraEntrada = nullptr;
    host::ui::DataEdit* dbedContato = nullptr;
    host::ui::DataRadioGroup* dbrgPrioridade = nullptr;
    host::ui::DataRadioGroup* dbrgAtendimento = nullptr;
    host::ui::DataLabel* Label20 = nullptr;
    host::ui::DataLookupCombo* dblcTabVcto = nullptr;
    QPushButton* sbPesqTabVcto = nullptr;
    host::ui::DataRadioGroup* dbrgStatusServ = nullptr;
    host::ui::DataEdit* dbedDataSaida = nullptr;
    host::ui::DataEdit* dbedHoraSaida = nullptr;
    QLabel* laSuspensao = nullptr;
    host::ui::DataComboBox* dbcbSuspensao = nullptr;
    host::ui::DataLabel* Label4 = nullptr;
    host::ui::DataLookupCombo* dblcSituacao = nullptr;
    host::ui::DataComboBox* dbcbTipoOs = nullptr;
    host::ui::DataLabel* laOperacao = nullptr;
    host::ui::DataLookupCombo* dblcOperacao = nullptr;
    QPushButton* sbOp = nullptr;
    host::ui::DataEdit* dbedDataCobranca = nullptr;
    QLabel* laPV = nullptr;
    host::ui::DataLabel* dbtePedidoVendas = nullptr;
    QLabel* laSeparadorPV = nullptr;
    host::ui::DataLabel* dbtePedidoVendaServico = nullptr;
    host::ui::DataLabel* dbteStatusPV = nullptr;
    host::ui::DataEdit* dbedSeqAtendimento = nullptr;
    QLabel* laFilaAten = nullptr;
    host::ui::DataLabel* dbteFilaAten = nullptr;
    QPushButton* sbCliCobranca = nullptr;

    // ---- tabs ----
    host::ui::PageControl* pcOrdemServico = nullptr;
    host::ui::TabSheet* tsItens = nullptr;
    host::ui::TabSheet* tsVeiculo = nullptr;
    host::ui::TabSheet* tsServico = nullptr;
    host::ui::TabSheet* tsPecasOS = nullptr;
    host::ui::TabSheet* tsDespesaViagem = nullptr;
    host::ui::TabSheet* tsDespesaExtra = nullptr;
    host::ui::TabSheet* tsProjeto = nullptr;
    host::ui::TabSheet* tsLaudo = nullptr;
    host::ui::TabSheet* tsAndamento = nullptr;
    host::ui::TabSheet* tsObservacao = nullptr;
    host::ui::TabSheet* tsFoto = nullptr;
    host::ui::TabSheet* tsCliente = nullptr;
    host::ui::TabSheet* tsOutros = nullptr;
    host::ui::TabSheet* tsReceber = nullptr;

    // ---- grids of the detail tabs ----
    host::ui::DataGrid* dbgdOrdemServicoItens = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoItensVeiculo = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoServicos = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoPecas = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoDespViagem = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoDespExtra = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoProjeto = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoAndamento = nullptr;   // progress records
    host::ui::DataGrid* dbgdAcessorios = nullptr;
    host::ui::DataGrid* dbgdReceber = nullptr;

    // ---- report tab ----
    host::ui::DataLabel* laTecnico = nullptr;
    host::ui::DataLookupCombo* dblcTecnico = nullptr;
    host::ui::DataRadioGroup* dbrgImprimirLaudo = nullptr;
    host::ui::DataEdit* dbedValidadeOrcamento = nullptr;
    host::ui::DataMemo* dbmeLaudo = nullptr;
    host::ui::DataMemo* dbmeCausa = nullptr;
    host::ui::DataMemo* dbmeSolucao = nullptr;
    host::ui::DataMemo* dbmeObsLaudo = nullptr;

    // ---- observation tab ----
    host::ui::DataEdit* dbedContaCaixa = nullptr;
    host::ui::DataLabel* laClienteCobranca = nullptr;
    host::ui::DataLookupCombo* dblcCliCobranca = nullptr;
    QPushButton* sbPesqCliCob = nullptr;
    host::ui::DataEdit* dbedNumeroOSTerceiros = nullptr;
    host::ui::DataEdit* dbedPrevLiberacao = nullptr;
    host::ui::DataEdit* dbedDataAprova = nullptr;
    host::ui::DataEdit* dbedHoraAprovacao = nullptr;
    host::ui::DataLookupCombo* dblcRepresentante = nullptr;
    QPushButton* sbPesqRepres = nullptr;
    host::ui::DataEdit* dbedLocal = nullptr;
    host::ui::DataLabel* laClienteCobrancaServico = nullptr;
    host::ui::DataLookupCombo* dblcCliCobServ = nullptr;
    QPushButton* sbPesqCliCobServ = nullptr;
    host::ui::DataLabel* laClienteDespesas = nullptr;
    host::ui::DataLookupCombo* dblcCliDespesas = nullptr;
    QPushButton* sbPesqClienteDespesas = nullptr;
    host::ui::DataEdit* dbedLocalPrestacao = nullptr;
    QPushButton* sbPesquisaLocalPrestacao = nullptr;
    host::ui::DataLabel* dbtePedidoDevolucao = nullptr;
    host::ui::DataMemo* dbmeObservacao = nullptr;
    QGroupBox* gbDespesasCliente = nullptr;
    host::ui::CheckListBox* clOpcoesDespesas = nullptr;

    // ---- customer tab ----
    QLabel* laCGC = nullptr;
    host::ui::DataLabel* dbteCGC = nullptr;
    QLabel* laIE = nullptr;
    host::ui::DataLabel* dbteIE = nullptr;
    QLabel* laInscMunicipal = nullptr;
    host::ui::DataLabel* dbteInscMunicipal = nullptr;
    QLabel* laNomeFantasia = nullptr;
    host::ui::DataLabel* dbteNomeFantasia = nullptr;
    QLabel* laPessoaFisica = nullptr;

    // ---- photo, other, totals ----
    host::ui::DataImage* dbimFoto = nullptr;
    host::ui::DataMemo* dbmeHistorico = nullptr;
    QGroupBox* gbTotais = nullptr;
    host::ui::DataEdit* dbedValorServico = nullptr;   // AOVALORSERVICO

    // ---- handlers bound to the controls ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    // Another window has put on purpose the order it shows now in quOS (the
    // dispatcher, the queue): the window takes it as its own.
    void SeguirOrdemMostrada() { ordemPropria_ = -1; }
    void bbNovoClick();
    void bbSalvarClick();
    void bbCancelarClick();
    void bbExcluirClick();
    void bbSairClick();
    void sbAnteriorClick();
    void sbProximoClick();
    void pcOrdemServicoChange();
    void pcOrdemServicoExit();
    void tsLaudoEnter();
    void tsLaudoExit();
    void dsOrdemDataChange();
    void dbrgStatusServChange();
    void sbPesqCliClick();
    void sbPesqCliCobClick();
    void sbPesqCliCobServClick();
    void sbPesqClienteDespesasClick();
    void sbPesqTabVctoClick();
    void sbOpClick();
    void sbPesqRepresClick();
    void sbPesquisaLocalPrestacaoClick();
    void sbCliCobrancaClick();
    void laClienteClick();
    void laTecnicoClick();
    void Label4Click();
    void laOperacaoClick();
    void Label20Click();
    void dbimFotoDblClick();
    void dbgdOrdemServicoAndamentoTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoServicosEnter();
    void sbObsAdicClick();
    void sbEnviarEmailClick(QPushButton* Sender);
    void sbEnviaEmailOSClick();
    void clOpcoesDespesasClickCheck();
    void bbNSClick();
    void bbPesquisarClick();
    void bbImportarClick();
    void sbPesqContratoClick();

    // ---- entry grids ----
    void dbgdOrdemServicoItensEditButtonClick(host::ui::DataGrid* Sender);
    void dbgdOrdemServicoItensDblClick(host::ui::DataGrid* Sender);
    void dbgdOrdemServicoItensTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoItensVeiculoTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoServicosEditButtonClick();
    void dbgdOrdemServicoPecasEditButtonClick();
    void dbgdOrdemServicoServicosColEnter();
    void dbgdOrdemServicoPecasColEnter();
    void dbgdOrdemServicoServicosDrawColumnCell(host::ui::CellStyle& style);
    void dbgdOrdemServicoPecasDrawColumnCell(host::ui::CellStyle& style);
    void dbgdOrdemServicoServicosTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoPecasTitleClick(host::ui::GridColumn& Column);
    void dbedValorServicoExit();
    void OSDuplicaServicoProdutoCorrente(const QString& Table, const QString& Where, host::data::Dataset* DataSet);
    void OSInserirPecaPorItem();

    // ---- labels and the accessory check (uAssOrdemServicoEtiquetas.cpp) ----
    QPushButton* sbEtiquetas = nullptr;       // label sheet, thermal labels or the thermal port
    QPushButton* bbConferir = nullptr;        // accessory check by bar code
    void sbEtiquetasClick();
    void bbConferirClick();
    void dbgdAcessoriosDrawColumnCell(host::ui::CellStyle& style);

    // ---- keyboard commands and header buttons of the entry work ----
    void FormKeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void sbReservaClick();

    // ---- printing (uAssOrdemServicoImpressao.cpp) ----
    void bbImprimirClick();
    void bbOrcamentoClick();
    void sbImpRapidaClick();
    void bbOSInternaClick();
    void dbgdAcessoriosDblClick();
    void dbgdOrdemServicoDespExtraDblClick();
    // The complete budget, without its technical-report block when the
    // order says so; needs no window.
    static void MontaOrcamentoCompleto();

    // ---- public routines ----
    void VerificaOSAtributoAberto();
    void OSPassaTag(int value);
    void CarregaOpcoesDespesas();
    void GravaOpcoesDespesas();
    bool GetValueOpcaoDespesa(const QString& caption) const;

    // ---- sales orders of the order (uAssOrdemServicoPedido*.cpp) ----
    // Turns the order into its main sales order (the result) and, for other
    // payers, a service and an expense order (their numbers in the two
    // arguments, the main number when there is none); a refusal ends it
    // silently (host::Abort) after a message or a "Não".
    QString OSEmissaoPedidoVenda(bool AskOpen, bool ShowSuccess, bool HideParts, QString& ServiceOrderNumber,
                                 QString& ExpenseOrderNumber);
    void InserirServicoPedidoVenda(bool PendingOnly, const QString& OrderNumber);
    // The same with the sale's choices already made.
    void InserirServicoPedidoVenda(const venda_os::Selecao& selecao, const QString& OrderNumber);
    void InserirTotalServicoPecaPedidoVenda(const QString& OrderNumber);
    // The text as the additional observation ("V") of the order's last line.
    void AtualizarObservacaoAdiconalPedidoVendas(const QString& pedido, int aoCodigo, int sequencia,
                                                 const QString& texto);

    // ---- sales-document menu, invoice and contract-hour credit
    //      (uAssOrdemServicoNotaFiscal.cpp) ----
    void bbPedidoVendaClick();
    void dbtePedidoVendasClick();
    void dbtePedidoVendaServicoClick();
    // The order of the order's items (uAssOrdemServicoPedidoItens.cpp).
    void OSEmissaoPedidoItens(bool CreateHeader, QString& OrderNumber);
    // The return document of the order's equipment.
    void OSEmissaoPedidoDevolucao();
    // Takes the minutes worked under each contract of the order's items off
    // that contract's hour credit, one confirmed contract at a time. The
    // credit may go below 0; nothing is committed (the invoice's commit takes
    // it), and each run deducts again.
    void AbaterHorasCreditoDoServicoNoContrato(int ServiceOrderCode);

    // ---- external-service queue and automatic distribution
    //      (uAssOrdemServicoFila.cpp) ----
    void sbEnviarFilaAtenClick();
    void dbteFilaAtenClick();
    void sbDistribuicaoOSClick();
    // The technician for the current item's equipment with the fewest open
    // orders, among the active ones; 0 for none.
    int DistribuicaoAutomaticaOS();

    // ---- screen modes and most-used lists (uAssOrdemServicoModos.cpp) ----
    QGroupBox* gbLaudo = nullptr;
    QGroupBox* gbCausa = nullptr;
    QGroupBox* gbSolucao = nullptr;
    QGroupBox* gbObsLaudo = nullptr;
    QLabel* laClassificacao = nullptr;
    void CarregaTipoOrdemServidor(const QString& mode);
    void OSVerificaTipoRemanufatura(bool forceLayout);
    void CarregaAcessoriosMaisUsados();
    void CarregaEspeciesMaisUsados();
    void CarregaClassificacaoOS();

    // ---- expense and project grids, report texts (uAssOrdemServicoDespesas.cpp) ----
    void dbgdOrdemServicoDespViagemEditButtonClick();
    void dbgdOrdemServicoDespExtraEditButtonClick();
    void dbgdOrdemServicoProjetoEditButtonClick();
    void dbgdOrdemServicoDespViagemTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoDespExtraTitleClick(host::ui::GridColumn& Column);
    void dbgdOrdemServicoProjetoTitleClick(host::ui::GridColumn& Column);
    void dbmeLaudoDblClick();
    void dbmeCausaDblClick();
    void dbmeSolucaoDblClick();

    // ---- technician payment (uAssOrdemServicoPagamento.cpp) ----
    void btPagarTecnicoClick();

    // The items-only restriction of the logged-in technician.
    bool restricaoItens() const { return bRestricaoItens_; }

private:
    void irParaVizinha(const QString& sentido);
    void montarTela();
    QWidget* montarCabecalho();
    QWidget* montarBotoes();
    QPushButton* montarImportar(QWidget* cabecalho);
    QWidget* montarTotais();
    void montarAbas();
    void montarAbaLaudo();
    void montarAbaObservacao();
    void montarAbaCliente();
    void ligarEventos();
    host::data::DataSource* fonte(const char* nome, host::data::Dataset* dataset);
    host::ui::DataGrid* gradeDe(host::ui::TabSheet* aba, const char* nome, host::data::DataSource* fonte);
    void montarColunasItens(host::ui::DataGrid* grade, bool botaoDescricao);
    void montarColunasServicos();
    void montarColunasPecas();
    void ligarGrades();
    void ligarEtiquetas();
    void montarColunasDespesas();
    void montarColunasReceber();
    void montarColunasAcessorios();
    void ligarFilaModosDespesas();
    void aplicarColunasModo(host::ui::DataGrid* grade, bool veiculo);
    void ordenarAbasRemanufatura(bool remanufatura);

    // Entry work shared by the grid buttons and the keys.
    void servicoPrecoQuantidade();
    void inserirProdutos(host::data::Dataset* linhas, bool marcarOrdem);
    void faixaPreco(host::data::Dataset* linhas, const char* campoValor);
    void dadosVeiculoItem();
    void liberarPrecos();
    void pesquisaRapida(host::data::Dataset* linhas, host::ui::GridColumn& Column);

    void aplicarRestricaoTecnico();
    void carregarParcelasReceber();
    void sairDoLaudo();
    void pesquisarCliente(const char* coluna);
    void abrirMenuPrincipal(const char* item);
    void novaOSPorPlaca(bool abaVeiculo);
    int ordemAtual() const;

    // Header completion of the generated orders (numbers and billing customer).
    struct PedidosGerados {
        QString principal, servico, despesas, clienteCobranca;
    };
    void completarPedidosGerados(const PedidosGerados& pedidos);
    void completarPedidoPrincipal(const PedidosGerados& pedidos);
    void completarPedidoSeparado(const QString& pedido, const QString& clienteCobranca);
    QString textoReferentePedido(bool bPesquisaVeiculo);
    void fecharEmissaoPedido(int ordem);

    bool bRestricaoItens_ = false;
    host::ui::TabSheet* abaAnterior_ = nullptr;
    // Set while the active tab's lines are read again: the grid's current
    // column is then not entered by the user, and opens no list.
    bool relendoLinhas_ = false;
    // The order shown when another window of the desk became active; back
    // here, the window shows it again (-1: none to go back to).
    int ordemPropria_ = -1;
    void voltarParaOrdemPropria();
    std::vector<std::unique_ptr<host::data::DataSource>> fontes_;
};

extern host::ui::FormVar<TfmAssOrdemServico> fmAssOrdemServico;

// The service-order window when it is open (else null); when asked, it is
// brought to its first page first, reopening the data behind it.
TfmAssOrdemServico* JanelaOrdemServico(bool primeiraPagina);

// The invoice of the current order of fmAssOrdemServico: its sales order is
// made, the contract-hour credit taken and the host's invoice form issues
// the invoice (two, as one batch, with a separate service payer). The
// service-order window ends closed in every case.
void OSEmissaoNotaFiscal();
