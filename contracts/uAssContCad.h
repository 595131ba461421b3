#pragma once
// TfmAssContCad (fmAssContCad): the register of service contracts. It holds
// no data of its own: the header, its customers, items, equipment, vehicles,
// contacts and links are datasets of dmTecContrato, the instalments and the
// receivables history host datasets; the rules stay in the data module and
// in uAssContCadRegras.h. One instance lives in fmAssContCad; closing it
// frees it and empties the variable.
//
// Sources by topic: uAssContCad.cpp (life cycle, record buttons, browsing),
// uAssContCadTela.cpp (the header group and the nine pages),
// uAssContCadEventos.cpp (bindings), uAssContCadAbas.cpp (page loaders,
// header change, colouring, the customers' and items' value checks),
// uAssContCadPesquisas.cpp (pickers, register labels, grid buttons),
// uAssContCadTeclas.cpp (F2 to F12, Ctrl+L and the instalment actions).

#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecContRegras.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace host::data {
class DataSource;
class Dataset;
class Field;
class Query;
}
namespace host::ui {
struct CellStyle;
class DataCheckBox;
class DataComboBox;
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class DataMemo;
class GridColumn;
class PageControl;
class StatusBar;
class TabSheet;
}

class TfmAssContCad : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCad(QWidget* parent = nullptr);
    ~TfmAssContCad() override;

    // ---- data sources ----
    host::data::DataSource* dsCtrCadastro = nullptr;
    host::data::DataSource* dsReceber = nullptr;
    host::data::DataSource* dsHistCR = nullptr;
    host::data::DataSource* dsContrCont = nullptr;
    host::data::DataSource* dsCliCont = nullptr;
    host::data::DataSource* dsCtrCadastroIt = nullptr;
    host::data::DataSource* dsContratoVin = nullptr;
    host::data::DataSource* dsCtrCadastroEquip = nullptr;
    host::data::DataSource* dsVeiculos = nullptr;
    host::data::DataSource* dsobjeto = nullptr;
    host::data::DataSource* dsCobertura = nullptr;
    host::data::DataSource* dsCxContas = nullptr;
    host::data::DataSource* dsBanco = nullptr;
    host::data::DataSource* dsHistorico = nullptr;
    host::data::DataSource* dsHoraTec = nullptr;
    host::data::DataSource* dsClienteConsulta = nullptr;
    host::data::DataSource* dsFornecedor = nullptr;
    host::data::DataSource* dsPesqIndice = nullptr;
    // The receivables history of the customer ("Histórico de Contas").
    host::data::Query* quHistCR = nullptr;

    // ---- "Dados do Contrato" ----
    QGroupBox* gbDadosContrato = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    QPushButton* sbPesqContrato = nullptr;
    QPushButton* sbAnt = nullptr;
    QPushButton* sbProx = nullptr;
    QPushButton* sbZeltoCreator = nullptr;
    host::ui::DataEdit* dbedNumeroContrato = nullptr;
    host::ui::DataEdit* dbedLocal = nullptr;
    host::ui::DataLabel* dbteNomeFilial = nullptr;
    host::ui::DataLabel* Label5 = nullptr;     // "Código do Objeto"
    host::ui::DataEdit* dbedObjeto = nullptr;
    QPushButton* sbPesqObj = nullptr;
    host::ui::DataLabel* dbteObjeto = nullptr;
    host::ui::DataLabel* Label20 = nullptr;    // "Objeto"
    host::ui::DataEdit* dbedTextoObjeto = nullptr;
    host::ui::DataComboBox* dbcbNatureza = nullptr;
    host::ui::DataComboBox* dbcbTipo = nullptr;
    host::ui::DataComboBox* dbcbModalidade = nullptr;
    host::ui::DataComboBox* dbcbTipoDesc = nullptr;

    // ---- pages ----
    host::ui::PageControl* pcContrato = nullptr;
    host::ui::TabSheet* tsContDadosAdicionais = nullptr;
    host::ui::TabSheet* tsContFinanceiro = nullptr;
    host::ui::TabSheet* tsClientesCont = nullptr;
    host::ui::TabSheet* tsContParcAberta = nullptr;
    host::ui::TabSheet* tsContAcompanhamento = nullptr;
    host::ui::TabSheet* tsHistCR = nullptr;
    host::ui::TabSheet* tsItens = nullptr;
    host::ui::TabSheet* tsContEquip = nullptr;
    host::ui::TabSheet* tsVeiculos = nullptr;

    // "Dados Adicionais"
    host::ui::DataEdit* dbedVencimento = nullptr;
    host::ui::DataEdit* dbedInicio = nullptr;
    host::ui::DataEdit* dbedTermino = nullptr;
    host::ui::DataEdit* dbedValorParcela = nullptr;
    host::ui::DataLabel* dbteValorLiquido = nullptr;
    host::ui::DataEdit* dbedValorAnterior = nullptr;
    host::ui::DataEdit* dbedDataBase = nullptr;
    host::ui::DataEdit* dbedPeriodicidadeOS = nullptr;   // ACCODIGOINTEGRACAO
    host::ui::DataCheckBox* dbckAprovaPrimeiraOS = nullptr;   // ACAPROVAIP
    host::ui::DataComboBox* dbcbPeriodo = nullptr;
    host::ui::DataComboBox* dbcbFixo = nullptr;
    host::ui::DataComboBox* dbcbVinculo = nullptr;
    host::ui::DataComboBox* dbcbSepSrv = nullptr;
    host::ui::DataLabel* Label7 = nullptr;     // "Contratante"
    host::ui::DataEdit* dbedContratante = nullptr;
    host::ui::DataLookupCombo* dblcContratante = nullptr;
    QPushButton* sbPesqContratante = nullptr;
    host::ui::DataLabel* Label8 = nullptr;     // "Cliente (Cobrança)"
    host::ui::DataEdit* dbedCliente = nullptr;
    host::ui::DataLookupCombo* dblcCliente = nullptr;
    QPushButton* sbPesqCli = nullptr;
    host::ui::DataLabel* Label11 = nullptr;    // "Mantenedora"
    host::ui::DataEdit* dbedResponsavel = nullptr;
    host::ui::DataLookupCombo* dblcResponsavel = nullptr;
    QPushButton* sbPesqResp = nullptr;
    QGroupBox* gbRenovacao = nullptr;
    host::ui::DataCheckBox* dbckRenovacaoAut = nullptr;
    host::ui::DataComboBox* dbcbDeveGerar = nullptr;
    host::ui::DataEdit* dbedDataRenovacao = nullptr;
    host::ui::DataEdit* dbedRenovacaoLimite = nullptr;
    host::ui::DataComboBox* dbcbSituacao = nullptr;
    host::ui::DataMemo* dbmeTexto = nullptr;
    QGroupBox* gbContratosVinculados = nullptr;
    host::ui::DataGrid* dbgdContratoVinc = nullptr;
    QGroupBox* grpFranquia = nullptr;
    host::ui::DataLabel* laTipoFranquia = nullptr;
    host::ui::DataComboBox* dbcbbTipoFranquia = nullptr;
    QLabel* laQuantidadeFranquia = nullptr;
    host::ui::DataEdit* dbedQuantidadeFranquia = nullptr;
    QLabel* laValorExcedente = nullptr;
    host::ui::DataEdit* dbedValorExcedente = nullptr;

    // "Financeiro"
    host::ui::DataLabel* Label22 = nullptr;    // "Conta Fluxo Caixa"
    host::ui::DataEdit* dbedContaCaixa = nullptr;
    host::ui::DataLookupCombo* dblcContaCaixa = nullptr;
    host::ui::DataLookupCombo* dblcBanco = nullptr;
    host::ui::DataLabel* Label24 = nullptr;    // "Histórico"
    host::ui::DataLookupCombo* dblcHistorico = nullptr;
    host::ui::DataEdit* dbedSerieNF = nullptr;
    host::ui::DataLabel* Label26 = nullptr;    // "Tipo Pagamento"
    host::ui::DataComboBox* dbcbTipoPgto = nullptr;
    host::ui::DataEdit* dbedJuroMes = nullptr;
    host::ui::DataCheckBox* dbckJuroAplicarParcela = nullptr;
    host::ui::DataComboBox* dbcbPortadorPrev = nullptr;
    host::ui::DataComboBox* dbcbAplicarJuro = nullptr;
    QGroupBox* gbJuroMulta = nullptr;
    host::ui::DataEdit* dbedMultaLimite = nullptr;
    host::ui::DataEdit* dbedMultaValor = nullptr;
    host::ui::DataEdit* dbedJuroVencimento = nullptr;
    host::ui::DataLookupCombo* dblcIndice = nullptr;
    QPushButton* sbPesqMoeda = nullptr;
    host::ui::DataCheckBox* dbckIndiceReajuste = nullptr;
    host::ui::DataComboBox* dbcbGerarPedido = nullptr;
    QPushButton* sbCaixa = nullptr;
    host::ui::DataEdit* dbedDistanciaKm = nullptr;
    host::ui::DataEdit* dbedQuantidadePedagio = nullptr;
    host::ui::DataLookupCombo* dblcHoraTecnica = nullptr;
    host::ui::DataEdit* dbedHoraValor = nullptr;
    host::ui::DataEdit* dbedHoraCredito = nullptr;
    host::ui::DataLabel* dbteHoraCreditoMin = nullptr;
    host::ui::DataEdit* dbedQuantidadeEquipamento = nullptr;
    host::ui::DataComboBox* dbcbCOmprovante = nullptr;
    host::ui::DataEdit* dbedDiaFechamento = nullptr;
    host::ui::DataEdit* dbedPedidoPadrao = nullptr;
    QPushButton* sbPesqPedidoPadrao = nullptr;
    host::ui::DataEdit* dbedObjetoAuxiliar = nullptr;
    QPushButton* sbPesqObjAux = nullptr;
    host::ui::DataEdit* dbedVencimentoSemana = nullptr;
    host::ui::DataEdit* dbedQuantidadeParcela = nullptr;
    host::ui::DataEdit* dbedTabelaVencimento = nullptr;
    QPushButton* sbPesqTabelaVcto = nullptr;
    host::ui::DataEdit* dbedContaDebito = nullptr;
    QPushButton* sbPesqCtaCtbDeb = nullptr;
    host::ui::DataEdit* dbedContaCredito = nullptr;
    QPushButton* sbPesqCtaCtbCred = nullptr;

    // "Clientes Contratuais"
    host::ui::DataGrid* dbgdAssContCadClientes = nullptr;
    QLabel* paClienteContrato = nullptr;

    // "Parcelas do Contrato"
    host::ui::DataGrid* dbgdContRecAberto = nullptr;
    QLabel* laDesconto = nullptr;
    QPushButton* bbPrevisionar = nullptr;
    QPushButton* bbApagar = nullptr;
    host::ui::StatusBar* stParcelas = nullptr;

    // "Acompanhamento"
    host::ui::DataGrid* dbgdAssContCadAcompanhamento = nullptr;
    host::ui::DataCheckBox* ckMostraTodosContatos = nullptr;

    // "Histórico de Contas"
    host::ui::DataGrid* dbgdHistorico = nullptr;

    // "Itens do Contrato"
    host::ui::DataGrid* dbgdAssContCadItem = nullptr;
    QWidget* paBotoesItens = nullptr;
    QPushButton* btRemessaIten = nullptr;
    QPushButton* btEncerrarItem = nullptr;
    QPushButton* btDevolverItem = nullptr;

    // "Equipamentos", "Veículos"
    host::ui::DataGrid* dbgdAssContCadEquip = nullptr;
    host::ui::DataGrid* dbgdAssContCadVeiculo = nullptr;
    QLabel* laVeiculosInativos = nullptr;
    QPushButton* sbPesqVeiculo = nullptr;
    host::ui::DataLabel* Label55 = nullptr;    // "Abrir PMC"

    // ---- bottom bar and menu ----
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;
    QMenu* ppMenuContratoItens = nullptr;

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void bbNovoClick();
    void bbSalvarClick();
    void bbCancelarClick();
    void bbExcluirClick();
    void bbRelatorioClick();
    void bbSairClick();
    void sbPesqContratoClick();
    void sbAntClick();
    void sbProxClick();
    void sbPesqObjClick();
    void sbPesqObjAuxClick();
    void sbPesqContratanteClick();
    void sbPesqCliClick();
    void sbPesqRespClick();
    void sbPesqMoedaClick();
    void sbCaixaClick();
    void sbPesqPedidoPadraoClick();
    void sbPesqTabelaVctoClick();
    void sbPesqCtaCtbDebClick();
    void sbPesqCtaCtbCredClick();
    void sbPesqVeiculoClick();
    void sbZeltoCreatorClick();
    void Label5Click();
    void Label7Click();
    void Label8Click();
    void Label11Click();
    void Label22Click();
    void Label24Click();
    void Label26Click();
    void Label55Click();
    void laTipoFranquiaClick();
    void pcContratoChange();
    void tsContParcAbertaShow();
    void tsItensExit();
    void dsCtrCadastroDataChange();
    void dsReceberDataChange();
    void dsCliContDataChange();
    void dbckRenovacaoAutClick();
    void dbcbbTipoFranquiaChange();
    void ckMostraTodosContatosClick();
    void dbgdContratoVincDblClick();
    void dbgdContratoVincEditButtonClick();
    void dbgdAssContCadClientesEditButtonClick();
    void dbgdContRecAbertoDrawColumnCell(host::ui::CellStyle& style);
    void dbgdContRecAbertoEditButtonClick();
    void dbgdAssContCadAcompanhamentoEditButtonClick();
    void dbgdAssContCadItemEditButtonClick();
    void dbgdAssContCadEquipEditButtonClick();
    void dbgdAssContCadVeiculoDrawColumnCell(host::ui::CellStyle& style);
    void dbgdAssContCadVeiculoEditButtonClick();
    void dbgdGradeTitleClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna, bool salvar);
    void mmComposiodoItemClick();
    void bbPrevisionarClick();
    void bbApagarClick();
    void btEncerrarItemClick();
    void btDevolverItemClick();

    // ---- public routines ----
    void CarregaHistoricoClientes(const QString& cliente);
    void PrepararOpcaoSituacao();
    void quReceberAntesDelete(host::data::Dataset& dataset);

private:
    void montarTela();
    QWidget* montarCabecalho();
    QWidget* montarBotoes();
    void montarDadosAdicionais();
    void montarFinanceiro();
    void montarGrades();
    void ligarEventos();
    host::data::DataSource* fonte(const char* nome, host::data::Dataset* dataset);

    host::data::Query& contrato() const;
    int codigoContrato() const;
    void primeiraPagina();
    void carregarContrato(int codigo);
    void alternarPagina(host::ui::TabSheet* pagina);
    void pesquisarCliente(const char* campo);
    void pesquisarObjeto(const char* campo);
    void editarContrato(bool mesmoEditando = true);
    void abrirMenuPrincipal(const char* item);
    void listagemItens();
    void listagemContratos();
    void desdobrarParcelas();
    void verificaValorItensCliente(double valorAnterior, double parcelaAnterior);
    void emprestarReceber();
    void devolverReceber();

    void deixarItens();
    void verificaValorItens();

    uDataTecContRegras::ReceberEmprestado receber_;
    // The page shown before the user's change (noted after pcContratoChange
    // runs), and a refusal of the item row already told by tsItensExit.
    host::ui::TabSheet* paginaMostrada_ = nullptr;
    bool itensRecusados_ = false;
    bool voltandoItens_ = false;
    std::vector<std::unique_ptr<host::data::DataSource>> fontes_;
};

extern host::ui::FormVar<TfmAssContCad> fmAssContCad;
