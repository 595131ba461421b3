// The controls of the service-order window: header, tool bar, totals and the
// fourteen tabs, each bound to its dataset of dmTec or to a host look-up.

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::DataComboBox;
using host::ui::DataEdit;
using host::ui::DataLabel;
using host::ui::DataLookupCombo;
using host::ui::DataMemo;
using host::ui::DataRadioGroup;

namespace {

// The common constructors under this file's names.
constexpr auto* botao = &host::ui::makeButton;
constexpr auto* lupa = &host::ui::makeSearchButton;
constexpr auto* edit = &host::ui::makeEdit;
constexpr auto* texto = &host::ui::makeText;
constexpr auto* ligacao = &host::ui::makeLink;
constexpr auto* combo = &host::ui::makeLookup;

QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto)
{
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    return l;
}

DataMemo* memo(QWidget* pai, const char* nome, host::data::DataSource* fonte, const QString& campo)
{
    auto* m = new DataMemo(nome, pai);
    m->bind(fonte, campo);
    return m;
}

DataRadioGroup* radio(QWidget* pai, const char* nome, const QString& caption, host::data::DataSource* fonte,
                      const QString& campo, const QStringList& itens, const QStringList& valores)
{
    auto* r = new DataRadioGroup(nome, caption, pai);
    r->setItems(itens);
    r->setValues(valores);
    r->setColumns(int(itens.size()));
    r->bind(fonte, campo);
    return r;
}

// Caption above its control, as the form's labels sit.
QWidget* campo(const QString& caption, QWidget* controle, QWidget* extra = nullptr, QLabel* label = nullptr)
{
    auto* caixa = new QWidget;
    auto* v = new QVBoxLayout(caixa);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(1);
    v->addWidget(label ? label : new QLabel(caption));
    auto* h = new QHBoxLayout;
    h->setSpacing(1);
    h->addWidget(controle, 1);
    if (extra)
        h->addWidget(extra);
    v->addLayout(h);
    return caixa;
}

}  // namespace

host::data::DataSource* TfmAssOrdemServico::fonte(const char* nome, host::data::Dataset* dataset)
{
    fontes_.push_back(std::make_unique<host::data::DataSource>(nullptr, nome, dataset));
    return fontes_.back().get();
}

// A detail tab's grid: its dataset's persistent fields with their labels.
host::ui::DataGrid* TfmAssOrdemServico::gradeDe(host::ui::TabSheet* aba, const char* nome,
                                                host::data::DataSource* fonteGrade)
{
    auto* grade = new host::ui::DataGrid(nome, aba);
    grade->setDataSource(fonteGrade);
    auto* layout = aba->layout() ? static_cast<QVBoxLayout*>(aba->layout()) : new QVBoxLayout(aba);
    layout->addWidget(grade, 1);
    return grade;
}

void TfmAssOrdemServico::montarTela()
{
    TdmTec& tec = *dmTec;
    dsOrdem = fonte("dsOrdem", tec.quOS);
    dsItens = fonte("dsItens", tec.quOSItem);
    dsAndamento = fonte("dsAndamento", tec.quOSAndamento);
    dsPecas = fonte("dsPecas", tec.quOSPecas);
    dsViagem = fonte("dsViagem", tec.quOSDespViagem);
    dsExtra = fonte("dsExtra", tec.quOSDespExtra);
    dsProjeto = fonte("dsProjeto", tec.quOSProj);
    dsContato = fonte("dsContato", tec.quOSContato);
    dsAcessorios = fonte("dsAcessorios", tec.quOSAcessorios);
    dsSituacao = fonte("dsSituacao", tec.quOSSituacao);
    dsTecnico = fonte("dsTecnico", tec.quTecnicos);
    dsCliente = fonte("dsCliente", dmGlobal->quClienteLista);
    dsTabVcto = fonte("dsTabVcto", dmGlobal->quTabVenc);
    dsOperacao = fonte("dsOperacao", dmGlobal->quOperacao);
    dsRepresentante = fonte("dsRepresentante", dmGlobal->quRepresentante);
    dsReceber = fonte("dsReceber", dmGlobal->quReceber);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addWidget(montarBotoes());
    principal->addWidget(montarCabecalho());
    pcOrdemServico = new host::ui::PageControl("pcOrdemServico", this);
    montarAbas();
    auto* meio = new QHBoxLayout;
    meio->addWidget(pcOrdemServico, 1);
    meio->addWidget(montarTotais());
    principal->addLayout(meio, 1);
}

QWidget* TfmAssOrdemServico::montarBotoes()
{
    auto* barra = new QWidget(this);
    barra->setObjectName("paBotoes");
    auto* h = new QHBoxLayout(barra);
    h->setContentsMargins(0, 0, 0, 0);
    bbNovo = botao(barra, "bbNovo", "&Novo");
    bbSalvar = botao(barra, "bbSalvar", "&Salvar");
    bbCancelar = botao(barra, "bbCancelar", "&Cancelar");
    bbExcluir = botao(barra, "bbExcluir", "E&xcluir");
    sbAnterior = botao(barra, "sbAnterior", "<");
    sbProximo = botao(barra, "sbProximo", ">");
    // The arrows need no caption-wide button; the room goes to the long captions.
    for (QPushButton* seta : {sbAnterior, sbProximo})
        seta->setFixedWidth(std::max(24, seta->fontMetrics().horizontalAdvance(seta->text()) + 16));
    bbNS = botao(barra, "bbNS", "Nova OS por Equipamento");
    bbImprimir = botao(barra, "bbImprimir", "Im&primir");
    bbOSInterna = botao(barra, "bbOSInterna", "Comprovante");
    bbOrcamento = botao(barra, "bbOrcamento", "&Orçamento");
    bbPedidoVenda = botao(barra, "bbPedidoVenda", "&Venda");
    bbPedidoVenda->setToolTip("Gerar Pedido de Venda");
    btPagarTecnico = botao(barra, "btPagarTecnico", "Pagar Técnico");
    bbPesquisar = botao(barra, "bbPesquisar", "Pesquisar");
    sbReserva = botao(barra, "sbReserva", "Baixar Estoque");
    bbSair = botao(barra, "bbSair", "Sai&r");
    for (QPushButton* b : {bbNovo, bbSalvar, bbCancelar, bbExcluir, sbAnterior, sbProximo, bbPesquisar, bbNS,
                           bbImprimir, bbOSInterna, bbOrcamento, bbPedidoVenda, btPagarTecnico, sbReserva})
        h->addWidget(b);
    h->addStretch(1);
    h->addWidget(bbSair);
    return barra;
}

QWidget* TfmAssOrdemServico::montarCabecalho()
{
    paCabecalho = new QWidget(this);
    paCabecalho->setObjectName("paCabecalho");
    paCabecalho->setAutoFillBackground(true);
    QWidget* p = paCabecalho;
    auto* g = new QGridLayout(p);
    g->setContentsMargins(2, 2, 2, 2);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(2);

    dbedCodigo = edit(p, "dbedCodigo", dsOrdem, "AOCODIGO");
    laCliente = ligacao(p, "laCliente", "Cliente");
    dblcCliente = combo(p, "dblcCliente", dsOrdem, "CLCODIGO", dsCliente, "CODIGO_CLIENTE", "NOME");
    sbPesqCli = lupa(p, "sbPesqCli");
    sbPesqContrato = botao(p, "sbPesqContrato", "Equip. Contrato");
    dbedAtendente = edit(p, "dbedAtendente", dsOrdem, "AOATENDENTE");
    dbedDataEntrada = edit(p, "dbedDataEntrada", dsOrdem, "AODATAENTRADA");
    dbedHoraEntrada = edit(p, "dbedHoraEntrada", dsOrdem, "AOHORAENTRADA");
    dbedContato = edit(p, "dbedContato", dsOrdem, "AOCONTATO");
    dbrgPrioridade = radio(p, "dbrgPrioridade", "Prioridade", dsOrdem, "AOPRIORIDADE",
                           {"Baixa", "Média", "Alta", "Urgente"}, {"B", "M", "A", "U"});
    dbrgAtendimento = radio(p, "dbrgAtendimento", "Atendimento", dsOrdem, "AOATENDIMENTO", {"Interno", "Externo"},
                            {"I", "E"});
    Label20 = ligacao(p, "Label20", "Tabela Vcto.");
    dblcTabVcto = combo(p, "dblcTabVcto", dsOrdem, "TVCODIGO", dsTabVcto, "CODIGO", "DESCRICAO");
    sbPesqTabVcto = lupa(p, "sbPesqTabVcto");
    dbrgStatusServ = radio(p, "dbrgStatusServ", "Status do Serviço", dsOrdem, "AOBAIXA",
                           {"Executado", "Andamento", "Suspenso", "Terceiro"}, {"S", "A", "P", "T"});
    dbedDataSaida = edit(p, "dbedDataSaida", dsOrdem, "AODATASAIDA");
    dbedHoraSaida = edit(p, "dbedHoraSaida", dsOrdem, "AOHORASAIDA");
    laSuspensao = rotulo(p, "laSuspensao", "Motivo da Suspensão");
    dbcbSuspensao = new DataComboBox("dbcbSuspensao", DataComboBox::Style::DropDown, p);
    dbcbSuspensao->bind(dsOrdem, "AOLAUDO");
    Label4 = ligacao(p, "Label4", "Situação");
    dblcSituacao = combo(p, "dblcSituacao", dsOrdem, "ASCODIGO", dsSituacao, "ASCODIGO", "ASDESCRICAO");
    dbcbTipoOs = new DataComboBox("dbcbTipoOs", DataComboBox::Style::DropDown, p);
    dbcbTipoOs->bind(dsOrdem, "AOTIPOOS");
    laOperacao = ligacao(p, "laOperacao", "Operação");
    dblcOperacao = combo(p, "dblcOperacao", dsOrdem, "OFCODIGO", dsOperacao, "COD_OP", "DESC_OP_NF");
    sbOp = lupa(p, "sbOp");
    dbedDataCobranca = edit(p, "dbedDataCobranca", dsOrdem, "AODATACOBRANCA");
    laPV = rotulo(p, "laPV", "Pedido de Venda");
    dbtePedidoVendas = texto(p, "dbtePedidoVendas", dsOrdem, "VECODIGO");
    laSeparadorPV = rotulo(p, "laSeparadorPV", "/");
    dbtePedidoVendaServico = texto(p, "dbtePedidoVendaServico", dsOrdem, "VECODIGOSERVICO");
    // The order numbers open the order: they look like links.
    for (host::ui::DataLabel* pedido : {dbtePedidoVendas, dbtePedidoVendaServico}) {
        pedido->setCursor(Qt::PointingHandCursor);
        QFont negrito = pedido->font();
        negrito.setBold(true);
        pedido->setFont(negrito);
    }
    dbteStatusPV = texto(p, "dbteStatusPV", dsOrdem, "StatusPV");
    dbedSeqAtendimento = edit(p, "dbedSeqAtendimento", dsOrdem, "AOSEQATENDIMENTO");
    laFilaAten = rotulo(p, "laFilaAten", "Fila de Atendimento");
    dbteFilaAten = texto(p, "dbteFilaAten", dsOrdem, "AOSEQATENDIMENTO");
    sbEnviarFilaAten = botao(p, "sbEnviarFilaAten", "Enviar para Fila");
    sbCliCobranca = botao(p, "sbCliCobranca", "Cliente Cobrança");
    sbEnviarEmailAbertura = botao(p, "sbEnviarEmailAbertura", "E-mail Abertura");
    sbEnviarEmailAbertura->setProperty("tag", 1);
    sbEnviarEmail = botao(p, "sbEnviarEmail", "E-mail Orçamento");
    sbEnviarEmail->setProperty("tag", -1);
    sbEnviaEmailOS = botao(p, "sbEnviaEmailOS", "Aviso de Abertura");
    sbObsAdic = botao(p, "sbObsAdic", "Obs. Adicional");

    auto* pv = new QWidget(p);
    auto* hpv = new QHBoxLayout(pv);
    hpv->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{dbtePedidoVendas, laSeparadorPV, dbtePedidoVendaServico,
                                                      dbteStatusPV})
        hpv->addWidget(w);
    auto* fila = new QWidget(p);
    auto* hfila = new QHBoxLayout(fila);
    hfila->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{dbteFilaAten, dbedSeqAtendimento, sbEnviarFilaAten})
        hfila->addWidget(w);

    g->addWidget(campo("Nº OS", dbedCodigo), 0, 0);
    g->addWidget(campo({}, dblcCliente, sbPesqCli, laCliente), 0, 1, 1, 3);
    g->addWidget(campo("Atendente", dbedAtendente), 0, 4);
    g->addWidget(campo("Data Entrada", dbedDataEntrada), 0, 5);
    g->addWidget(campo("Hora", dbedHoraEntrada), 0, 6);
    g->addWidget(campo("Contato", dbedContato), 0, 7);
    g->addWidget(dbrgPrioridade, 1, 0, 1, 2);
    g->addWidget(dbrgAtendimento, 1, 2);
    g->addWidget(campo({}, dblcTabVcto, sbPesqTabVcto, Label20), 1, 3);
    g->addWidget(dbrgStatusServ, 1, 4, 1, 2);
    g->addWidget(campo("Data Saída", dbedDataSaida), 1, 6);
    g->addWidget(campo("Hora", dbedHoraSaida), 1, 7);
    g->addWidget(campo({}, dblcSituacao, nullptr, Label4), 2, 0, 1, 2);
    g->addWidget(campo({}, dblcOperacao, sbOp, laOperacao), 2, 2, 1, 2);
    g->addWidget(campo("Data Cobrança", dbedDataCobranca), 2, 4);
    g->addWidget(campo({}, pv, nullptr, laPV), 2, 5, 1, 2);
    laClassificacao = rotulo(p, "laClassificacao", "Classificação");
    g->addWidget(campo({}, dbcbTipoOs, nullptr, laClassificacao), 2, 7);
    g->addWidget(campo({}, dbcbSuspensao, nullptr, laSuspensao), 3, 0, 1, 3);
    g->addWidget(campo({}, fila, nullptr, laFilaAten), 3, 3, 1, 2);
    // The actions get a row of their own, so that their captions are not
    // squeezed into the last columns at the window's default width.
    auto* acoes = new QHBoxLayout;
    // The print speed buttons sit here too: the tool bar is full at that width.
    sbImpRapida = botao(p, "sbImpRapida", "Impressão Rápida");
    sbEtiquetas = botao(p, "sbEtiquetas", "Etiquetas");
    for (QPushButton* b : {sbPesqContrato, sbCliCobranca, sbObsAdic, sbEnviarEmailAbertura, sbEnviarEmail,
                           sbEnviaEmailOS, sbImpRapida, sbEtiquetas, montarImportar(p)})
        acoes->addWidget(b);
    acoes->addStretch(1);
    g->addLayout(acoes, 4, 0, 1, 8);
    return p;
}

QWidget* TfmAssOrdemServico::montarTotais()
{
    gbTotais = new QGroupBox("Totais", this);
    gbTotais->setObjectName("gbTotais");
    auto* v = new QVBoxLayout(gbTotais);
    const std::pair<const char*, const char*> totais[] = {
        {"AODESPVIAGEM", "Despesas com Viagem"}, {"AODESPDIVERSAS", "Despesas Diversas"},
        {"AOVALORSERVICO", "Serviços"},          {"AOVALORPECAS", "Peças"},
        {"AODESCONTO", "Desconto"},              {"AOVALORTOTAL", "Total"},
    };
    for (const auto& [coluna, caption] : totais) {
        const bool servico = QString(coluna) == "AOVALORSERVICO";
        DataEdit* e = edit(gbTotais, servico ? "dbedValorServico" : qPrintable("dbedTotal" + QString(coluna).mid(2)),
                           dsOrdem, coluna);
        e->setAlignment(Qt::AlignRight);
        v->addWidget(campo(caption, e));
        if (servico)
            dbedValorServico = e;
    }
    v->addStretch(1);
    gbTotais->setFixedWidth(170);
    return gbTotais;
}

void TfmAssOrdemServico::montarAbas()
{
    host::ui::PageControl* pc = pcOrdemServico;
    tsItens = pc->addPage("tsItens", "&Itens da OS");
    tsVeiculo = pc->addPage("tsVeiculo", "Veículos");
    tsServico = pc->addPage("tsServico", "Se&rviço");
    tsPecasOS = pc->addPage("tsPecasOS", "&Despesa com Peças");
    tsDespesaViagem = pc->addPage("tsDespesaViagem", "Despesas com Via&gem");
    tsDespesaExtra = pc->addPage("tsDespesaExtra", "Des&pesas Extras");
    tsProjeto = pc->addPage("tsProjeto", "Projeto");
    tsLaudo = pc->addPage("tsLaudo", "&Laudo");
    tsAndamento = pc->addPage("tsAndamento", "Andamen&to");
    tsObservacao = pc->addPage("tsObservacao", "O&bs. e Acessórios");
    tsFoto = pc->addPage("tsFoto", "&Foto ");
    tsCliente = pc->addPage("tsCliente", "Cli&ente");
    tsOutros = pc->addPage("tsOutros", "Outros");
    tsReceber = pc->addPage("tsReceber", "Simulação Parcelas");
    tsVeiculo->setTabVisible(false);

    dbgdOrdemServicoItens = gradeDe(tsItens, "dbgdOrdemServicoItens", dsItens);
    montarColunasItens(dbgdOrdemServicoItens, true);
    dbgdOrdemServicoItensVeiculo = gradeDe(tsVeiculo, "dbgdOrdemServicoItensVeiculo", dsItens);
    montarColunasItens(dbgdOrdemServicoItensVeiculo, false);
    dbgdOrdemServicoServicos = gradeDe(tsServico, "dbgdOrdemServicoServicos", dsAndamento);
    montarColunasServicos();
    dbgdOrdemServicoPecas = gradeDe(tsPecasOS, "dbgdOrdemServicoPecas", dsPecas);
    montarColunasPecas();
    dbgdOrdemServicoDespViagem = gradeDe(tsDespesaViagem, "dbgdOrdemServicoDespViagem", dsViagem);
    dbgdOrdemServicoDespExtra = gradeDe(tsDespesaExtra, "dbgdOrdemServicoDespExtra", dsExtra);
    dbgdOrdemServicoProjeto = gradeDe(tsProjeto, "dbgdOrdemServicoProjeto", dsProjeto);
    montarColunasDespesas();
    dbgdOrdemServicoAndamento = gradeDe(tsAndamento, "dbgdOrdemServicoAndamento", dsContato);
    dbgdReceber = gradeDe(tsReceber, "dbgdReceber", dsReceber);
    montarColunasReceber();

    dbimFoto = new host::ui::DataImage("dbimFoto", tsFoto);
    dbimFoto->bind(dsItens, "AOITFOTO");
    (new QVBoxLayout(tsFoto))->addWidget(dbimFoto, 1);
    dbmeHistorico = memo(tsOutros, "dbmeHistorico", dsOrdem, "AOHISTORICO");
    (new QVBoxLayout(tsOutros))->addWidget(campo("Histórico", dbmeHistorico));

    montarAbaLaudo();
    montarAbaObservacao();
    montarAbaCliente();
}

void TfmAssOrdemServico::montarAbaLaudo()
{
    QWidget* p = tsLaudo;
    laTecnico = ligacao(p, "laTecnico", "Técnico");
    dblcTecnico = combo(p, "dblcTecnico", dsOrdem, "ATCODIGO", dsTecnico, "ATCODIGO", "ATNOME");
    dbrgImprimirLaudo = radio(p, "dbrgImprimirLaudo", "Imprimir Laudo no Orçamento", dsOrdem, "AOIMPRIMIRLAUDO",
                              {"Sim", "Não"}, {"S", "N"});
    dbedValidadeOrcamento = edit(p, "dbedValidadeOrcamento", dsOrdem, "AOVALIDADEORCAMENTO");
    dbmeLaudo = memo(p, "dbmeLaudo", dsOrdem, "AODESCRICAOLAUDO");
    dbmeCausa = memo(p, "dbmeCausa", dsOrdem, "AOCAUSA");
    dbmeSolucao = memo(p, "dbmeSolucao", dsOrdem, "AOSOLUCAO");
    dbmeObsLaudo = memo(p, "dbmeObsLaudo", dsOrdem, "AOOBSLAUDO");
    // The automatic choice of the technician sits by the technician.
    sbDistribuicaoOS = botao(p, "sbDistribuicaoOS", "Distribuir OS");
    auto grupo = [p](const char* nome, const QString& caption, QWidget* memoGrupo) {
        auto* caixa = new QGroupBox(caption, p);
        caixa->setObjectName(nome);
        (new QVBoxLayout(caixa))->addWidget(memoGrupo);
        return caixa;
    };
    gbLaudo = grupo("gbLaudo", "Defeito Constatado", dbmeLaudo);
    gbCausa = grupo("gbCausa", "Causa", dbmeCausa);
    gbSolucao = grupo("gbSolucao", "Solução", dbmeSolucao);
    gbObsLaudo = grupo("gbObsLaudo", "Observação", dbmeObsLaudo);
    auto* g = new QGridLayout(p);
    g->addWidget(campo({}, dblcTecnico, sbDistribuicaoOS, laTecnico), 0, 0);
    g->addWidget(dbrgImprimirLaudo, 0, 1);
    g->addWidget(campo("Validade do Orçamento", dbedValidadeOrcamento), 0, 2);
    g->addWidget(gbLaudo, 1, 0, 1, 2);
    g->addWidget(gbCausa, 1, 2);
    g->addWidget(gbSolucao, 2, 0, 1, 2);
    g->addWidget(gbObsLaudo, 2, 2);
}

void TfmAssOrdemServico::montarAbaObservacao()
{
    QWidget* p = tsObservacao;
    dbedContaCaixa = edit(p, "dbedContaCaixa", dsOrdem, "AOCONTACAIXA");
    laClienteCobranca = ligacao(p, "laClienteCobranca", "Cliente Cobrança");
    dblcCliCobranca = combo(p, "dblcCliCobranca", dsOrdem, "CLCODIGOCLIENTECOBRANCA", dsCliente, "CODIGO_CLIENTE",
                            "NOME");
    sbPesqCliCob = lupa(p, "sbPesqCliCob");
    dbedNumeroOSTerceiros = edit(p, "dbedNumeroOSTerceiros", dsOrdem, "AONUMEROOSTERCEIROS");
    dbedPrevLiberacao = edit(p, "dbedPrevLiberacao", dsOrdem, "AOPREVLIBERACAO");
    dbedDataAprova = edit(p, "dbedDataAprova", dsOrdem, "AODATAAPROVA");
    dbedHoraAprovacao = edit(p, "dbedHoraAprovacao", dsOrdem, "AOHORAAPROVACAO");
    dblcRepresentante = combo(p, "dblcRepresentante", dsOrdem, "FOCODIGOREPRESENTANTE", dsRepresentante, "CODIGO",
                              "NOME");
    sbPesqRepres = lupa(p, "sbPesqRepres");
    dbedLocal = edit(p, "dbedLocal", dsOrdem, "AOLOCAL");
    laClienteCobrancaServico = ligacao(p, "laClienteCobrancaServico", "Cliente Cobrança Serviço");
    dblcCliCobServ = combo(p, "dblcCliCobServ", dsOrdem, "CLCODIGOCOBRANCASERVICO", dsCliente, "CODIGO_CLIENTE",
                           "NOME");
    sbPesqCliCobServ = lupa(p, "sbPesqCliCobServ");
    laClienteDespesas = ligacao(p, "laClienteDespesas", "Cliente Cobrança Despesas");
    dblcCliDespesas = combo(p, "dblcCliDespesas", dsOrdem, "CLCODIGOCOBRANCADESPESAS", dsCliente,
                            "CODIGO_CLIENTE", "NOME");
    sbPesqClienteDespesas = lupa(p, "sbPesqClienteDespesas");
    dbedLocalPrestacao = edit(p, "dbedLocalPrestacao", dsOrdem, "ANCODIGO");
    sbPesquisaLocalPrestacao = lupa(p, "sbPesquisaLocalPrestacao");
    dbtePedidoDevolucao = texto(p, "dbtePedidoDevolucao", dsOrdem, "VECODIGODEVOLUCAO");
    dbmeObservacao = memo(p, "dbmeObservacao", dsOrdem, "AOOBSERVACAO");
    dbgdAcessorios = new host::ui::DataGrid("dbgdAcessorios", p);
    dbgdAcessorios->setDataSource(dsAcessorios);
    montarColunasAcessorios();
    bbConferir = botao(p, "bbConferir", "Conferir Acessório ");
    gbDespesasCliente = new QGroupBox("Despesas do Cliente", p);
    gbDespesasCliente->setObjectName("gbDespesasCliente");
    clOpcoesDespesas = new host::ui::CheckListBox("clOpcoesDespesas", gbDespesasCliente);
    clOpcoesDespesas->setItems({"Serviço", "Despesas com Peças", "Despesas com Viagem", "Despesas Extras"});
    (new QVBoxLayout(gbDespesasCliente))->addWidget(clOpcoesDespesas);

    auto* g = new QGridLayout(p);
    g->addWidget(campo("Conta Caixa", dbedContaCaixa), 0, 0);
    g->addWidget(campo({}, dblcCliCobranca, sbPesqCliCob, laClienteCobranca), 0, 1, 1, 2);
    g->addWidget(campo("Nº OS Terceiros", dbedNumeroOSTerceiros), 0, 3);
    g->addWidget(campo("Previsão Liberação (dias)", dbedPrevLiberacao), 1, 0);
    g->addWidget(campo("Data Aprovação", dbedDataAprova), 1, 1);
    g->addWidget(campo("Hora Aprovação", dbedHoraAprovacao), 1, 2);
    g->addWidget(campo("Representante", dblcRepresentante, sbPesqRepres), 1, 3);
    g->addWidget(campo("Filial", dbedLocal), 2, 0);
    g->addWidget(campo({}, dblcCliCobServ, sbPesqCliCobServ, laClienteCobrancaServico), 2, 1, 1, 2);
    g->addWidget(campo({}, dblcCliDespesas, sbPesqClienteDespesas, laClienteDespesas), 2, 3);
    g->addWidget(campo("Local de Prestação", dbedLocalPrestacao, sbPesquisaLocalPrestacao), 3, 0);
    g->addWidget(campo("Pedido de Devolução", dbtePedidoDevolucao), 3, 1);
    g->addWidget(gbDespesasCliente, 3, 2, 2, 2);
    g->addWidget(campo("Observação", dbmeObservacao), 4, 0, 1, 2);
    g->addWidget(campo("Acessórios", dbgdAcessorios, bbConferir), 5, 0, 1, 4);
}

void TfmAssOrdemServico::montarAbaCliente()
{
    QWidget* p = tsCliente;
    laCGC = rotulo(p, "laCGC", "CGC:");
    dbteCGC = texto(p, "dbteCGC", dsOrdem, "CGC_CNPJ");
    laIE = rotulo(p, "laIE", "Insc. Est.");
    dbteIE = texto(p, "dbteIE", dsOrdem, "CLIE");
    laInscMunicipal = rotulo(p, "laInscMunicipal", "Insc. Munic.");
    dbteInscMunicipal = texto(p, "dbteInscMunicipal", dsOrdem, "INSCRICAO_MUNICIPAL");
    laNomeFantasia = rotulo(p, "laNomeFantasia", "Nome Fantasia");
    dbteNomeFantasia = texto(p, "dbteNomeFantasia", dsOrdem, "NOME_FANTASIA");
    laPessoaFisica = rotulo(p, "laPessoaFisica", "PESSOA FÍSICA");
    auto* g = new QGridLayout(p);
    g->addWidget(campo({}, dbteCGC, nullptr, laCGC), 0, 0);
    g->addWidget(campo({}, dbteIE, nullptr, laIE), 0, 1);
    g->addWidget(campo({}, dbteInscMunicipal, nullptr, laInscMunicipal), 0, 2);
    g->addWidget(campo({}, dbteNomeFantasia, nullptr, laNomeFantasia), 1, 0, 1, 2);
    g->addWidget(laPessoaFisica, 1, 2);
    const std::pair<const char*, const char*> endereco[] = {
        {"ENDERECO", "Endereço"}, {"BAIRRO", "Bairro"}, {"CIDADE", "Cidade"}, {"ESTADO", "Estado"},
        {"CEP", "CEP"},           {"CONTATO", "Contato"}, {"EMAIL", "E-mail"},
    };
    int linha = 2, coluna = 0;
    for (const auto& [campoCliente, caption] : endereco) {
        g->addWidget(campo(caption, texto(p, qPrintable("dbte" + QString(campoCliente)), dsOrdem, campoCliente)),
                     linha, coluna);
        if (++coluna == 3) {
            coluna = 0;
            ++linha;
        }
    }
    g->addWidget(campo("Observação do Cliente", memo(p, "dbmeObsCli", dsOrdem, "OBSCLI")), linha + 1, 0, 1, 3);
}
