// The progress screen's controls, its grids and their columns, the popup
// menu and the life cycle of the window.

#include "service_orders/uAssAndamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using host::ui::named;

host::ui::FormVar<TfmAssAndamento> fmAssAndamento("fmAssAndamento");

namespace {

// The "Peças" and "Serviço" frames answer a click on themselves (not on their grids).
class QuadroClicavelAndamento : public QGroupBox {
public:
    QuadroClicavelAndamento(const QString& nome, const QString& titulo, std::function<void()> clique)
        : QGroupBox(titulo), clique_(std::move(clique))
    {
        setObjectName(nome);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QGroupBox::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && clique_)
            host::ui::runGuarded(clique_);
    }

private:
    std::function<void()> clique_;
};

// A line typed in the grids is stored before its dataset closes; a refused
// save leaves it open, in edit, for the user to mend.
void fecharLinhasAndamento(host::data::Dataset& linhas)
{
    SalvarAlteracoes(linhas);
    linhas.close();
}

const int kAlturaSelecaoRecolhida = 45;
const int kAlturaSelecaoExpandida = 70;

// What a grid needs to show every column whole: its columns, the row
// marks, its frame and a vertical scroll bar.
int larguraDasColunas(const host::ui::DataGrid& grade)
{
    int largura = grade.verticalHeader()->isHidden() ? 0 : grade.verticalHeader()->sizeHint().width();
    for (int c = 0; c < grade.columnCount(); ++c)
        if (grade.column(c)->visible())
            largura += grade.column(c)->width();
    return largura + 2 * grade.frameWidth() + grade.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
}

}  // namespace

TfmAssAndamento::TfmAssAndamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Andamento das Ordens de Serviço");
    setStartMaximized(true);
    setStayOnTop(true);
    setKeyPreview(true);
    criarDados();
    criarSelecao();
    criarGrades();
    criarMenu();
    ligarEventos();
    resize(1000, 640);
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    // The data module reads the totals of an item through this while the screen lives.
    ::OSAndamentoTotalizarServicoPeca = [](int ordem, int item) {
        if (TfmAssAndamento* tela = fmAssAndamento.get())
            tela->OSAndamentoTotalizarServicoPeca(ordem, item);
    };
}

TfmAssAndamento::~TfmAssAndamento()
{
    destroyControls();
    if (!fmAssAndamento.get() || fmAssAndamento.get() == this)
        ::OSAndamentoTotalizarServicoPeca = nullptr;
}

void TfmAssAndamento::criarDados()
{
    TdmTec* tec = dmTec;
    quSitItem = CriarIbQuery("quSitItem");
    quSitItem->setSql("select * from AATC01AS\nwhere asid = 'I'\norder by ASCODIGO");
    auto fonte = [](const char* nome, host::data::Dataset* dados) {
        return std::make_unique<host::data::DataSource>(nullptr, QString::fromLatin1(nome), dados);
    };
    dsPesqOS = fonte("dsPesqOS", tec ? tec->quPesqOS : nullptr);
    dsContato = fonte("dsContato", tec ? tec->quOSContato : nullptr);
    dsServico = fonte("dsServico", tec ? tec->quOSAndamento : nullptr);
    dsPecas = fonte("dsPecas", tec ? tec->quOSPecas : nullptr);
    dsSituacao = fonte("dsSituacao", tec ? tec->quOSSituacao : nullptr);
    dsSitItem = fonte("dsSitItem", quSitItem.get());
}

void TfmAssAndamento::criarSelecao()
{
    gbSelecao = named<QGroupBox>("gbSelecao");
    auto* linhas = new QVBoxLayout(gbSelecao);
    linhas->setContentsMargins(4, 2, 4, 2);
    linhas->setSpacing(2);
    auto* linha = new QHBoxLayout;
    laSituacao = host::ui::makeLink(gbSelecao, "laSituacao", "Situação");
    dblcSituacao = new host::ui::DataLookupCombo("dblcSituacao", gbSelecao);
    dblcSituacao->setListSource(dsSituacao.get());
    dblcSituacao->setKeyField("ASCODIGO");
    dblcSituacao->setListField("ASDESCRICAO");
    dblcSituacao->setMinimumWidth(200);
    edOS = named<QLineEdit>("edOS");
    edOS->setMaximumWidth(90);
    sbPesqOS = named<QToolButton>("sbPesqOS");
    sbPesqOS->setText("...");
    edFilial = named<QLineEdit>("edFilial");
    edFilial->setMaximumWidth(50);
    linha->addWidget(laSituacao);
    linha->addWidget(dblcSituacao);
    linha->addWidget(new QLabel("Nº da O.S."));
    linha->addWidget(edOS);
    linha->addWidget(sbPesqOS);
    linha->addWidget(new QLabel("Filial"));
    linha->addWidget(edFilial);
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto) {
        membro = named<QPushButton>(nome, texto);
        linha->addWidget(membro);
    };
    botao(bbPesq, "bbPesq", "&Pesquisar");
    botao(bbAbrirOS, "bbAbrirOS", "&Abrir OS");
    botao(bbLaudo, "bbLaudo", "&Laudo");
    botao(bbImprimir, "bbImprimir", "I&mprimir");
    botao(bbOrcamento, "bbOrcamento", "&Orçamento");
    botao(bbEtiqueta, "bbEtiqueta", "&Etiqueta");
    botao(bbLimpar, "bbLimpar", "Limpa&r");
    botao(bbSair, "bbSair", "S&air");
    linha->addStretch();
    linhas->addLayout(linha);
    auto* linhaItem = new QHBoxLayout;
    laSituacaoItem = host::ui::makeLink(gbSelecao, "laSituacaoItem", "Situação do Item");
    dblcSituacaoItem = new host::ui::DataLookupCombo("dblcSituacaoItem", gbSelecao);
    dblcSituacaoItem->setListSource(dsSitItem.get());
    dblcSituacaoItem->setKeyField("ASCODIGO");
    dblcSituacaoItem->setListField("ASDESCRICAO");
    dblcSituacaoItem->setMinimumWidth(200);
    linhaItem->addWidget(laSituacaoItem);
    linhaItem->addWidget(dblcSituacaoItem);
    linhaItem->addStretch();
    linhas->addLayout(linhaItem);
}

void TfmAssAndamento::criarGrades()
{
    using host::ui::DataGrid;
    const auto reticencias = host::ui::GridColumn::ButtonStyle::Ellipsis;

    dbgdAndamentoOSRegistros = new DataGrid("dbgdAndamentoOSRegistros");
    DataGrid& lista = *dbgdAndamentoOSRegistros;
    lista.setDataSource(dsPesqOS.get());
    lista.setReadOnlyGrid(true);
    lista.addColumn("AOCODIGO", "Nº da OS", 60);
    lista.addColumn("CLIENTE", "Nome Cliente", 180);
    lista.addColumn("ENDCLI", "Endereço", 160);
    lista.addColumn("AOITEQUIPCODIGO", "Código ", 55);
    lista.addColumn("AOITEQUIPDESCRICAO", "Equipamento ou Automóvel ", 170);
    lista.addColumn("AOITQUANTIDADE", "Qtde. ", 45);
    lista.addColumn("AOITSERIE", "Nº de Série ou  Chassi", 130);
    lista.addColumn("AOITMARCA", "Marca", 90);
    lista.addColumn("AOITMODELO", "Modelo", 90);
    lista.addColumn("AODATAENTRADA", "Entrada ", 75);
    lista.addColumn("AOVALORTOTAL", "Valor Total", 80);
    lista.addColumn("AOITDEFEITO", "Defeito ", 150);
    lista.addColumn("AOITAPROVADO", "Aprovado", 60);
    lista.addColumn("AOITGARANTIA", "Garantia (F1)", 140)
        ->setPickList({"1- Garantia de Fábrica", "2- Garantia do Serviço", "3- Sem Garantia", "4- Cortesia"});

    dbgdAndamento = new DataGrid("dbgdAndamento");
    DataGrid& contatos = *dbgdAndamento;
    contatos.setDataSource(dsContato.get());
    contatos.setRowSelect(true);
    contatos.addColumn("CONTRATO", "OS", 50)->setVisible(false);
    contatos.addColumn("DATA_SOLICITADA", "Data Solic.", 75);
    contatos.addColumn("HORA_SOLICITADA", {}, 60);
    contatos.addColumn("HORA_VISITA", {}, 60);
    contatos.addColumn("CTHORAFINAL", {}, 60);
    contatos.addColumn("CTTEMPOTOTAL", "Total (min.)", 70);
    contatos.addColumn("DescricaoTecnico", "Técnico", 120);
    contatos.addColumn("ASDESCRICAO", "Situação Anterior", 120);
    contatos.addColumn("OBSERVACAO", {}, 200);

    dbgdAssAndamentoServico = new DataGrid("dbgdAssAndamentoServico");
    DataGrid& servicos = *dbgdAssAndamentoServico;
    servicos.setDataSource(dsServico.get());
    servicos.addColumn("PRCODIGO", {}, 80)->setButtonStyle(reticencias);
    servicos.addColumn("DESCRICAO", "Descrição do Serviço", 180)->setReadOnly(true);
    servicos.addColumn("AAQUANTIDADE", "Qtde.", 50);
    servicos.addColumn("AAVALORTOTAL", "Total", 70);

    dbgdAssAndamentoPecas = new DataGrid("dbgdAssAndamentoPecas");
    DataGrid& pecas = *dbgdAssAndamentoPecas;
    pecas.setDataSource(dsPecas.get());
    pecas.addColumn("PRCODIGO", {}, 80)->setButtonStyle(reticencias);
    pecas.addColumn("DESCRICAO", "Descrição das Peças", 180)->setReadOnly(true);
    pecas.addColumn("APQUANTIDADE", "Qtde.", 50);
    pecas.addColumn("APVALTOTAL", "Total", 70)->setReadOnly(true);
    pecas.addColumn("APRESERVA", "Reserva", 55)->setPickList({"Sim", "Não"});

    auto quadro = [this](const char* nome, const QString& titulo, DataGrid* grade) {
        auto* caixa = new QuadroClicavelAndamento(QString::fromLatin1(nome), titulo, [this] { quadroLinhasClick(); });
        auto* dentro = new QVBoxLayout(caixa);
        dentro->setContentsMargins(2, 2, 2, 2);
        dentro->addWidget(grade);
        return caixa;
    };
    gbServico = quadro("gbServico", "Serviço", dbgdAssAndamentoServico);
    gbPecas = quadro("gbPecas", "Peças", dbgdAssAndamentoPecas);

    stInformacao = new host::ui::StatusBar("stInformacao");
    stInformacao->addPanel(160, "Total de Registros: ");
    stInformacao->addPanel(170, "Registros Encontrados: ");
    for (const char* legenda : {"F2-Mostra Todas Colunas", "F3 - Laudo", "F4 - Imprimir", "F5 - Orçamento",
                                "F6 - Etiqueta", "F9 - Pesq. Produto"})
        stInformacao->addPanel(0, QString::fromUtf8(legenda));
    stInfoTot = new host::ui::StatusBar("stInfoTot");
    for (int i = 0; i < 3; ++i)
        stInfoTot->addPanel(200);
    stInfoTot->hide();

    // The progress records beside the services over the parts: each grid
    // gets the width its columns need, so that no title is cut at the edge.
    auto* itens = new QSplitter(Qt::Vertical);
    itens->addWidget(gbServico);
    itens->addWidget(gbPecas);
    auto* linhas = new QSplitter(Qt::Horizontal);
    linhas->addWidget(dbgdAndamento);
    linhas->addWidget(itens);
    linhas->setSizes({larguraDasColunas(contatos), std::max(larguraDasColunas(servicos), larguraDasColunas(pecas))});
    auto* divisao = new QSplitter(Qt::Vertical);
    divisao->addWidget(dbgdAndamentoOSRegistros);
    divisao->addWidget(linhas);
    divisao->setStretchFactor(0, 3);
    divisao->setStretchFactor(1, 2);
    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(2, 2, 2, 2);
    coluna->addWidget(gbSelecao);
    coluna->addWidget(divisao, 1);
    coluna->addWidget(stInfoTot);
    coluna->addWidget(stInformacao);
}

void TfmAssAndamento::criarMenu()
{
    puSituacao = new QMenu(this);
    puSituacao->setObjectName("puSituacao");
    auto item = [this](QAction*& membro, const char* nome, const QString& texto, void (TfmAssAndamento::*acao)()) {
        membro = puSituacao->addAction(texto);
        membro->setObjectName(QString::fromLatin1(nome));
        connect(membro, &QAction::triggered, this, [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    item(miSituacaoTrocarSituacao, "miSituacaoTrocarSituacao", "Trocar Situação",
         &TfmAssAndamento::miSituacaoTrocarSituacaoClick);
    item(miSituacaoNovoLaudo, "miSituacaoNovoLaudo", "Novo Laudo ", &TfmAssAndamento::miSituacaoNovoLaudoClick);
    item(miSituacaoContabiliza, "miSituacaoContabiliza", "Contabilizar Tempo",
         &TfmAssAndamento::miSituacaoContabilizaClick);
    item(miVisualizaLaudo, "miVisualizaLaudo", "Visualizar Laudo", &TfmAssAndamento::miVisualizaLaudoClick);
    item(miImprimirLaudo, "miImprimirLaudo", "Imprimir Laudo", &TfmAssAndamento::miImprimirLaudoClick);
    host::ui::setPopupMenu(dbgdAndamentoOSRegistros, puSituacao);
    host::ui::setPopupMenu(dbgdAndamento, puSituacao);
}

void TfmAssAndamento::ligarEventos()
{
    auto clique = [this](QAbstractButton* botao, void (TfmAssAndamento::*acao)()) {
        connect(botao, &QAbstractButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(bbPesq, &TfmAssAndamento::bbPesqClick);
    clique(bbAbrirOS, &TfmAssAndamento::bbAbrirOSClick);
    clique(bbLaudo, &TfmAssAndamento::bbLaudoClick);
    clique(bbImprimir, &TfmAssAndamento::bbImprimirClick);
    clique(bbOrcamento, &TfmAssAndamento::bbOrcamentoClick);
    clique(bbEtiqueta, &TfmAssAndamento::bbEtiquetaClick);
    clique(bbLimpar, &TfmAssAndamento::bbLimparClick);
    clique(bbSair, &TfmAssAndamento::bbSairClick);
    clique(sbPesqOS, &TfmAssAndamento::sbPesqOSClick);
    laSituacao->onClick = [this] { laSituacaoClick(); };
    laSituacaoItem->onClick = [this] { laSituacaoItemClick(); };
    dblcSituacao->onChange = [this] { dblcSituacaoClick(); };
    dblcSituacaoItem->onChange = [this] { dblcSituacaoClick(); };
    host::ui::watchFocus(edOS, {}, [this] { edOSExit(); });
    host::ui::watchFocus(edFilial, {}, [this] { edOSExit(); });
    dbgdAndamentoOSRegistros->onDblClick = [this] { dbgdAndamentoOSRegistrosDblClick(); };
    dbgdAndamentoOSRegistros->onEditButtonClick = [this] { dbgdAndamentoOSRegistrosEditButtonClick(); };
    dbgdAndamento->onDblClick = [this] { miSituacaoTrocarSituacaoClick(); };
    dbgdAssAndamentoServico->onEditButtonClick = [this] { PesquisarProduto(); };
    dbgdAssAndamentoPecas->onEditButtonClick = [this] { PesquisarProduto(); };
    dbgdAndamentoOSRegistros->onDrawColumnCell = [this](host::ui::CellStyle& s, int, host::ui::GridColumn&, bool) {
        dbgdAndamentoOSRegistrosDrawColumnCell(s);
    };
    dbgdAssAndamentoServico->onDrawColumnCell = [this](host::ui::CellStyle& s, int, host::ui::GridColumn&, bool) {
        dbgdAssAndamentoServicoDrawColumnCell(s);
    };
    dbgdAssAndamentoPecas->onDrawColumnCell = [this](host::ui::CellStyle& s, int, host::ui::GridColumn&, bool) {
        dbgdAssAndamentoPecasDrawColumnCell(s);
    };
    dbgdAndamentoOSRegistros->onTitleClick = [this](host::ui::GridColumn& c) {
        host::ui::sortByColumn(*dbgdAndamentoOSRegistros, c);
    };
    for (host::ui::DataGrid* grade : {dbgdAssAndamentoServico, dbgdAssAndamentoPecas})
        grade->onTitleClick = [grade](host::ui::GridColumn& c) {
            host::ui::sortByColumn(*grade, c);
            SalvarConfiguracaoDBGrid(grade, false);
        };
}

// ---- filters ------------------------------------------------------------------

void TfmAssAndamento::ExpandirFiltros(bool Show)
{
    gbSelecao->setFixedHeight(Show ? kAlturaSelecaoExpandida : kAlturaSelecaoRecolhida);
    laSituacaoItem->setVisible(Show);
    dblcSituacaoItem->setVisible(Show);
    if (Show && !quSitItem->active())
        quSitItem->open();
}

bool TfmAssAndamento::filtrosExpandidos() const
{
    return !dblcSituacaoItem->isHidden();
}

bool TfmAssAndamento::modoExcetoMorta() const
{
    return laSituacao->text() == "Exceto Morta";
}

int TfmAssAndamento::situacaoEscolhida() const
{
    const QVariant chave = dblcSituacao->keyValue();
    return chave.isNull() ? 0 : chave.toInt();
}

int TfmAssAndamento::situacaoItemEscolhida() const
{
    const QVariant chave = dblcSituacaoItem->keyValue();
    return chave.isNull() ? 0 : chave.toInt();
}

void TfmAssAndamento::laSituacaoClick()
{
    if (modoExcetoMorta()) {
        laSituacao->setText("Situação");
        return;
    }
    laSituacao->setText("Exceto Morta");
    ExpandirFiltros(true);
}

void TfmAssAndamento::laSituacaoItemClick()
{
    ExpandirFiltros(false);
}

// ---- life cycle ---------------------------------------------------------------

void TfmAssAndamento::legendasVeiculo()
{
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    host::ui::DataGrid& lista = *dbgdAndamentoOSRegistros;
    lista.column(4)->setTitle(veiculo ? "Veículo" : "Equipamento");
    lista.column(5)->setVisible(!veiculo);
    lista.column(6)->setTitle(veiculo ? "Chassi" : "Nº de Série");
    lista.column(11)->setVisible(!veiculo);
}

void TfmAssAndamento::FormCreate()
{
    ExpandirFiltros(false);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    legendasVeiculo();
    if (dmGlobal->Parametro("ATTROCASITUACAOITEM") == "I")
        dbgdAndamentoOSRegistros->setRowSelect(true);
}

void TfmAssAndamento::FormShow()
{
    for (host::ui::DataGrid* grade : {dbgdAndamentoOSRegistros, dbgdAssAndamentoServico, dbgdAssAndamentoPecas})
        SalvarConfiguracaoDBGrid(grade, true);
}

void TfmAssAndamento::FormActivate()
{
    TdmTec& tec = *dmTec;
    if (filtrosExpandidos() && !quSitItem->active())
        quSitItem->open();
    tec.CarregaSituacao(0, "A");
    dblcSituacao->refreshList();
    // The line grids open without their look-up datasets here; the
    // service-order window turns these fields back when it loads the lines.
    auto calculado = [](host::data::Field* campo) {
        if (campo && campo->kind() == host::data::FieldKind::Lookup)
            campo->setKind(host::data::FieldKind::Calculated);
    };
    fecharLinhasAndamento(*tec.quOSPecas);
    calculado(tec.quOSPecasDescEquipOS);
    tec.quOSPecas->open();
    fecharLinhasAndamento(*tec.quOSAndamento);
    calculado(tec.quOSAndamentoDescEquipOS);
    calculado(tec.quOSAndamentoDescricaoHora);
    tec.quOSAndamento->open();
    tec.quOSContato->open();
    // The progress records name their technicians from this list, which
    // other windows close when they are left.
    if (!tec.quTecnicos->active())
        tec.quTecnicos->open();
    if (situacaoEscolhida() == 0) {
        const QString inicial = CarregaDado("ascodigo", "aatc01as",
                                            "where ((ASID = 'A') or (ASID is null)) and astipo=" + QuotedStr("I"));
        if (!inicial.trimmed().isEmpty()) {
            dblcSituacao->setKeyValue(inicial.trimmed().toInt());
            bbPesq->click();
        }
    }
}

void TfmAssAndamento::FormDeactivate()
{
    TdmTec& tec = *dmTec;
    for (host::data::Dataset* d : {static_cast<host::data::Dataset*>(tec.quOSContato),
                                   static_cast<host::data::Dataset*>(tec.quOSPecas),
                                   static_cast<host::data::Dataset*>(tec.quOSAndamento)})
        fecharLinhasAndamento(*d);
}

void TfmAssAndamento::FormClose(host::ui::CloseAction& action)
{
    SalvarConfiguracaoDBGrid(dbgdAndamentoOSRegistros, false);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, true, {});
    if (dmTec)
        dmTec->quOSItem->close();
    action = host::ui::CloseAction::Free;
    if (fmAssAndamento.get() == this)
        fmAssAndamento.clear();
}

void TfmAssAndamento::bbSairClick()
{
    close();
}
