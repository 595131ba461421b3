// The progress screen's buttons, keys and popup menu: opening orders,
// reports, prints, situation changes, progress records and product picks.

#include "service_orders/uAssAndamento.h"

#include "data/uDataTec.h"
#include "host/FiltroDia.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/UportaImpressora.h"
#include "host/Uprincipal.h"
#include "host/Upesqprod.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssOSAndamento.h"
#include "service_orders/uAssOSLaudo.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoImpressao.h"
#include "service_orders/uAssSituacaoTroca.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

host::data::Query& listaAndamento() { return *dmTec->quPesqOS; }

int campoListaAndamento(const char* campo)
{
    const host::data::Query& lista = listaAndamento();
    if (!lista.active() || lista.isEmpty())
        return 0;
    const host::data::Field* f = lista.findField(QString::fromLatin1(campo));
    return f ? f->asInteger() : 0;
}

bool tecnicoRestritoAndamento()
{
    return !UsuarioMestre() &&
           CarregaDado("ATACESSORESTRITO", "AATC06AT", "Where upper(ATNOME)= " + QuotedStr(IbUserName().toUpper())) ==
               "S";
}

// A print started here leaves the list on the order it printed.
void posicionarAposImpressao()
{
    if (TfmAssAndamento* tela = fmAssAndamento.get())
        tela->PosicionarOSAtual(dmTec->iOSPesquisaAtual);
}

}  // namespace

// ---- keys ---------------------------------------------------------------------

void TfmAssAndamento::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    const int tecla = key;
    switch (tecla) {
    case Qt::Key_F1: MostrarLegendaGarantia(); break;
    case Qt::Key_F2: MostrarTodasColunas(); break;
    case Qt::Key_F3: bbLaudo->click(); break;
    case Qt::Key_F4: bbImprimir->click(); break;
    case Qt::Key_F5: bbOrcamento->click(); break;
    case Qt::Key_F6: bbEtiqueta->click(); break;
    case Qt::Key_F7: TotalizadoresPesquisa(); break;
    case Qt::Key_F9: PesquisarProduto(); break;
    default: return;
    }
    key = 0;
}

void TfmAssAndamento::MostrarLegendaGarantia()
{
    TfmPesquisaAssOrdemServicoSimples* legenda = fmPesquisaAssOrdemServicoSimples.create();
    legenda->setCaption("Tipos de Garantia");
    legenda->resize(200, 160);
    for (QGroupBox* grupo : legenda->findChildren<QGroupBox*>()) {
        grupo->setTitle({});
        for (QWidget* campo : {static_cast<QWidget*>(legenda->cbCamposOS), static_cast<QWidget*>(legenda->edCampoPesqOS),
                               static_cast<QWidget*>(legenda->cbCamposOSItens),
                               static_cast<QWidget*>(legenda->edCampoPesqOSItens)})
            if (grupo->isAncestorOf(campo))
                campo->hide();
    }
    legenda->bbOk->hide();
    legenda->bbCancelar->hide();
    // The two groups are the first two lines of the legend, the labels the last two.
    const QList<QGroupBox*> grupos = legenda->findChildren<QGroupBox*>();
    if (grupos.size() >= 2) {
        auto* linha1 = new QLabel("1 - Garantia de Fábrica", grupos[0]);
        linha1->setObjectName("laTipoGarantia1");
        auto* linha2 = new QLabel("2 - Garantia do Serviço", grupos[1]);
        linha2->setObjectName("laTipoGarantia2");
        for (auto [grupo, rotulo] : {std::pair{grupos[0], linha1}, std::pair{grupos[1], linha2}})
            if (grupo->layout())
                grupo->layout()->addWidget(rotulo);
    }
    legenda->laTipoGarantia3->setText("3 - Sem Garantia");
    legenda->laTipoGarantia4->setText("4 - Cortesia");
    legenda->laTipoGarantia3->show();
    legenda->laTipoGarantia4->show();
    legenda->showModal();
}

void TfmAssAndamento::MostrarTodasColunas()
{
    if (MostraPergunta("Deseja mostrar todas colunas?", {"Sim", "Não"}) != "Sim")
        return;
    for (const auto& coluna : dbgdAndamentoOSRegistros->columns())
        coluna->setVisible(true);
}

// ---- product pick -----------------------------------------------------------------

void TfmAssAndamento::PesquisarProduto()
{
    auto naColunaProduto = [](host::ui::DataGrid* grade) {
        return grade->selectedColumn() &&
               grade->selectedColumn()->fieldName().compare("PRCODIGO", Qt::CaseInsensitive) == 0;
    };
    const bool servico = naColunaProduto(dbgdAssAndamentoServico);
    const bool pecas = naColunaProduto(dbgdAssAndamentoPecas);
    if (!servico && !pecas)
        return;
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo))
        return;
    const QString classe = CarregaDado("com_fab_s_fs", "acec1101", "where codigo =" + QuotedStr(codigo)).trimmed();
    TdmTec& tec = *dmTec;
    const bool linhaServico = classe == "7";
    host::data::Query& linhas = linhaServico ? *tec.quOSAndamento : *tec.quOSPecas;
    host::ui::DataGrid* grade = linhaServico ? dbgdAssAndamentoServico : dbgdAssAndamentoPecas;
    if (!linhas.active())
        linhas.open();
    linhas.append();
    linhas.fieldByName("PRCODIGO")->setAsString(codigo);
    linhas.post();
    grade->setSelectedIndex(2);
}

// ---- order list -------------------------------------------------------------------

void TfmAssAndamento::dbgdAndamentoOSRegistrosEditButtonClick()
{
    const host::ui::GridColumn* coluna = dbgdAndamentoOSRegistros->selectedColumn();
    if (!coluna || coluna->fieldName().compare("AOITOBSERVACAO", Qt::CaseInsensitive) != 0)
        return;
    dmGlobal->InserirObservacaoMemo(dmTec->quPesqOS, 0, "AOITOBSERVACAO", "Observacao", false);
}

void TfmAssAndamento::dbgdAndamentoOSRegistrosDblClick()
{
    const int ordem = campoListaAndamento("AOCODIGO");
    if (ordem <= 0)
        return;
    const QVariant situacao = dblcSituacao->keyValue();
    // The open window closes as a user closes it: what was typed there is
    // stored, and a refused save keeps it (and this double click ends).
    if (TfmAssOrdemServico* aberta = fmAssOrdemServico.get()) {
        aberta->close();
        if (fmAssOrdemServico.get())
            return;
    }
    TfmAssOrdemServico* tela = fmAssOrdemServico.create();
    if (tecnicoRestritoAndamento()) {
        for (host::ui::TabSheet* aba : {tela->tsAndamento, tela->tsDespesaExtra, tela->tsDespesaViagem, tela->tsFoto,
                                        tela->tsLaudo, tela->tsPecasOS, tela->tsServico})
            aba->setTabVisible(false);
        tela->pcOrdemServico->setActivePage(tela->tsCliente);
    }
    CarregaOrdemServico(ordem);
    dmTec->CarregaOSAtributos(ordem, 0, true);
    tela->VerificaOSAtributoAberto();
    tela->showModal();
    dmTec->quOSSituacao->close();
    dmTec->quOSSituacao->open();
    dblcSituacao->refreshList();
    dblcSituacao->setKeyValue(situacao);
    if (!situacao.isNull())
        dmTec->quOSSituacao->locate("ASCODIGO", situacao);
    bbPesq->click();
    localizarOrdem(ordem);
}

// ---- buttons ----------------------------------------------------------------------

void TfmAssAndamento::bbAbrirOSClick()
{
    const QString usuario = IbUserName().toUpper();
    if (usuario != "KORVAN" &&
        CarregaDado("ATALTERAROS", "AATC06AT", "WHERE upper(ATNOME)= " + QuotedStr(usuario)) == "N")
        dmGlobal->MostraAviso("Você não tem permissão para acessar a Ordem de Serviço\r"
                              "Configure a permissão no cadastro do técnico.",
                              true);
    if (fmPrincipal)
        fmPrincipal->AbrirJanela("fmAssOrdemServico");
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get())
        tela->bbNovo->click();
}

void TfmAssAndamento::bbLaudoClick()
{
    const int ordem = campoListaAndamento("aoCodigo");
    if (ordem < 0)
        dmGlobal->MostraAviso("Número da OS inválido", true);
    const bool porItem = dmGlobal->Parametro("ATTROCASITUACAOITEM") == "I";
    OSAndamentoAbrirLaudo(porItem, ordem, porItem ? campoListaAndamento("aoitCodigo") : 0);
}

// Disabled while it works; "Cancelar" of the print question ends the print
// silently and enables it again itself.
void TfmAssAndamento::imprimirPosicionando(QPushButton* botao, const std::function<void()>& preparar, int tipo)
{
    botao->setEnabled(false);
    struct Reabilitar {
        QPushButton* botao;
        ~Reabilitar() { botao->setEnabled(true); }
    } reabilitar{botao};
    preparar();
    ImprimirOrdemdeServico(TImpressaoOrdemServico(tipo));
    posicionarAposImpressao();
}

void TfmAssAndamento::bbImprimirClick()
{
    imprimirPosicionando(
        bbImprimir, [] { dmTec->CarregaOSItens(campoListaAndamento("AOCODIGO"), 0); }, iosNormal);
}

void TfmAssAndamento::bbOrcamentoClick()
{
    imprimirPosicionando(
        bbOrcamento, [] { CarregaOrdemServico(campoListaAndamento("AOCODIGO")); }, iosOrcamento);
}

void TfmAssAndamento::bbEtiquetaClick()
{
    const QString resposta =
        MostraPergunta("Deseja imprimir em qual tipo de impressora?", {"Matricial", "Térmica", "Configurar"});
    if (resposta == "Matricial") {
        const host::data::Query& itens = *dmTec->quOSItem;
        const int ordem = itens.active() && !itens.isEmpty() ? itens.fieldByName("AOCODIGO")->asInteger()
                                                               : campoListaAndamento("AOCODIGO");
        dmTec->CarregaOSItens(ordem, 0);
        ImprimirOrdemdeServico(iosEtiquetaMatricial);
    } else if (resposta == "Térmica") {
        ImprimirOrdemdeServico(iosEtiquetaTermica);
    } else if (resposta == "Configurar") {
        QString porta;
        VerificaPortaImpressora(porta, "GRAVA", "ACfgImpT.ini", "[Configuração_Impressora_Térmica]");
    }
    posicionarAposImpressao();
}

void TfmAssAndamento::sbPesqOSClick()
{
    const QString resposta = MostraPergunta("Deseja Pesquisar pela Pesquisa Completa ou Simples?", {"Completa", "Simples"});
    if (resposta == "Completa") {
        int ordem = 0, equipamento = 0;
        QString descricao;
        if (SelecionaOrdemServico(ordem, equipamento, descricao))
            edOS->setText(QString::number(ordem));
        return;
    }
    TfmPesquisaAssOrdemServicoSimples* simples = fmPesquisaAssOrdemServicoSimples.create();
    simples->onLimparFiltros = [this] {
        if (!dblcSituacao->keyValue().isNull())
            dblcSituacao->setKeyValue(QVariant());
        if (!edOS->text().isEmpty())
            edOS->clear();
    };
    simples->showModal();
}

void TfmAssAndamento::quadroLinhasClick()
{
    // Both frames lead to the product register, where services and parts are kept.
    if (fmPrincipal && fmPrincipal->miCadastroProduto)
        fmPrincipal->miCadastroProduto->click();
}

// ---- situations ---------------------------------------------------------------------

void TfmAssAndamento::miSituacaoTrocarSituacaoClick()
{
    if (dmGlobal->Parametro("ATTROCASITUACAOITEM") == "I")
        trocarSituacaoItem();
    else
        trocarSituacaoOS();
}

void TfmAssAndamento::trocarSituacaoOS()
{
    TdmTec& tec = *dmTec;
    host::data::Query& os = *tec.quOS;
    if (!os.active() || os.isEmpty())
        return;
    // The new situation is asked by the data module's change rule only while
    // its situation question is on; otherwise a 0 would be stored, so
    // nothing is changed.
    if (dmGlobal->Parametro("ATCONTROLEOS") != "S")
        return;
    {
        host::data::DetachHandler semGuarda(os.beforeEdit);
        os.edit();
        try {
            tec.quOSASCODIGO->setAsInteger(0);
        } catch (...) {
            if (os.editing())
                os.cancel();
            throw;
        }
        if (os.editing())
            os.cancel();
    }
    const int nova = tec.quOSASCODIGO->asInteger();
    if (situacaoEscolhida() == 0 ||
        MostraPergunta("Deseja visualizar a situação atual da O.S.?", {"Sim", "Não"}) == "Sim") {
        dblcSituacao->setKeyValue(nova);
        bbPesq->click();
        return;
    }
    host::data::Query& lista = listaAndamento();
    int seguinte = 0;
    {
        host::data::ControlsDisabled desligados(lista);
        lista.next();
        seguinte = campoListaAndamento("aoCodigo");
        lista.prior();
    }
    lista.close();
    lista.open();
    tec.quOSSituacao->locate("ASCODIGO", situacaoEscolhida());
    localizarOrdem(seguinte);
}

void TfmAssAndamento::trocarSituacaoItem()
{
    TdmTec& tec = *dmTec;
    host::data::DetachHandler semGuarda(tec.quOS->beforeEdit);
    const int atual = campoListaAndamento("asCodigo");
    const int nova = tec.RetornaSituacaoTroca(atual, atual, true);
    if (nova <= 0)
        return;
    UpdateCampoVariavelCommit("AATC01AOIT", "asCodigo", nova,
                              "where aoitCodigo = " + QString::number(campoListaAndamento("aoitCodigo")));
    dblcSituacaoItem->setKeyValue(nova);
    bbPesq->click();
}

int TfmAssAndamento::tecnicoDoUsuario()
{
    int tecnico = 0;
    if (!dmTec->VerificaTecnicoCadastrado(tecnico, IbUserName()))
        dmGlobal->MostraAviso("Usuário não está cadastrado como técnico", true);
    return tecnico;
}

void TfmAssAndamento::novoAndamento(bool contabilizarTempo)
{
    const int tecnico = tecnicoDoUsuario();
    TfmAssSituacaoTroca* troca = fmAssSituacaoTroca.create();
    troca->setCaption("Novo Laudo");
    troca->gbSituacao->setTitle("Situação da O.S. Nº: " + dmTec->quOSAOCODIGO->asString());
    troca->gbSituacao->setFixedHeight(58);
    troca->dblcSituacao->hide();
    troca->laTroca->hide();
    troca->laCodTec->setText(QString::number(tecnico));
    troca->fixarOrdemMostrada();
    int situacao = 0;
    if (contabilizarTempo)
        SelecionaSituacaoTrocaTempo(situacao, false, this);
    else
        SelecionaSituacaoTroca(situacao, false);
}

void TfmAssAndamento::miSituacaoNovoLaudoClick()
{
    novoAndamento(false);
}

void TfmAssAndamento::miSituacaoContabilizaClick()
{
    novoAndamento(true);
}

void TfmAssAndamento::miVisualizaLaudoClick()
{
    const int tecnico = tecnicoDoUsuario();
    TdmTec& tec = *dmTec;
    TfmAssSituacaoTroca* troca = fmAssSituacaoTroca.create();
    const QString ordem = tec.quOSAOCODIGO->asString();
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    try {
        auxiliar.close();
        const QDate solicitada = tec.quOSContatoDATA_SOLICITADA->asDateTime().date();
        auxiliar.setSql("select observacao from cadcom  \rwhere contrato        = " + QuotedStr(ordem) + "\r" +
                        "  and " + host::condicaoNoDia("Data_Solicitada", solicitada) + "\r" +
                        "  and Sequencia       = " + QuotedStr(tec.quOSContatoSEQUENCIA->asString()));
        auxiliar.open();
        troca->meLaudo->setPlainText(auxiliar.fieldByName("observacao")->asString());
        auxiliar.close();
    } catch (const host::Abort&) {
        auxiliar.close();
        throw;
    } catch (const std::exception&) {
        auxiliar.close();
        troca->meLaudo->clear();
    }
    troca->setCaption("Visualizar Laudo");
    troca->gbSituacao->setTitle("Situação da O.S. Nº: " + ordem);
    troca->gbSituacao->setFixedHeight(55);
    troca->dblcSituacao->setEnabled(false);
    troca->dblcSituacao->hide();
    troca->meLaudo->setReadOnly(true);
    troca->paBotoes->hide();
    troca->gbHoras->hide();
    troca->laCodTec->setText(QString::number(tecnico));
    troca->laTroca->hide();
    troca->showModal();
}

void TfmAssAndamento::miImprimirLaudoClick()
{
    // The printout is a courtesy: whatever fails in it leaves the screen as it was.
    try {
        TqrAssOSAndamento* relatorio = qrAssOSAndamento.create();
        host::ui::ReleaseOnExit liberar(qrAssOSAndamento);
        relatorio->QuickRep1->preview(true);
    } catch (...) {
    }
}
