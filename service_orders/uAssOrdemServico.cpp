// The service-order window's life cycle (creation, show, activation,
// deactivation, close) and its record buttons.

#include "service_orders/uAssOrdemServico.h"

#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>

#include <utility>

host::ui::FormVar<TfmAssOrdemServico> fmAssOrdemServico("fmAssOrdemServico");

TfmAssOrdemServico* JanelaOrdemServico(bool primeiraPagina)
{
    TfmAssOrdemServico* janela = fmAssOrdemServico;
    if (!janela || !primeiraPagina)
        return janela;
    if (janela->pcOrdemServico->activePageIndex() != 0) {
        janela->pcOrdemServico->setActivePage(janela->pcOrdemServico->page(0));
        janela->VerificaOSAtributoAberto();
    }
    return janela;
}


namespace {


// The technicians' access column of the logged-in user.
QString acessoRestritoDoUsuario()
{
    return CarregaDado("ATACESSORESTRITO", "AATC06AT", "where upper(ATNOME) = " + QuotedStr(IbUserName().toUpper()))
        .trimmed();
}

}  // namespace

TfmAssOrdemServico::TfmAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Ordem de Serviço");
    setStayOnTop(true);
    setCentered(true);
    setStartMaximized(true);
    setKeyPreview(true);
    resize(1200, 760);
    montarTela();
    ligarEventos();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onSaveChanges = [] { dmTec->OSSalvarPendentes(); };   // header, items, then lines
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
    // The contract data module copies into the open order through this while the window lives.
    ::OrdemServicoAberta = [](bool primeiraPagina) { return JanelaOrdemServico(primeiraPagina) != nullptr; };
}

TfmAssOrdemServico::~TfmAssOrdemServico()
{
    destroyControls();
    if (dmTec)
        dmTec->LargarHoraTecnica(this);
    if (!fmAssOrdemServico.get() || fmAssOrdemServico.get() == this)
        ::OrdemServicoAberta = nullptr;
}

int TfmAssOrdemServico::ordemAtual() const { return dmTec->quOSAOCODIGO->asInteger(); }

void TfmAssOrdemServico::FormCreate()
{
    tsVeiculo->setTabVisible(parametro("ATPESQUISAOSVEICULO") == "S");
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    if (parametro("ATLISTAGEMCLIENTEOS") == "N")
        dmGlobal->VerificaListagemCliente(true, dblcCliente, this, "Cliente");
    const bool contratos = parametro("ATUTILIZACONTRATOS") == "S";
    sbPesqContrato->setVisible(contratos);
    sbEnviaEmailOS->setVisible(contratos);
    pcOrdemServico->setActivePage(pcOrdemServico->page(0));
    CarregaOrdemServico(0);
    CarregaTipoOrdemServidor(parametro("ATMODOVEICULO"));
    bbOSInterna->setVisible(parametro("ATIMPRIMECOMPROVANTEOS") == "S" || parametro("ATPESQUISAOSVEICULO") == "S");
    tsFoto->setTabVisible(parametro("ATEXIBEFOTOOS") == "S");
    const QString listagem = parametro("ATLISTACLIENTEOS");
    if (listagem == "C")
        dblcCliente->setListField("CODIGO_CLIENTE;NOME");
    else if (listagem == "P")
        dblcCliente->setListField("CGC_CNPJ;NOME");
    dbedAtendente->setEnabled(parametro("ATATENDENTEAUTOMATICO") == "N");
    dbrgStatusServ->setVisible(parametro("ATOCULTASTATUSSERVICO") != "S");
    const bool vendedor = UsuarioVendedor();
    if (parametro("ATBLOQUEIATABELAVENDEDOR") == "S" && vendedor) {
        sbPesqTabVcto->setEnabled(false);
        dblcTabVcto->setEnabled(false);
    }
    if (parametro("ATBLOQUEIAOPERACAOVENDEDOR") == "S" && vendedor) {
        sbOp->setEnabled(false);
        dblcOperacao->setEnabled(false);
    }
    // The number is typed only with manual numbering (and only while inserting).
    dbedCodigo->setEnabled(false);
    dbedCodigo->setReadOnlyControl(true);
    if (parametro("ATCODIGOOSMANUAL") == "S") {
        dbedCodigo->setEnabled(true);
        dbedCodigo->setReadOnlyControl(false);
    }
    const QString opcaoTela = parametro("ATOPCAOTELAOS");
    tsProjeto->setTabVisible(opcaoTela == "P");
    tsOutros->setTabVisible(false);
    const bool modoSeis = parametro("ATMODOFATURAMENTOOS") == "6";
    btPagarTecnico->setVisible(modoSeis);
    gbDespesasCliente->setVisible(modoSeis);
    const bool fila = opcaoTela == "C";
    sbEnviarFilaAten->setVisible(fila);
    laFilaAten->setVisible(fila);
    dbteFilaAten->setVisible(fila);
    // Shown by the header change or the queue, never on their own.
    laSuspensao->setVisible(false);
    dbcbSuspensao->setVisible(false);
    dbcbTipoOs->setVisible(false);
    laClassificacao->setVisible(false);
    dbedSeqAtendimento->setVisible(false);
    dsOrdemDataChange();
}

void TfmAssOrdemServico::FormShow()
{
    // The "Tipo de Hora" list of the service lines, while the window is open.
    dmTec->UsarHoraTecnica(this);
    if (parametro("ATIMPRIMECOMPROVANTEOS") != "S" && dmTec->quOSAOREMANUFATURA->asString() != "R")
        SalvarConfiguracaoDBGrid(dbgdOrdemServicoItens, true);
    for (host::ui::DataGrid* grade : {dbgdOrdemServicoItensVeiculo, dbgdOrdemServicoServicos, dbgdOrdemServicoPecas, dbgdOrdemServicoDespExtra,
                                      dbgdOrdemServicoDespViagem, dbgdOrdemServicoAndamento, dbgdOrdemServicoProjeto})
        SalvarConfiguracaoDBGrid(grade, true);
    if (host::ui::GridColumn* km = dbgdOrdemServicoItens->columnByField("AOITKMINICIAL"))
        km->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    if (!parametroAparado("ATSENHALIBERAPRECO").isEmpty() && !UsuarioMestre())
        for (const char* coluna : {"APVALUNITARIO", "APVALTOTAL"})
            if (host::ui::GridColumn* preco = dbgdOrdemServicoPecas->columnByField(coluna))
                preco->setReadOnly(true);
    CarregaAcessoriosMaisUsados();
    CarregaClassificacaoOS();
    QPalette cores = paCabecalho->palette();
    cores.setColor(QPalette::Window, palette().color(QPalette::Button));
    paCabecalho->setPalette(cores);
    OSVerificaTipoRemanufatura(true);
}

void TfmAssOrdemServico::FormActivate()
{
    voltarParaOrdemPropria();
    dmTec->UsarHoraTecnica(this);
    pcOrdemServicoChange();
    dmGlobal->CarregaListaClientes();
    dmGlobal->CarregaTabelaVencimento();
    dmGlobal->CarregaRepresentantes();
    dmTec->CarregaSituacao(0, "A");
    // The header's technician is named from this list, which other windows
    // close when they are left.
    if (!dmTec->quTecnicos->active())
        dmTec->quTecnicos->open();
    dmGlobal->CarregaOperacaoTransacao(" and coalesce(op.tipo_op, '') not in ('5', 'A', '0', 'D')"
                                       " and (op.OFCUPOMFISCAL <> 'I' or op.OFCUPOMFISCAL is null)",
                                       "Order by desc_op_nf ");
    dblcOperacao->setListField(
        RetornaSituacaoEquivalente(parametro("ATMODOPROCURAOPERACAO"), "MODOPROCURAOPERACAO") == "Código"
            ? "COD_OP;DESC_OP_NF"
            : "DESC_OP_NF");
    aplicarRestricaoTecnico();
    if (dmGlobal->quEmpresa->active() && dmGlobal->quEmpresa->findField("UGESPECIFICOEMPRESA") &&
        dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 2) {
        tsVeiculo->setTabVisible(false);
        tsDespesaViagem->setTabVisible(false);
    }
    tsReceber->setTabVisible(parametro("ATOPCAOTELAOS") == "S");
}

// "A": only the items-related tabs; "E": everything but the items.
void TfmAssOrdemServico::aplicarRestricaoTecnico()
{
    bRestricaoItens_ = false;
    if (UsuarioMestre())
        return;
    if (acessoRestritoDoUsuario() == "A") {
        bRestricaoItens_ = true;
        for (host::ui::TabSheet* aba : {tsDespesaViagem, tsServico, tsFoto, tsPecasOS, tsDespesaExtra, tsObservacao,
                                        tsLaudo, tsAndamento, tsCliente})
            aba->setTabVisible(false);
    }
    if (acessoRestritoDoUsuario() == "E") {
        dbgdOrdemServicoItens->setVisible(false);
        bRestricaoItens_ = true;
        tsItens->setTabVisible(false);
        tsItens->setPageIndex(pcOrdemServico->pageCount() - 1);
        tsItens->setTag(tsItens->pageIndex());
    }
}

// The desk's other windows share quOS: one may load another order in it (the
// progress list follows its rows). Back here the window shows its own order
// again, header and totals as stored now; a question or search this window
// opens (modal) moves nothing behind its back and is not watched.
void TfmAssOrdemServico::voltarParaOrdemPropria()
{
    const int propria = std::exchange(ordemPropria_, -1);
    const host::data::Query& os = *dmTec->quOS;
    if (propria > 0 && !os.editing())
        CarregaOrdemServico(propria);
}

void TfmAssOrdemServico::FormDeactivate()
{
    TdmTec& tec = *dmTec;
    const host::data::Query& os = *tec.quOS;
    const bool outraJanela = !QApplication::activeModalWidget();
    ordemPropria_ = outraJanela && os.active() && !os.isEmpty() && ordemAtual() > 0 ? ordemAtual() : -1;
    for (host::data::Dataset* d : {tec.quOSPecas, tec.quOSDespViagem, tec.quOSDespExtra, tec.quOSContato,
                                   tec.quOSAcessorios, tec.quOSAndamento, tec.quOSSituacao, tec.quTecnicos,
                                   tec.quDefeito})
        FecharGravando(*d);   // leaving the window ends its lines, stored first
    for (host::data::Dataset* d : {dmGlobal->quClienteLista, dmGlobal->quTabVenc, dmGlobal->quOperacao,
                                   dmGlobal->quRepresentante})
        d->close();
}

void TfmAssOrdemServico::FormClose()
{
    TdmTec& tec = *dmTec;
    // Closing drops the datasets: what was typed is stored first, and a
    // refused save keeps the window open on it.
    tec.OSSalvarPendentesAoFechar();
    for (host::data::Dataset* d : {tec.quOSItem, tec.quOS, tec.quContrato, tec.quOSAndamento})
        d->close();
    tec.LargarHoraTecnica(this);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    tec.CarregaOSItens(0, 0);
    release();
    fmAssOrdemServico.clear();
    // The progress list goes back to the order it showed; that is a courtesy
    // the close does not depend on.
    if (TfmAssAndamento* andamento = fmAssAndamento.get()) {
        try {
            andamento->PosicionarOSAtual(tec.iOSPesquisaAtual);
        } catch (...) {
        }
    }
}

// ---- record buttons ----

void TfmAssOrdemServico::bbNovoClick()
{
    // The new row reloads the items and lines: what is pending on them is
    // stored first, and a refusal keeps the user on this order.
    dmTec->OSSalvarPendentes();
    try {
        InserirRegistro(*dmTec->quOS);
    } catch (const host::Abort&) {
    } catch (const std::exception&) {
        // A failed insert leaves the screen on the current row, reloaded below.
    }
    if (dblcCliente->isEnabled() && dblcCliente->isVisible())
        dblcCliente->setFocus();
    pcOrdemServico->setActivePage(pcOrdemServico->page(0));
    // A new order is numbered when first saved: reloading now would throw the
    // new row away, so only a stored order is reloaded. The new row's own
    // scroll loaded the items it shows already.
    const bool novaOrdem = dmTec->quOS->state() == host::data::DatasetState::Insert;
    if (!novaOrdem || pcOrdemServico->activePage() != tsItens)
        VerificaOSAtributoAberto();
    if (!novaOrdem)
        CarregaOrdemServico(ordemAtual());
}

void TfmAssOrdemServico::bbSalvarClick()
{
    TdmTec& tec = *dmTec;
    if (parametro("ATENVIOEMAILOS") == "E" && tec.quOS->state() == host::data::DatasetState::Browse)
        tec.OSEnviarEmailPorSituacao(ordemAtual());
    tec.OSSalvarPendentes();
}

void TfmAssOrdemServico::bbCancelarClick() { dmTec->OSCancelarPendentes(); }

void TfmAssOrdemServico::bbExcluirClick()
{
    SalvarAlteracoes(*dmTec->quOSItem);
    ExcluirRegistro(*dmTec->quOS);
}

// quOS holds the one order shown: the previous or next order is the one
// before or after its number, loaded in its place. Its reload closes the
// items and lines, so whatever is pending on them is stored first too, and
// the tab shown gets the new order's lines at once.
void TfmAssOrdemServico::irParaVizinha(const QString& sentido)
{
    dmTec->OSSalvarPendentes();
    CarregaOrdemServico(RegistroAnteriorProximo("AATC01AO", "AOCODIGO", sentido, dmTec->quOSAOCODIGO->asString()).toInt());
    VerificaOSAtributoAberto();
}

void TfmAssOrdemServico::sbAnteriorClick() { irParaVizinha("<"); }

void TfmAssOrdemServico::sbProximoClick() { irParaVizinha(">"); }

void TfmAssOrdemServico::bbSairClick() { close(); }

void TfmAssOrdemServico::OSPassaTag(int value)
{
    for (host::data::Dataset* d : {dmTec->quOS, dmTec->quOSPecas, dmTec->quOSAndamento, dmTec->quOSItem})
        d->setTag(value);
}
