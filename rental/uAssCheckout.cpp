// The checkout window: its controls, its life cycle, the lines shown by tab,
// the enabling by status, the pop-up menu by mode, the back-order colours and
// the configuration links. The steps themselves are uAssCheckoutRegras'.

#include "rental/uAssCheckout.h"

#include "rental/uAssCheckoutRegras.h"
#include "rental/uAssVendasGrades.h"

#include "data/uDataTec.h"

#include "host/PilvOut70.h"
#include "host/PilvPro70.h"
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
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

host::ui::FormVar<TfmAssCheckout> fmAssCheckout("fmAssCheckout");

namespace {

using host::ui::addGridColumn;
using host::ui::withButton;

const QString kDicaCheckout = QStringLiteral("Clique inverso para opções do Checkout");
const QColor kAmareloPendencia(255, 255, 170);

QString modoTelaCheckout() { return dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA"); }

void colunasComposicaoCheckout(host::ui::DataGrid* grade)
{
    addGridColumn(grade, "CMSEQUENCIA", "Seq.", 40);
    addGridColumn(grade, "CMQUANTIDADE", "Quantidade", 70);
    addGridColumn(grade, "CMCODIGO", "Código", 80);
    addGridColumn(grade, "DESCRICAOESPECIFICACAO", "Descrição", 360);
}

}  // namespace

TfmAssCheckout::TfmAssCheckout(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Checkout dos Pedidos de Assistência");
    setCentered(true);
    resize(980, 640);
    quNSAux = CriarIbQuery("quNSAux");
    montarTela();
    ligarEventos();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssCheckout::~TfmAssCheckout() { destroyControls(); }

host::data::DataSource* TfmAssCheckout::fonte(const char* nome, host::data::Dataset* dataset)
{
    fontes_.push_back(std::make_unique<host::data::DataSource>(nullptr, nome, dataset));
    return fontes_.back().get();
}

void TfmAssCheckout::montarTela()
{
    TdmTec& tec = *dmTec;
    dsAssVenda = fonte("dsAssVenda", tec.quAssVenda);
    dsAssVendaItem = fonte("dsAssVendaItem", tec.quAssVendaItem);
    dsAssVendaCotado = fonte("dsAssVendaCotado", tec.quAssVendaCotado);
    dsEqpCfgComp = fonte("dsEqpCfgComp", tec.quEqpCfgComp);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    auto* botoes = new QWidget(this);
    botoes->setObjectName("paBotoes");
    auto* h = new QHBoxLayout(botoes);
    h->setContentsMargins(0, 0, 0, 0);
    btConfirmarCheckout = host::ui::makeButton(botoes, "btConfirmarCheckout", "Confirmar Checkout");
    btReabrirCheckout = host::ui::makeButton(botoes, "btReabrirCheckout", "Reabrir Checkout");
    bbLiberaFaturamento = host::ui::makeButton(botoes, "bbLiberaFaturamento", "&Libera Faturamento");
    bbSaidaEquipamentos = host::ui::makeButton(botoes, "bbSaidaEquipamentos", "&Saída Equipamentos");
    for (QPushButton* b : {btConfirmarCheckout, btReabrirCheckout, bbLiberaFaturamento, bbSaidaEquipamentos})
        h->addWidget(b);
    h->addStretch(1);
    principal->addWidget(botoes);
    principal->addWidget(montarSelecao());
    pcCheckout = new host::ui::PageControl("pcCheckout", this);
    montarAbas();
    principal->addWidget(pcCheckout, 1);
}

QWidget* TfmAssCheckout::montarSelecao()
{
    auto* grupo = new QGroupBox("Seleção", this);
    grupo->setObjectName("gbSelecao");
    host::ui::CaptionGrid campos(grupo, 3);
    dbedPedido = host::ui::makeEdit(grupo, "dbedPedido", dsAssVenda, "NUMERO_PEDIDO");
    dbedPedido->setReadOnly(true);
    laNomeCliente = host::ui::named<QLabel>("laNomeCliente", "<Nome do Cliente>", grupo);
    laNomeCliente->setMinimumWidth(320);
    dbteStatus = host::ui::makeText(grupo, "dbteStatus", dsAssVenda, "IMPRESSO_NF");
    dbteStatus->setMinimumWidth(160);
    campos.field("Pedido", dbedPedido);
    campos.field("Cliente", laNomeCliente);
    campos.field("Status", dbteStatus);
    campos.finish();
    return grupo;
}

void TfmAssCheckout::montarAbas()
{
    tsEquipSolicitados = pcCheckout->addPage("tsEquipSolicitados", "Equipamentos Solicitados");
    auto* v1 = new QVBoxLayout(tsEquipSolicitados);
    auto* divisao1 = new QSplitter(Qt::Vertical, tsEquipSolicitados);
    dbgdAssCheckoutItens = new host::ui::DataGrid("dbgdAssCheckoutItens", divisao1);
    dbgdAssCheckoutItens->setDataSource(dsAssVendaItem);
    addGridColumn(dbgdAssCheckoutItens, "COD", "Sequência", 64);
    addGridColumn(dbgdAssCheckoutItens, "CODIGO", "Código", 90);
    addGridColumn(dbgdAssCheckoutItens, "QUANTIDADE", "Quantidade", 76);
    addGridColumn(dbgdAssCheckoutItens, "DESCRICAO", "Descrição", 300);
    addGridColumn(dbgdAssCheckoutItens, "VEITCOMPLEMENTO", "Complemento", 90)->setPickList({"Não", "Sim"});
    addGridColumn(dbgdAssCheckoutItens, "UNIDADE_MEDIDA", "Un.Med.", 60);
    addGridColumn(dbgdAssCheckoutItens, "VEITNUMEROSERIE", "Número de Série", 130);
    addGridColumn(dbgdAssCheckoutItens, "OBS", "Obs.", 160);
    auto* baixo1 = new QWidget(divisao1);
    auto* h1 = new QHBoxLayout(baixo1);
    h1->setContentsMargins(0, 0, 0, 0);
    dbgdComposicaoItens = new host::ui::DataGrid("dbgdComposicaoItens", baixo1);
    dbgdComposicaoItens->setDataSource(dsEqpCfgComp);
    dbgdComposicaoItens->setReadOnlyGrid(true);
    colunasComposicaoCheckout(dbgdComposicaoItens);
    meConfiguracao = host::ui::named<QPlainTextEdit>("meConfiguracao", baixo1);
    meConfiguracao->setReadOnly(true);
    meConfiguracao->setVisible(false);
    h1->addWidget(dbgdComposicaoItens, 1);
    h1->addWidget(meConfiguracao, 1);
    v1->addWidget(divisao1, 1);
    laConfiguracaoItens = host::ui::makeLink(tsEquipSolicitados, "laConfiguracaoItens",
                                             "Clique aqui para ver Configuração do Equipamento");
    v1->addWidget(laConfiguracaoItens);

    tsEquipSelecionados = pcCheckout->addPage("tsEquipSelecionados", "Equipamentos Selecionados");
    auto* v2 = new QVBoxLayout(tsEquipSelecionados);
    auto* divisao2 = new QSplitter(Qt::Vertical, tsEquipSelecionados);
    dbgdAssCheckoutEquip = new host::ui::DataGrid("dbgdAssCheckoutEquip", divisao2);
    dbgdAssCheckoutEquip->setDataSource(dsAssVendaCotado);
    dbgdAssCheckoutEquip->setToolTip(kDicaCheckout);
    addGridColumn(dbgdAssCheckoutEquip, "COD", "Sequência", 64);
    withButton(addGridColumn(dbgdAssCheckoutEquip, "CODIGO", "Código", 90));
    addGridColumn(dbgdAssCheckoutEquip, "QUANTIDADETIPO", "Qtde. Tipo", 76);
    withButton(addGridColumn(dbgdAssCheckoutEquip, "DESCRICAO", "Descrição", 300));
    addGridColumn(dbgdAssCheckoutEquip, "VEITCOMPLEMENTO", "Complemento", 90)->setPickList({"Não", "Sim"});
    addGridColumn(dbgdAssCheckoutEquip, "UNIDADE_MEDIDA", "Un.Med.", 60);
    addGridColumn(dbgdAssCheckoutEquip, "QUANTIDADE", "Quantidade", 76);
    withButton(addGridColumn(dbgdAssCheckoutEquip, "VEITNUMEROSERIE", "Número de Série", 130));
    addGridColumn(dbgdAssCheckoutEquip, "OBS", "Obs.", 160);
    dbgdComposicaoEquip = new host::ui::DataGrid("dbgdComposicaoEquip", divisao2);
    dbgdComposicaoEquip->setDataSource(dsEqpCfgComp);
    dbgdComposicaoEquip->setReadOnlyGrid(true);
    colunasComposicaoCheckout(dbgdComposicaoEquip);
    v2->addWidget(divisao2, 1);
    laConfiguracaoEquip = host::ui::makeLink(tsEquipSelecionados, "laConfiguracaoEquip",
                                             "Clique aqui para ver Configuração do Equipamento");
    v2->addWidget(laConfiguracaoEquip);

    pmCheckout = host::ui::named<QMenu>("pmCheckout", this);
    miAlterarItemPendencia = pmCheckout->addAction("Alterar Item Pendência");
    miEmissaoNotaFiscal = pmCheckout->addAction("Emissão Nota Fiscal");
    miProtocoloEntrega = pmCheckout->addAction("Impressão Protocolo Entrega");
    miProtocoloRetirada = pmCheckout->addAction("Impressão Protocolo Retirada");
    miAlterarItemPendencia->setObjectName("miAlterarItemPendencia");
    miEmissaoNotaFiscal->setObjectName("miEmissaoNotaFiscal");
    miProtocoloEntrega->setObjectName("miProtocoloEntrega");
    miProtocoloRetirada->setObjectName("miProtocoloRetirada");
}

void TfmAssCheckout::ligarEventos()
{
    auto clique = [this](QPushButton* botao, void (TfmAssCheckout::*handler)()) {
        connect(botao, &QPushButton::clicked, this,
                [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(btConfirmarCheckout, &TfmAssCheckout::btConfirmarCheckoutClick);
    clique(btReabrirCheckout, &TfmAssCheckout::btReabrirCheckoutClick);
    clique(bbLiberaFaturamento, &TfmAssCheckout::bbLiberaFaturamentoClick);
    clique(bbSaidaEquipamentos, &TfmAssCheckout::bbSaidaEquipamentosClick);
    auto menu = [this](QAction* acao, std::function<void()> handler) {
        connect(acao, &QAction::triggered, this, [handler] { host::ui::runGuarded(handler); });
    };
    menu(miAlterarItemPendencia, [] { asscheckout::AlterarItemPendencia(); });
    menu(miEmissaoNotaFiscal, [] { asscheckout::EmissaoNotaFiscal(); });
    menu(miProtocoloEntrega, [] { asscheckout::ImprimirProtocolo("Entrega"); });
    menu(miProtocoloRetirada, [] { asscheckout::ImprimirProtocolo("Retirada"); });
    laConfiguracaoItens->onClick = [this] { laConfiguracaoItensClick(); };
    laConfiguracaoEquip->onClick = [this] { laConfiguracaoEquipClick(); };
    pcCheckout->onChange = [this] { pcCheckoutChange(); };
    dsAssVenda->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        if (!campo)
            dsAssVendaDataChange();
    };
    dsAssVenda->onStateChange = [this](host::data::DataSource&) { dsAssVendaStateChange(); };
    dsAssVendaItem->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        if (!campo)
            dsAssVendaItemDataChange();
    };
    dsAssVendaCotado->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        if (!campo)
            dsAssVendaCotadoDataChange();
    };
    dbgdAssCheckoutEquip->onEditButtonClick = [this] { dbgdAssCheckoutEquipEditButtonClick(dbgdAssCheckoutEquip); };
    dbgdAssCheckoutEquip->onDrawColumnCell = [](host::ui::CellStyle& estilo, int, host::ui::GridColumn&, bool) {
        if (dmTec->campoCotado("VECODIGOPENDENCIA").asString().trimmed().isEmpty())
            return;
        estilo.background = kAmareloPendencia;
        estilo.foreground = Qt::black;
    };
    for (host::ui::DataGrid* grade : {dbgdAssCheckoutItens, dbgdAssCheckoutEquip})
        grade->onTitleClick = [grade](host::ui::GridColumn& coluna) { host::ui::sortByColumn(*grade, coluna); };
}

QString TfmAssCheckout::numeroAtual() const
{
    const host::data::Query& venda = *dmTec->quAssVenda;
    return venda.active() ? venda.fieldByName("NUMERO_PEDIDO")->asString() : QString();
}

// ---- life cycle ----

void TfmAssCheckout::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    SalvarConfiguracaoDBGrid(dbgdAssCheckoutItens, true);
    SalvarConfiguracaoDBGrid(dbgdAssCheckoutEquip, true);
}

void TfmAssCheckout::FormShow()
{
    pcCheckout->setActivePage(tsEquipSolicitados);
    if (modoTelaCheckout() == "E") {
        laConfiguracaoItens->setVisible(false);
        laConfiguracaoEquip->setVisible(false);
        dbgdAssCheckoutEquip->column(2)->setVisible(false);   // QUANTIDADETIPO
        meConfiguracao->setVisible(true);
    }
    // The lines were loaded when the order was (dsAssVendaDataChange).
    atualizarEstado();
    dsAssVendaStateChange();
}

void TfmAssCheckout::FormClose()
{
    iAuxiliarGeral = 0;
    rAuxiliarGeral = 0;
    dmTec->quAssVendaCotado->close();
    SalvarConfiguracaoDBGrid(dbgdAssCheckoutEquip, false);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    release();
    fmAssCheckout.clear();
}

// ---- buttons ----

void TfmAssCheckout::btConfirmarCheckoutClick() { asscheckout::ConfirmarCheckout(); }

void TfmAssCheckout::btReabrirCheckoutClick() { asscheckout::ReabrirCheckout(); }

void TfmAssCheckout::bbLiberaFaturamentoClick() { asscheckout::LiberarFaturamento(); }

void TfmAssCheckout::bbSaidaEquipamentosClick() { asscheckout::SaidaEquipamentos(); }

// ---- lines, enabling and menu ----

void TfmAssCheckout::recarregarLinhas()
{
    const QString numero = numeroAtual();
    if (numero.isEmpty())
        return;
    if (pcCheckout->activePage() == tsEquipSolicitados)
        dmTec->CarregaPedidoAssVendaItem(numero, {}, {});
    else
        dmTec->CarregaPedidoAssVendaCotado(numero, {});
}

void TfmAssCheckout::pcCheckoutChange()
{
    recarregarLinhas();
    atualizarEstado();
}

void TfmAssCheckout::dsAssVendaDataChange()
{
    recarregarLinhas();
    atualizarEstado();
}

// The buttons by status, the grid's two states and the customer's name.
void TfmAssCheckout::atualizarEstado()
{
    const host::data::Query& venda = *dmTec->quAssVenda;
    const bool aberto = venda.active() && !venda.isEmpty();
    const QString cliente = aberto ? dmTec->campoPedido("CODIGO_CLIENTE").asString() : QString();
    if (cliente != clienteMostrado_) {
        clienteMostrado_ = cliente;
        laNomeCliente->setText(CarregaDado("NOME", "AUGC0301", " where CODIGO_CLIENTE = " + QuotedStr(cliente)));
    }
    const asscheckout::EstadoCheckout estado =
        asscheckout::estadoCheckout(aberto ? dmTec->campoPedido("IMPRESSO_NF").asString() : QStringLiteral("?"));
    btConfirmarCheckout->setEnabled(estado.confirmar);
    btReabrirCheckout->setEnabled(estado.reabrir);
    bbLiberaFaturamento->setEnabled(estado.liberar);
    bbSaidaEquipamentos->setEnabled(estado.saida);
    host::ui::DataGrid& grade = *dbgdAssCheckoutEquip;
    if (grade.readOnlyGrid() == estado.gradeEditavel) {
        grade.setReadOnlyGrid(!estado.gradeEditavel);
        grade.setRowSelect(!estado.gradeEditavel);
        grade.setMultiSelect(!estado.gradeEditavel);
        grade.setBaseColor(estado.gradeEditavel ? QColor() : QApplication::palette().color(QPalette::Button));
    }
}

void TfmAssCheckout::dsAssVendaStateChange()
{
    const host::data::Query& venda = *dmTec->quAssVenda;
    const QString status =
        venda.active() && !venda.isEmpty() ? dmTec->campoPedido("IMPRESSO_NF").asString() : QString();
    const asscheckout::MenuCheckout menu = asscheckout::menuCheckout(modoTelaCheckout(), status);
    if (menu.notaFiscal)
        miEmissaoNotaFiscal->setVisible(*menu.notaFiscal);
    if (menu.protocoloRetirada)
        miProtocoloRetirada->setVisible(*menu.protocoloRetirada);
    host::ui::setPopupMenu(dbgdAssCheckoutEquip, menu.menuCheckout ? pmCheckout : dmGlobal->puGeral);
    dbgdAssCheckoutEquip->setToolTip(menu.dica ? kDicaCheckout : QString());
}

// The data module loads the composition of the line its lists scroll to;
// a list without lines shows none.
void TfmAssCheckout::semLinhaSemComposicao(const host::data::Dataset& linhas)
{
    if (!linhas.active() || linhas.isEmpty())
        dmTec->quEqpCfgComp->close();
}

void TfmAssCheckout::dsAssVendaItemDataChange()
{
    host::data::Query& item = *dmTec->quAssVendaItem;
    semLinhaSemComposicao(item);
    if (modoTelaCheckout() != "E" || !item.active() || item.isEmpty())
        return;
    auto quTmpObs = CriarIbQuery("quTmpObs");
    quTmpObs->setSql("select ob.obtexto from augc70ob ob where ob.obid = 'V'  and ob.obcodigo = " +
                     QuotedStr(item.fieldByName("NUMERO_PEDIDO")->asString()) +
                     " and ob.obsequencia = " + item.fieldByName("COD")->asString());
    quTmpObs->open();
    meConfiguracao->setPlainText(quTmpObs->isEmpty() ? QString() : quTmpObs->field(0)->asString());
}

void TfmAssCheckout::dsAssVendaCotadoDataChange()
{
    atualizarEstado();
    host::data::Query& cotado = *dmTec->quAssVendaCotado;
    semLinhaSemComposicao(cotado);
    const bool linha = cotado.active() && !cotado.isEmpty();
    const QString pendencia = linha ? cotado.fieldByName("VECODIGOPENDENCIA")->asString().trimmed() : QString();
    if (!pendencia.isEmpty())
        dbgdAssCheckoutEquip->setToolTip("Pedido de Pendência: " + pendencia);
    else
        dsAssVendaStateChange();
}

// ---- configuration links ----

namespace {

// The product's composition and record once a serial was chosen.
void abrirConfiguracaoCheckout(const QString& produto, const QString& numeros)
{
    if (numeros.trimmed().isEmpty())
        return;
    AbrirComposicao(produto, QString(), true);
    dmGlobal->CarregarProduto(produto);
}

}  // namespace

void TfmAssCheckout::laConfiguracaoItensClick()
{
    host::data::Query& item = *dmTec->quAssVendaItem;
    if (!item.active() || item.isEmpty())
        return;
    const QString produto = item.fieldByName("CODIGO")->asString();
    const QString pedido = item.fieldByName("NUMERO_PEDIDO")->asString();
    QString numeros;
    SelecionaNumerosSerie("", produto, " and coalesce(VECODIGO, '') = " + QuotedStr(pedido), pedido, "", "", "", 0, 0,
                          numeros, 0, 0, 0, 0, 0, 0, 0, 0);
    abrirConfiguracaoCheckout(produto, numeros);
}

void TfmAssCheckout::laConfiguracaoEquipClick()
{
    host::data::Query& cotado = *dmTec->quAssVendaCotado;
    if (!cotado.active() || cotado.isEmpty())
        return;
    const QString produto = cotado.fieldByName("CODIGO")->asString();
    const QString pedido = cotado.fieldByName("NUMERO_PEDIDO")->asString();
    sAuxiliarGeral = CarregaDado("coalesce(PRGERANS, '')", "ACEC1101", " where CODIGO = " + QuotedStr(produto));
    if (sAuxiliarGeral != "Ú" && sAuxiliarGeral != "O")
        return;
    QString numeros;
    SelecionaNumerosSerie("", produto, " and coalesce(VECODIGO, '') = " + QuotedStr(pedido), pedido, "", "", "", 0, 0,
                          numeros, 0, 0, 0, 0, 0, 0, 0, sAuxiliarGeral == "Ú" ? 1 : 0);
    abrirConfiguracaoCheckout(produto, numeros.remove('\''));
}

void SelecionaCheckoutPedido(const QString& numero)
{
    TfmAssCheckout* form = fmAssCheckout;
    if (!form)
        form = fmAssCheckout.create();
    // The window loads the order's lines as the order opens.
    CarregaPedidoAssVenda(numero, {});
    form->showNonModal();
}
