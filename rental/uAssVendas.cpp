// The assistance-order window's life cycle (creation, show, activation,
// deactivation, close), its save and delete routines and its record buttons.

#include "rental/uAssVendas.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

host::ui::FormVar<TfmAssVendas> fmAssVendas("fmAssVendas");

TfmAssVendas::TfmAssVendas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pedido de Assistência");
    setStayOnTop(true);
    setCentered(true);
    resize(1100, 720);
    montarTela();
    ligarEventos();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onSaveChanges = [this] { salvar(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssVendas::~TfmAssVendas()
{
    destroyControls();
}

void TfmAssVendas::ligarEventos()
{
    auto clique = [this](QPushButton* botao, void (TfmAssVendas::*handler)()) {
        connect(botao, &QPushButton::clicked, this, [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(bbNovo, &TfmAssVendas::bbNovoClick);
    clique(bbSalvar, &TfmAssVendas::bbSalvarClick);
    clique(bbCancelar, &TfmAssVendas::bbCancelarClick);
    clique(bbExcluir, &TfmAssVendas::bbExcluirClick);
    clique(bbProducao, &TfmAssVendas::bbProducaoClick);
    clique(bbLocacao, &TfmAssVendas::bbLocacaoClick);
    clique(bbFinalizar, &TfmAssVendas::btFinalizarClick);
    clique(bbSair, &TfmAssVendas::bbSairClick);
    clique(sbAnterior, &TfmAssVendas::sbAnteriorClick);
    clique(sbProximo, &TfmAssVendas::sbProximoClick);
    clique(sbPesquisaDetalhada, &TfmAssVendas::sbPesquisaDetalhadaClick);
    clique(sbPesqCli, &TfmAssVendas::sbPesqCliClick);
    clique(sbPesqBanco, &TfmAssVendas::sbPesqBancoClick);
    clique(sbPesqGerente, &TfmAssVendas::sbPesqGerenteClick);
    clique(sbObsAdic, &TfmAssVendas::sbObsAdicClick);
    clique(sbZeltoCreator, &TfmAssVendas::sbZeltoCreatorClick);
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(f6, &QShortcut::activated, this, [this] { host::ui::runGuarded([this] { sbPesqCliClick(); }); });
    laDadosCliente->onClick = [this] { laDadosClienteClick(); };
    laEnderecoEntrega->onClick = [this] { laEnderecoEntregaClick(); };
    laEnderecoCobranca->onClick = [this] { laEnderecoCobrancaClick(); };
    laConfiguracaoItens->onClick = [this] { laConfiguracaoClick(*dmTec->quAssVendaItem); };
    laConfiguracaoCotado->onClick = [this] { laConfiguracaoClick(*dmTec->quAssVendaCotado); };
    ligarGrades();
    dbedLocal->onExit = [this] { dbedLocalExit(); };
    pcPedido->onChange = [this] { pcPedidoChange(); };
    dsVenda->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        dsVendaDataChange();
        if (!campo)
            mostrarLinhasDoPedido();
    };
}

QString TfmAssVendas::numeroAtual() const
{
    const host::data::Query& venda = *dmTec->quAssVenda;
    return venda.active() ? venda.fieldByName("NUMERO_PEDIDO")->asString() : QString();
}

bool TfmAssVendas::pendente() const
{
    return dmTec->quAssVenda->editing() || dmTec->quAssVendaItem->editing();
}

void TfmAssVendas::perguntarSalvar()
{
    if (dmGlobal->MostraPergunta("Deseja salvar as alterações ?", {"Sim", "Não"}) == "Sim")
        salvar();
}

// ---- life cycle ----

void TfmAssVendas::FormCreate()
{
    if (!dmTec->quAssVenda->active())
        CarregaPedidoAssVenda("", "");
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    SalvarConfiguracaoDBGrid(dbgdAssVendaItens, true);
    SalvarConfiguracaoDBGrid(dbgdAssVendaCotado, true);
    dsVendaDataChange();
}

void TfmAssVendas::FormShow()
{
    const bool configuracao = parametro("ATMODOPEDIDOASSISTENCIA") == "C";
    laConfiguracaoItens->setVisible(configuracao);
    laConfiguracaoCotado->setVisible(configuracao);
    pcPedido->setActivePage(tsDadosAdicionais);
    CarregaListaPeriodo();
    tiposContrato_ = TdmTecContrato::TiposContrato();
    CarregaListaTipoContrato();
    dmGlobal->CarregaVendedores();
    // The customer and bank look-ups show names from these lists.
    dmGlobal->CarregaListaClientes();
    dmGlobal->CarregaBancos();
}

void TfmAssVendas::FormActivate()
{
    if (dmTec->quAssVenda->active())
        dmTec->CarregaContatosCliente(dmTec->quAssVenda->fieldByName("CODIGO_CLIENTE")->asString());
    // UsuarioVendedor reads the register: asked only when its answer matters.
    const bool vendedorComissao = parametro("ATCOMISSAOPRODUTOVENDEDOR") == "A" && UsuarioVendedor();
    dmGlobal->CarregaOperacaoTransacao(
        "", assvenda::condicaoOperacoes(parametro("ATREGRAOPERACAOITEM"), vendedorComissao), "Order by desc_op_nf ");
    dmGlobal->CarregaTabelaVencimento("");
}

void TfmAssVendas::FormDeactivate() { dmGlobal->quTabVenc->close(); }

void TfmAssVendas::FormClose()
{
    if (pendente())
        perguntarSalvar();
    TdmTec& tec = *dmTec;
    for (host::data::Query* d :
         {tec.quAssVenda, tec.quAssVendaItem, tec.quAssVendaCotado, dmGlobal->quClienteLista, dmGlobal->quBanco})
        d->close();
    SalvarConfiguracaoDBGrid(dbgdAssVendaItens, false);
    SalvarConfiguracaoDBGrid(dbgdAssVendaCotado, false);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    release();
    fmAssVendas.clear();
}

// ---- save and delete ----

void TfmAssVendas::salvar()
{
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.active() || venda.fieldByName("CODIGO_CLIENTE")->asString().trimmed().isEmpty())
        return;
    if (dmTec->quAssVendaItem->editing())
        SalvarAlteracoes(*dmTec->quAssVendaItem);
    if (venda.editing())
        SalvarAlteracoes(venda);
    saveChanges();   // the configured lines and the rest being typed
}

bool TfmAssVendas::ExcluirPedidoAssVendaCorrente(const QString& numero)
{
    if (!VerificaValidadeSenha(parametro("ATSENHAEXCLUSAOPEDIDO"), "Senha de Exclusão de Pedido de Vendas"))
        return false;
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.active() || venda.isEmpty() || venda.fieldByName("NUMERO_PEDIDO")->asString() != numero)
        CarregaPedidoAssVenda(numero, "");
    // The record's own delete rule asks no password under tag 9.
    venda.setTag(9);
    try {
        if (!venda.isEmpty()) {
            venda.remove();
            // The host keeps only what is committed: a deletion left pending
            // would come back when the program ends.
            dmGlobal->IBTransaction1->commitRetaining();
        }
    } catch (...) {
        venda.setTag(0);
        throw;
    }
    venda.setTag(0);
    if (venda.isEmpty())
        fecharLinhas();
    return true;
}

// The lines of an order no longer stored go with it: no grid keeps them
// to be typed into and saved, nor a line being typed to be asked about.
void TfmAssVendas::fecharLinhas()
{
    TdmTec& tec = *dmTec;
    for (host::data::Query* linhas : {tec.quAssVendaItem, tec.quAssVendaCotado, tec.quAssCtrlAlter}) {
        if (linhas->editing())
            linhas->cancel();
        linhas->close();
    }
}

// ---- record buttons ----

void TfmAssVendas::bbNovoClick()
{
    if (pendente())
        perguntarSalvar();
    CarregaPedidoAssVenda("", "");
    host::data::Query& venda = *dmTec->quAssVenda;
    venda.append();   // the new-record rules choose proposal or order, or give up
    if (venda.state() == host::data::DatasetState::Insert)
        venda.fieldByName("IMPRESSO_NF")->clear();
    limparEnderecos();
    pcPedido->setActivePage(tsDadosAdicionais);
}

void TfmAssVendas::bbSalvarClick() { salvar(); }

void TfmAssVendas::bbCancelarClick() { CancelarAlteracoes(*dmTec->quAssVenda); }

void TfmAssVendas::bbExcluirClick()
{
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.active() || venda.isEmpty())
        return;
    if (dmGlobal->MostraPergunta("Deseja excluir o registro corrente?", {"Sim", "Não"}) != "Sim")
        return;
    if (venda.state() == host::data::DatasetState::Insert) {
        // Nothing stored yet: the new row is only dropped.
        venda.cancel();
        return;
    }
    // A refused password leaves the order, and its addresses, shown.
    if (ExcluirPedidoAssVendaCorrente(venda.fieldByName("NUMERO_PEDIDO")->asString()))
        limparEnderecos();
}

// The copy and the contract read the stored order: what is being typed is
// saved first.
void TfmAssVendas::btFinalizarClick()
{
    TdmTec& tec = *dmTec;
    host::data::Query& venda = *tec.quAssVenda;
    if (!venda.active() || venda.isEmpty())
        return;
    for (host::data::Query* dados : {&venda, tec.quAssVendaItem, tec.quAssVendaCotado})
        if (dados->editing())
            SalvarAlteracoes(*dados);
    assvenda::FinalizarPedidoAss();
}

void TfmAssVendas::bbSairClick() { close(); }

void TfmAssVendas::sbAnteriorClick() { navegar("<"); }

void TfmAssVendas::sbProximoClick() { navegar(">"); }

// The header query holds the one order shown; its neighbour by number is
// loaded in its place. The reload closes the lines, so a line being typed
// is stored first too.
void TfmAssVendas::navegar(const QString& direcao)
{
    TdmTec& tec = *dmTec;
    host::data::Query& venda = *tec.quAssVenda;
    // A new order typed is not dropped without a word: the user is asked, as "&Novo" asks.
    if (venda.state() == host::data::DatasetState::Insert && venda.modified())
        perguntarSalvar();
    if (venda.state() == host::data::DatasetState::Insert)
        venda.cancel();
    for (host::data::Dataset* linhas : {tec.quAssVendaItem, tec.quAssVendaCotado})
        if (linhas->editing())
            SalvarAlteracoes(*linhas);
    if (venda.state() == host::data::DatasetState::Edit)
        SalvarAlteracoes(venda);
    carregarPedido(RegistroAnteriorProximo("AVEC8501", "NUMERO_PEDIDO", direcao, numeroAtual()));
}

void TfmAssVendas::carregarPedido(const QString& numero)
{
    CarregaPedidoAssVenda(numero, "");
    pcPedido->setActivePage(pcPedido->page(0));
}

void TfmAssVendas::limparEnderecos()
{
    meEnderecoEntrega->clear();
    meEnderecoCobranca->clear();
}
