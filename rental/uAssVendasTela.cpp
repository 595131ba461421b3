// The controls of the assistance-order window: the bottom bar, the group
// "Dados do Pedido" and the four tabs, each bound to its dataset of dmTec or
// to a host list.

#include "rental/uAssVendas.h"

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
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using host::ui::DataComboBox;
using host::ui::DataEdit;
using host::ui::DataLookupCombo;

namespace {

constexpr auto* assBotao = &host::ui::makeButton;
constexpr auto* assLupa = &host::ui::makeSearchButton;
constexpr auto* assEdit = &host::ui::makeEdit;
constexpr auto* assLigacao = &host::ui::makeLink;
constexpr auto* assCombo = &host::ui::makeLookup;

// The control under its caption, as the form's labels sit; extra goes beside it.
QWidget* assCampo(const QString& caption, QWidget* controle, QWidget* extra = nullptr)
{
    auto* caixa = new QWidget;
    auto* v = new QVBoxLayout(caixa);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(1);
    auto* rotulo = new QLabel(caption, caixa);
    rotulo->setBuddy(controle);
    v->addWidget(rotulo);
    auto* h = new QHBoxLayout;
    h->setSpacing(1);
    h->addWidget(controle, 1);
    if (extra)
        h->addWidget(extra);
    v->addLayout(h);
    return caixa;
}

DataComboBox* assHistorico(QWidget* pai, const char* nome, host::data::DataSource* fonte, const QString& campo)
{
    // Free text: a value not in the list may be typed.
    auto* c = new DataComboBox(nome, DataComboBox::Style::DropDown, pai);
    c->bind(fonte, campo);
    return c;
}

QPushButton* assBotaoDica(QWidget* pai, const char* nome, const QString& dica, QStyle::StandardPixmap icone)
{
    auto* b = new QPushButton(pai);
    b->setObjectName(nome);
    b->setToolTip(dica);
    b->setIcon(pai->style()->standardIcon(icone));
    b->setFixedWidth(28);
    return b;
}

struct AssColunaLinha {
    const char* campo;
    const char* titulo = nullptr;   // null: the field's label
    bool botao = false;
    int largura = -1;               // -1: the field's own
};

void assColunas(host::ui::DataGrid* grade, std::initializer_list<AssColunaLinha> colunas)
{
    for (const AssColunaLinha& c : colunas) {
        host::ui::GridColumn* coluna =
            grade->addColumn(c.campo, c.titulo ? QString::fromUtf8(c.titulo) : QString(), c.largura);
        if (c.botao)
            coluna->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    }
}

// The columns of both line grids; the buttons differ.
void assColunasLinhas(host::ui::DataGrid* grade, bool solicitados)
{
    assColunas(grade, {{"COD", "Sequência"},
                       {"CODIGO", "Código", true},
                       {"DESCRICAO", "Descrição", solicitados, 320},
                       {"UNIDADE_MEDIDA", "Un.Med."},
                       {"QUANTIDADE", "Quantidade"},
                       {"VALOR", "Valor"},
                       {"TOTAL_UNIT", "Total"},
                       {"OBS", "Obs.", false, 160},
                       {"VEITNUMEROSERIE", "Número de Série", solicitados, 140}});
}

}  // namespace

host::data::DataSource* TfmAssVendas::fonte(const char* nome, host::data::Dataset* dataset)
{
    fontes_.push_back(std::make_unique<host::data::DataSource>(nullptr, nome, dataset));
    return fontes_.back().get();
}

void TfmAssVendas::montarTela()
{
    TdmTec& tec = *dmTec;
    dsVenda = fonte("dsVenda", tec.quAssVenda);
    dsVendaItens = fonte("dsVendaItens", tec.quAssVendaItem);
    dsVendaCotado = fonte("dsVendaCotado", tec.quAssVendaCotado);
    dsCtrlAlter = fonte("dsCtrlAlter", tec.quAssCtrlAlter);
    dsCliente = fonte("dsCliente", dmGlobal->quClienteLista);
    dsBanco = fonte("dsBanco", dmGlobal->quBanco);
    dsVendedor = fonte("dsVendedor", dmGlobal->quVendedor);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addWidget(montarDadosPedido());
    pcPedido = new host::ui::PageControl("pcPedido", this);
    montarAbas();
    principal->addWidget(pcPedido, 1);
    principal->addWidget(montarBotoes());
}

QWidget* TfmAssVendas::montarBotoes()
{
    auto* barra = new QWidget(this);
    barra->setObjectName("paBotoes");
    auto* h = new QHBoxLayout(barra);
    h->setContentsMargins(0, 0, 0, 0);
    bbNovo = assBotao(barra, "bbNovo", "&Novo");
    bbSalvar = assBotao(barra, "bbSalvar", "&Salvar");
    bbProducao = assBotao(barra, "bbProducao", "&Produção");
    bbLocacao = assBotao(barra, "bbLocacao", "&Locação");
    bbFinalizar = assBotao(barra, "bbFinalizar", "&Finalizar");
    bbCancelar = assBotao(barra, "bbCancelar", "&Cancelar");
    bbExcluir = assBotao(barra, "bbExcluir", "&Excluir");
    bbSair = assBotao(barra, "bbSair", "Sair");
    for (QPushButton* b : {bbNovo, bbSalvar, bbProducao, bbLocacao, bbFinalizar, bbCancelar, bbExcluir})
        h->addWidget(b);
    h->addStretch(1);
    h->addWidget(bbSair);
    return barra;
}

QWidget* TfmAssVendas::montarDadosPedido()
{
    gbDadosPedido = new QGroupBox("Dados do Pedido", this);
    gbDadosPedido->setObjectName("gbDadosPedido");
    QWidget* p = gbDadosPedido;
    auto* g = new QGridLayout(p);
    g->setContentsMargins(4, 2, 4, 4);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);

    // Row 0: number with browsing and search, branch, kind and status, total.
    dbedNumeroPedido = assEdit(p, "dbedNumeroPedido", dsVenda, "NUMERO_PEDIDO");
    dbedNumeroPedido->setReadOnlyControl(true);
    sbAnterior = assBotao(p, "sbAnterior", "<");
    sbProximo = assBotao(p, "sbProximo", ">");
    sbAnterior->setToolTip("Pedido Anterior");
    sbProximo->setToolTip("Próximo Pedido");
    for (QPushButton* seta : {sbAnterior, sbProximo})
        seta->setFixedWidth(std::max(24, seta->fontMetrics().horizontalAdvance(seta->text()) + 16));
    sbPesquisaDetalhada = assBotao(p, "sbPesquisaDetalhada", "Pesquisa Detalhada");
    sbObsAdic = assBotaoDica(p, "sbObsAdic", "Observação Adicional", QStyle::SP_FileDialogDetailedView);
    sbZeltoCreator = assBotaoDica(p, "sbZeltoCreator", "Campos Criados no ZeltoCreator", QStyle::SP_FileDialogListView);
    auto* numero = new QWidget(p);
    auto* hn = new QHBoxLayout(numero);
    hn->setContentsMargins(0, 0, 0, 0);
    hn->setSpacing(1);
    hn->addWidget(dbedNumeroPedido, 1);
    for (QPushButton* b : {sbAnterior, sbProximo, sbPesquisaDetalhada, sbObsAdic, sbZeltoCreator})
        hn->addWidget(b);
    g->addWidget(assCampo("Número Pedido", numero), 0, 0, 1, 2);

    dbedLocal = assEdit(p, "dbedLocal", dsVenda, "VELOCAL");
    dbedLocal->setMaximumWidth(50);
    laNomeFilial = new QLabel(p);
    laNomeFilial->setObjectName("laNomeFilial");
    laNomeFilial->setMinimumWidth(240);
    g->addWidget(assCampo("Filial", dbedLocal, laNomeFilial), 0, 2, 1, 2);

    // The status text sits right of the kind text, where the header change puts it.
    auto* situacao = new QWidget(p);
    situacao->setObjectName("paSituacao");
    situacao->setMinimumSize(200, 20);
    dbteTipo = host::ui::makeText(situacao, "dbteTipo", dsVenda, "AUX2");
    dbteStatus = host::ui::makeText(situacao, "dbteStatus", dsVenda, "IMPRESSO_NF");
    dbteTipo->setGeometry(0, 2, 120, 18);
    dbteStatus->setGeometry(56, 2, 180, 18);
    dbteTotal = host::ui::makeText(p, "dbteTotal", dsVenda, "VALOR_TOTAL");
    dbteTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dbteTotal->setMinimumWidth(90);
    auto* resumo = new QHBoxLayout;
    resumo->addWidget(situacao, 1);
    resumo->addWidget(dbteTotal);
    g->addLayout(resumo, 0, 4, Qt::AlignBottom);

    // Row 1: customer.
    dblcCliente = assCombo(p, "dblcCliente", dsVenda, "CODIGO_CLIENTE", dsCliente, "CODIGO_CLIENTE", "NOME");
    dbedCodigoCliente = assEdit(p, "dbedCodigoCliente", dsVenda, "CODIGO_CLIENTE");
    dbedCodigoCliente->setReadOnlyControl(true);
    host::ui::fitCodeWidth(dbedCodigoCliente, 6);
    sbPesqCli = assLupa(p, "sbPesqCli");
    sbPesqCli->setToolTip("Pesquisar Cliente (Atalho F6)");
    auto* cliente = new QWidget(p);
    auto* hc = new QHBoxLayout(cliente);
    hc->setContentsMargins(0, 0, 0, 0);
    hc->setSpacing(1);
    hc->addWidget(dbedCodigoCliente);
    hc->addWidget(dblcCliente, 1);
    hc->addWidget(sbPesqCli);
    g->addWidget(assCampo("Cliente", cliente), 1, 0, 1, 3);
    laDadosCliente = assLigacao(p, "laDadosCliente", "Clique aqui para ver Dados Cliente");
    g->addWidget(laDadosCliente, 1, 3, Qt::AlignBottom);

    // Row 2: the customer's contacts and the manager.
    auto* contatos = dmTec->dsContato;
    dblcContato = assCombo(p, "dblcContato", dsVenda, "ANCODIGOCONTATO", contatos, "ANCODIGO", "ANNOME");
    dblcRequisitante = assCombo(p, "dblcRequisitante", dsVenda, "ANCODIGOREQUISITANTE", contatos, "ANCODIGO", "ANNOME");
    dblcAprovador = assCombo(p, "dblcAprovador", dsVenda, "ANCODIGOAPROVADOR", contatos, "ANCODIGO", "ANNOME");
    dblcGerente = assCombo(p, "dblcGerente", dsVenda, "CODIGO_VENDEDOR", dsVendedor, "FCOD", "FNOME");
    sbPesqGerente = assLupa(p, "sbPesqGerente");
    g->addWidget(assCampo("Contato", dblcContato), 2, 0);
    g->addWidget(assCampo("Requisitante", dblcRequisitante), 2, 1);
    g->addWidget(assCampo("Aprovador", dblcAprovador), 2, 2);
    g->addWidget(assCampo("Gerente", dblcGerente, sbPesqGerente), 2, 3, 1, 2);

    // Row 3: contract kind, period, sending, project and the customer's order.
    dbcbTipoContrato = assHistorico(p, "dbcbTipoContrato", dsVenda, "VETIPOCONTRATO");
    dbcbPeriodoLocacao = assHistorico(p, "dbcbPeriodoLocacao", dsVenda, "VEPERIODOLOCACAO");
    dbcbEnviaContrato = new DataComboBox("dbcbEnviaContrato", DataComboBox::Style::DropDownList, p);
    dbcbEnviaContrato->bind(dsVenda, "VEENVIACONTRATO");
    dbcbEnviaContrato->setPickList({"1 - Sim", "2 - Não", "3 - Não Possui"});
    dbcbProjeto = assHistorico(p, "dbcbProjeto", dsVenda, "VEPROJETO");
    dbcbPedidoCliente = assHistorico(p, "dbcbPedidoCliente", dsVenda, "VEPEDIDOCLIENTE");
    g->addWidget(assCampo("Tipo Contrato", dbcbTipoContrato), 3, 0);
    g->addWidget(assCampo("Período de Locação", dbcbPeriodoLocacao), 3, 1);
    g->addWidget(assCampo("Enviar Contrato", dbcbEnviaContrato), 3, 2);
    g->addWidget(assCampo("Projeto", dbcbProjeto), 3, 3);
    g->addWidget(assCampo("Pedido do Cliente", dbcbPedidoCliente), 3, 4);

    // Rows 4 and 5: dates and their notes.
    dbedDataNegociacao = assEdit(p, "dbedDataNegociacao", dsVenda, "VEDATANEGOCIACAO");
    dbedInicioVigencia = assEdit(p, "dbedInicioVigencia", dsVenda, "VEINICIOVIGENCIA");
    dbedTerminoVigencia = assEdit(p, "dbedTerminoVigencia", dsVenda, "VETERMINOVIGENCIA");
    dbedDataProducao = assEdit(p, "dbedDataProducao", dsVenda, "VEDATAPRODUCAO");
    dbedDataPagamento = assEdit(p, "dbedDataPagamento", dsVenda, "VEDATAPAGAMENTO");
    dbedDataRA = assEdit(p, "dbedDataRA", dsVenda, "VEDATARA");
    dbedObsDataPagamento = assEdit(p, "dbedObsDataPagamento", dsVenda, "VEOBSDATAPAGAMENTO");
    dbedObsDataRA = assEdit(p, "dbedObsDataRA", dsVenda, "VEOBSDATARA");
    dbedObsEntrega = assEdit(p, "dbedObsEntrega", dsVenda, "VEOBSENTREGA");
    g->addWidget(assCampo("Data Negociação", dbedDataNegociacao), 4, 0);
    g->addWidget(assCampo("Início Vigência", dbedInicioVigencia), 4, 1);
    g->addWidget(assCampo("Término Vigência", dbedTerminoVigencia), 4, 2);
    g->addWidget(assCampo("Data Entrega", dbedDataProducao), 4, 3);
    g->addWidget(assCampo("Observação Entrega", dbedObsEntrega), 4, 4);
    g->addWidget(assCampo("Data Pagamento", dbedDataPagamento), 5, 0);
    g->addWidget(assCampo("Observação Pgto.", dbedObsDataPagamento), 5, 1, 1, 2);
    g->addWidget(assCampo("Data Emissão RA", dbedDataRA), 5, 3);
    g->addWidget(assCampo("Observação RA", dbedObsDataRA), 5, 4);
    for (int coluna = 0; coluna < 5; ++coluna)
        g->setColumnStretch(coluna, 1);
    return gbDadosPedido;
}

void TfmAssVendas::montarAbas()
{
    tsDadosAdicionais = pcPedido->addPage("tsDadosAdicionais", "Dados Adicionais");
    tsEquipSolicitados = pcPedido->addPage("tsEquipSolicitados", "Equipamentos Solicitados");
    tsEquipConfigurados = pcPedido->addPage("tsEquipConfigurados", "Equipamentos Configurados");
    tsCtrlAlteracoes = pcPedido->addPage("tsCtrlAlteracoes", "Controle de Alterações");
    montarDadosAdicionais(tsDadosAdicionais);

    const QString configuracao = QStringLiteral("Clique aqui para ver Configuração do Equipamento");
    auto grade = [](host::ui::TabSheet* aba, const char* nome, host::data::DataSource* fonteGrade) {
        auto* g = new host::ui::DataGrid(nome, aba);
        g->setDataSource(fonteGrade);
        auto* layout = aba->layout() ? static_cast<QVBoxLayout*>(aba->layout()) : new QVBoxLayout(aba);
        layout->addWidget(g, 1);
        return g;
    };
    dbgdAssVendaItens = grade(tsEquipSolicitados, "dbgdAssVendaItens", dsVendaItens);
    assColunasLinhas(dbgdAssVendaItens, true);
    laConfiguracaoItens = assLigacao(tsEquipSolicitados, "laConfiguracaoItens", configuracao);
    tsEquipSolicitados->layout()->addWidget(laConfiguracaoItens);

    dbgdAssVendaCotado = grade(tsEquipConfigurados, "dbgdAssVendaCotado", dsVendaCotado);
    assColunasLinhas(dbgdAssVendaCotado, false);
    laConfiguracaoCotado = assLigacao(tsEquipConfigurados, "laConfiguracaoCotado", configuracao);
    tsEquipConfigurados->layout()->addWidget(laConfiguracaoCotado);

    dbgdCtrlAlter = grade(tsCtrlAlteracoes, "dbgdCtrlAlter", dsCtrlAlter);
    assColunas(dbgdCtrlAlter, {{"DATA", "Data", false, 90},
                               {"HORA", "Hora", false, 70},
                               {"USUARIO", "Usuário", false, 140},
                               {"ACAO", "Ação", false, 420}});
    dbgdCtrlAlter->setReadOnlyGrid(true);
}

void TfmAssVendas::montarDadosAdicionais(host::ui::TabSheet* aba)
{
    QWidget* p = aba;
    auto* g = new QGridLayout(p);
    g->setContentsMargins(4, 4, 4, 4);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);

    dblcContatoEntrega =
        assCombo(p, "dblcContatoEntrega", dsVenda, "ANCODIGOENTREGA", dmTec->dsContatoEnt, "ANCODIGO", "ANNOME");
    dblcContatoCobranca =
        assCombo(p, "dblcContatoCobranca", dsVenda, "ANCODIGOCOBRANCA", dmTec->dsContatoCob, "ANCODIGO", "ANNOME");
    dblcBanco = assCombo(p, "dblcBanco", dsVenda, "BCCODIGO", dsBanco, "CODIGO_BANCO", "NOME_BANCO");
    sbPesqBanco = assLupa(p, "sbPesqBanco");
    dbedDataReajuste = assEdit(p, "dbedDataReajuste", dsVenda, "VEDATAPROXREAJUSTE");
    dbedDataProposta = assEdit(p, "dbedDataProposta", dsVenda, "VEDATAPROPOSTA");
    dbedProposta = assEdit(p, "dbedProposta", dsVenda, "VEPROPOSTA");
    dbedObsProposta = assEdit(p, "dbedObsProposta", dsVenda, "VEOBSPROPOSTA");
    dbedObsReajuste = assEdit(p, "dbedObsReajuste", dsVenda, "VEOBSREAJUSTE");
    dbedObsInstalacao = assEdit(p, "dbedObsInstalacao", dsVenda, "VEOBSINSTALACAO");
    dbedCodigoContrato = assEdit(p, "dbedCodigoContrato", dsVenda, "ACCODIGO");
    dbedSuprimentos = assEdit(p, "dbedSuprimentos", dsVenda, "VESUPRIMENTOS");
    dbedValorSuprimentos = assEdit(p, "dbedValorSuprimentos", dsVenda, "VEVALORSUPRIMENTOS");

    g->addWidget(assCampo("Contato", dblcContatoEntrega), 0, 0);
    g->addWidget(assCampo("Contato", dblcContatoCobranca), 0, 1);
    g->addWidget(assCampo("Conta Bancária", dblcBanco, sbPesqBanco), 0, 2);
    g->addWidget(assCampo("Data Reajuste", dbedDataReajuste), 0, 3);

    auto memoEndereco = [p](const char* nome) {
        auto* m = new QPlainTextEdit(p);
        m->setObjectName(nome);
        m->setReadOnly(true);
        m->setMinimumHeight(44);
        m->setMaximumHeight(90);
        return m;
    };
    meEnderecoEntrega = memoEndereco("meEnderecoEntrega");
    meEnderecoCobranca = memoEndereco("meEnderecoCobranca");
    laEnderecoEntrega = assLigacao(p, "laEnderecoEntrega", "Clique aqui para alterar Endereço Entrega");
    laEnderecoCobranca = assLigacao(p, "laEnderecoCobranca", "Clique aqui para alterar Endereço Cobrança");
    auto enderecoComLigacao = [](const QString& caption, QPlainTextEdit* memo, QWidget* ligacao) {
        QWidget* caixa = assCampo(caption, memo);
        static_cast<QVBoxLayout*>(caixa->layout())->addWidget(ligacao);
        return caixa;
    };
    g->addWidget(enderecoComLigacao("End. Entrega", meEnderecoEntrega, laEnderecoEntrega), 1, 0, 3, 1);
    g->addWidget(enderecoComLigacao("End. Cobrança", meEnderecoCobranca, laEnderecoCobranca), 1, 1, 3, 1);

    g->addWidget(assCampo("Data Proposta/Pedido", dbedDataProposta), 1, 2);
    g->addWidget(assCampo("Proposta/Pedido", dbedProposta), 1, 3);
    g->addWidget(assCampo("Obs. Proposta", dbedObsProposta), 2, 2, 1, 2);
    g->addWidget(assCampo("Obs. Reajuste", dbedObsReajuste), 3, 2, 1, 2);
    g->addWidget(assCampo("Obs. Instalação", dbedObsInstalacao), 4, 0, 1, 2);
    g->addWidget(assCampo("Código Contrato", dbedCodigoContrato), 4, 2);
    g->addWidget(assCampo("Suprimentos", dbedSuprimentos), 5, 0, 1, 2);
    g->addWidget(assCampo("Valor", dbedValorSuprimentos), 5, 2);
    for (int coluna = 0; coluna < 4; ++coluna)
        g->setColumnStretch(coluna, 1);
    g->setRowStretch(6, 1);
}
