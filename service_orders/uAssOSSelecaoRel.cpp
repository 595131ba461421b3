// The service-order report selection: its controls, queries, the layout of
// each report kind and the small handlers. The searches and the three
// buttons are in uAssOSSelecaoRelAcoes.cpp.

#include "service_orders/uAssOSSelecaoRel.h"

#include "shared_windows/uAssContComum.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssContComum::BotaoPesquisa;
using uAssContComum::EditData;
using uAssContComum::EditFiltro;

host::ui::FormVar<TfmAssOSSelecaoRel> fmAssOSSelecaoRel("fmAssOSSelecaoRel");

namespace {

const char* const kPeriodo = "Período";
const char* const kPeriodoCobranca = "Período Cob.";

// Money, order numbers and dates as the grids show them.
void formataCamposSelecao(host::data::Dataset& dataset)
{
    using host::data::FieldType;
    for (host::data::Field* campo : dataset.fields()) {
        const QString nome = campo->fieldName().toUpper();
        if (nome == "AOCODIGO")
            campo->setDisplayFormat("000000000");
        else if (campo->dataType() == FieldType::DateTime || campo->dataType() == FieldType::Date) {
            campo->setDisplayFormat("dd/mm/yy");
            campo->setEditMask("!99/99/99;1;_");
        }
        else if (campo->dataType() == FieldType::Float)
            campo->setDisplayFormat("###,###,##0.00");
    }
}

}  // namespace

TfmAssOSSelecaoRel::TfmAssOSSelecaoRel(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Relatório de Ordem de Serviço por Seleção");
    setStayOnTop(true);
    setCentered(true);
    criarQueries();
    criarSelecao();
    criarGrades();
    criarBotoes();
    FormCreate();
    // Closing releases the window and empties its variable.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TfmAssOSSelecaoRel::~TfmAssOSSelecaoRel()
{
    for (host::ui::DataGrid* grade : {dbgdRegSelOS, dbgdRegSelSituacao, dbgdRegSelCliEquip})
        grade->setDataSource(nullptr);
}

void TfmAssOSSelecaoRel::criarQueries()
{
    quPesquisa_ = std::make_unique<host::data::Query>(nullptr, "quPesquisa");
    quPesqSituacao_ = std::make_unique<host::data::Query>(nullptr, "quPesqSituacao");
    quPesqCliEquip_ = std::make_unique<host::data::Query>(nullptr, "quPesqCliEquip");
    quPesquisa = quPesquisa_.get();
    quPesqSituacao = quPesqSituacao_.get();
    quPesqCliEquip = quPesqCliEquip_.get();
    for (host::data::Query* query : {quPesquisa, quPesqSituacao, quPesqCliEquip}) {
        query->setTransaction(dmGlobal->IBTransaction1.get());
        LigaLogAbertura(*query, "[" + query->name() + " Open]");
        // The selection's columns get their formats before the trace ends.
        query->afterOpen = [fim = query->afterOpen](host::data::Dataset& dataset) {
            formataCamposSelecao(dataset);
            fim(dataset);
        };
    }
    dsPesquisa_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesquisa", quPesquisa);
    dsPesqSituacao_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesqSituacao", quPesqSituacao);
    dsPesqCliEquip_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesqCliEquip", quPesqCliEquip);
    dsPesTotOSCli_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesTotOSCli", nullptr);
    dsPesquisa = dsPesquisa_.get();
    dsPesqSituacao = dsPesqSituacao_.get();
    dsPesqCliEquip = dsPesqCliEquip_.get();
    dsPesTotOSCli = dsPesTotOSCli_.get();
}

void TfmAssOSSelecaoRel::criarSelecao()
{
    rgRelatorioOS = new host::ui::DataRadioGroup("rgRelatorioOS", "Selecione o relatório desejado");
    rgRelatorioOS->setItems(
        {"Seleção por Item de OS", "Seleção por Situação", "Clientes X Equipamentos", "Totalizador OS por Cliente"});
    rgRelatorioOS->setColumns(2);
    rgRelatorioOS->setItemIndex(0);
    rgRelatorioOS->onChange = [this] { rgRelatorioOSClick(); };

    gbSelecao = named<QGroupBox>("gbSelecao", "Seleção");
    auto* grade = new QGridLayout(gbSelecao);
    grade->setVerticalSpacing(2);
    int linha = 0;
    // A row: its label, the first edit, "até", the second, a search button.
    auto faixa = [&](QWidget* rotulo, QWidget* de, QWidget* ate, QToolButton* botao) {
        grade->addWidget(rotulo, linha, 0);
        // A single field takes the room of the range's three columns.
        grade->addWidget(de, linha, 1, 1, ate ? 1 : 3, Qt::AlignLeft);
        if (ate) {
            auto* ateRotulo = new QLabel("até");
            ateRotulo->setObjectName(rotulo->objectName() + "Ate");
            grade->addWidget(ateRotulo, linha, 2);
            grade->addWidget(ate, linha, 3, Qt::AlignLeft);
            ate_.emplace_back(ate, ateRotulo);
        }
        if (botao)
            grade->addWidget(botao, linha, 4, Qt::AlignLeft);
        ++linha;
    };
    laCliente = named<QLabel>("laCliente", "Cliente");
    edCliIni = EditFiltro("edCliIni", 5);
    edCliFim = EditFiltro("edCliFim", 5);
    edCliente = named<QLineEdit>("edCliente");
    edCliente->setMinimumWidth(260);
    sbPesqCliente = BotaoPesquisa("sbPesqCliente");
    // The name of kind 3 takes the place of the code range.
    grade->addWidget(edCliente, linha, 1, 1, 3, Qt::AlignLeft);
    faixa(laCliente, edCliIni, edCliFim, sbPesqCliente);

    laOS = named<QLabel>("laOS", "Nº O.S.");
    edOSIni = EditFiltro("edOSIni", 9);
    edOSFim = EditFiltro("edOSFim", 9);
    sbPesqOS = BotaoPesquisa("sbPesqOS");
    faixa(laOS, edOSIni, edOSFim, sbPesqOS);

    laPeriodo = new host::ui::DataLabel("laPeriodo");
    laPeriodo->setText(kPeriodo);
    laPeriodo->setToolTip("No Relatório de Totalizador, considera a Data de Cobrança da OS");
    laPeriodo->setCursor(Qt::PointingHandCursor);
    laPeriodo->onClick = [this] { laPeriodoClick(); };
    dePeriodoIni = EditData("dePeriodoIni");
    dePeriodoFim = EditData("dePeriodoFim");
    faixa(laPeriodo, dePeriodoIni, dePeriodoFim, nullptr);

    laAtendente = named<QLabel>("laAtendente", "Atendente");
    edAtendente = named<QLineEdit>("edAtendente");
    edAtendente->setMinimumWidth(200);
    cbSituacao = named<QComboBox>("cbSituacao");
    cbSituacao->addItems({"Com Nota Fiscal", "Sem Nota Fiscal", "Ambas"});
    cbSituacao->setToolTip("Apenas para Visualização Relatório.");
    auto* atendente = new QHBoxLayout;
    atendente->setContentsMargins(0, 0, 0, 0);
    atendente->addWidget(edAtendente);
    atendente->addWidget(cbSituacao);
    auto* caixaAtendente = new QWidget;
    caixaAtendente->setLayout(atendente);
    faixa(laAtendente, caixaAtendente, nullptr, nullptr);

    laTec = named<QLabel>("laTec", "Técnico");
    edTecIni = EditFiltro("edTecIni", 9);
    edTecFim = EditFiltro("edTecFim", 9);
    sbPesqTec = BotaoPesquisa("sbPesqTec");
    faixa(laTec, edTecIni, edTecFim, sbPesqTec);

    laServico = named<QLabel>("laServico", "Serviço");
    EdServico = named<QLineEdit>("EdServico");
    EdServico->setMinimumWidth(260);
    SbPesqServico = BotaoPesquisa("SbPesqServico");
    faixa(laServico, EdServico, nullptr, SbPesqServico);

    laNF = named<QLabel>("laNF", "Data N.F.");
    edNFIni = EditData("edNFIni");
    edNFFim = EditData("edNFFim");
    faixa(laNF, edNFIni, edNFFim, nullptr);

    ckResumido = named<QCheckBox>("ckResumido", "Resumido");
    ckTecnico = named<QCheckBox>("ckTecnico", "Mostrar Técnico");
    cbCamposOS = named<QComboBox>("cbCamposOS");
    cbCamposOS->setMinimumWidth(180);
    edCampoPesqOS = named<QLineEdit>("edCampoPesqOS");
    auto* opcoes = new QHBoxLayout;
    opcoes->setContentsMargins(0, 0, 0, 0);
    opcoes->addWidget(ckResumido);
    opcoes->addWidget(ckTecnico);
    opcoes->addWidget(cbCamposOS);
    opcoes->addWidget(edCampoPesqOS);
    opcoes->addStretch();
    grade->addLayout(opcoes, linha++, 0, 1, 5);
    grade->setColumnStretch(5, 1);

    connect(ckTecnico, &QCheckBox::clicked, this, [this] { host::ui::runGuarded([this] { ckTecnicoClick(); }); });
    host::ui::watchFocus(edNFFim, nullptr, [this] { edNFFimExit(); });
    auto clique = [this](QToolButton* botao, void (TfmAssOSSelecaoRel::*acao)()) {
        connect(botao, &QToolButton::clicked, this, [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(sbPesqCliente, &TfmAssOSSelecaoRel::sbPesqClienteClick);
    clique(sbPesqOS, &TfmAssOSSelecaoRel::sbPesqOSClick);
    clique(sbPesqTec, &TfmAssOSSelecaoRel::sbPesqTecClick);
    clique(SbPesqServico, &TfmAssOSSelecaoRel::SbPesqServicoClick);
}

void TfmAssOSSelecaoRel::criarGrades()
{
    dbgdRegSelOS = new host::ui::DataGrid("dbgdRegSelOS");
    dbgdRegSelOS->setDataSource(dsPesquisa);
    const std::tuple<const char*, const char*, int> colunasOS[] = {
        {"CLIENTE", "Cliente", 200},          {"AOCODIGO", "Nº O.S.", 80},
        {"AODATAENTRADA", "Data Entrada", 75}, {"AODATASAIDA", "Data Saída", 75},
        {"AOITEQUIPDESCRICAO", "Equipamento", 160}, {"AOITSERIE", "Nº Série", 110},
        {"AOITPLACA", "Placa", 70},            {"AOATENDENTE", "Atendente", 100},
        {"SERVICO", "Serviço", 160},           {"HORAS", "Tempo (Min.)", 70},
        {"TOTSERV", "Valor Serviço", 90},      {"VALORPECAS", "Valor Peças", 90},
        {"DESPVIAGEM", "Desp. Viagem", 90},    {"DESEXTRA", "Desp. Extras", 90},
        {"AOVALORTOTAL", "Valor Total", 90},
    };
    for (const auto& [campo, titulo, largura] : colunasOS)
        dbgdRegSelOS->addColumn(campo, QString::fromUtf8(titulo), largura);

    dbgdRegSelSituacao = new host::ui::DataGrid("dbgdRegSelSituacao");
    dbgdRegSelSituacao->setDataSource(dsPesqSituacao);
    const std::tuple<const char*, const char*, int> colunasSituacao[] = {
        {"AOCODIGO", "Nº O.S.", 80},         {"CLIENTE", "Cliente", 200},
        {"AOITPLACA", "Placa", 70},          {"AOITSERIE", "Nº Série", 110},
        {"AOTIPOOS", "Classificação OS", 110}, {"SITUACAO", "Situação", 110},
        {"AODATAENTRADA", "Data Entrada", 75}, {"AODATASAIDA", "Data Saída", 75},
        {"AOVALORSERVICO", "Valor Serviço", 90}, {"AOVALORPECAS", "Valor Peças", 90},
        {"AOVALORTOTAL", "Valor Total", 90},
    };
    for (const auto& [campo, titulo, largura] : colunasSituacao)
        dbgdRegSelSituacao->addColumn(campo, QString::fromUtf8(titulo), largura);

    dbgdRegSelCliEquip = new host::ui::DataGrid("dbgdRegSelCliEquip");
    dbgdRegSelCliEquip->setDataSource(dsPesqCliEquip);
    const std::tuple<const char*, const char*, int> colunasEquip[] = {
        {"CLIENTE", "Cliente", 200},          {"AOITEQUIPDESCRICAO", "Equipamento", 160},
        {"AOITMARCA", "Marca", 100},          {"AOITMODELO", "Modelo", 110},
        {"AOITSERIE", "Nº Série", 110},       {"AOITPLACA", "Placa", 70},
        {"AOITCARROCERIANUMERO", "Nº Carroceria", 100}, {"AOITMOTORNUMERO", "Nº Motor", 100},
        {"AOCODIGO", "Nº da OS", 80},
    };
    for (const auto& [campo, titulo, largura] : colunasEquip)
        dbgdRegSelCliEquip->addColumn(campo, QString::fromUtf8(titulo), largura);
    for (host::ui::DataGrid* grade : {dbgdRegSelOS, dbgdRegSelSituacao, dbgdRegSelCliEquip})
        grade->setRowSelect(true);
}

void TfmAssOSSelecaoRel::criarBotoes()
{
    bbPesquisar = named<QPushButton>("bbPesquisar", "Pes&quisar");
    bbVisualizar = named<QPushButton>("bbVisualizar", "&Visualizar");
    bbImprimir = named<QPushButton>("bbImprimir", "I&mprimir");
    bbSair = named<QPushButton>("bbSair", "S&air");
    auto clique = [this](QPushButton* botao, void (TfmAssOSSelecaoRel::*acao)()) {
        connect(botao, &QPushButton::clicked, this, [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(bbPesquisar, &TfmAssOSSelecaoRel::bbPesquisarClick);
    clique(bbVisualizar, &TfmAssOSSelecaoRel::bbVisualizarClick);
    clique(bbImprimir, &TfmAssOSSelecaoRel::bbImprimirClick);
    connect(bbSair, &QPushButton::clicked, this, [this] { close(); });

    auto* botoes = new QVBoxLayout;
    for (QPushButton* botao : {bbPesquisar, bbVisualizar, bbImprimir, bbSair})
        botoes->addWidget(botao);
    botoes->addStretch();
    auto* topo = new QHBoxLayout;
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(rgRelatorioOS);
    esquerda->addWidget(gbSelecao);
    topo->addLayout(esquerda, 1);
    topo->addLayout(botoes);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(6, 6, 6, 6);
    janela->addLayout(topo);
    for (host::ui::DataGrid* grade : {dbgdRegSelOS, dbgdRegSelSituacao, dbgdRegSelCliEquip})
        janela->addWidget(grade, 1);
    resize(900, 600);
}

void TfmAssOSSelecaoRel::FormCreate()
{
    rgRelatorioOSClick();
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    auto coluna = [](host::ui::DataGrid* grade, const char* campo) { return grade->columnByField(campo); };
    coluna(dbgdRegSelOS, "AOITEQUIPDESCRICAO")->setTitle(veiculo ? "Veículo" : "Equipamento");
    coluna(dbgdRegSelOS, "AOITSERIE")->setVisible(!veiculo);
    coluna(dbgdRegSelOS, "AOITPLACA")->setVisible(veiculo);
    coluna(dbgdRegSelSituacao, "AOITSERIE")->setVisible(!veiculo);
    coluna(dbgdRegSelSituacao, "AOITPLACA")->setVisible(veiculo);
    coluna(dbgdRegSelCliEquip, "AOITEQUIPDESCRICAO")->setTitle(veiculo ? "Veículo" : "Equipamento");
    coluna(dbgdRegSelCliEquip, "AOITSERIE")->setTitle(veiculo ? "Chassi" : "Nº Série");
    for (const char* campo : {"AOITPLACA", "AOITCARROCERIANUMERO", "AOITMOTORNUMERO"})
        coluna(dbgdRegSelCliEquip, campo)->setVisible(veiculo);
    coluna(dbgdRegSelCliEquip, "AOCODIGO")->setVisible(true);
    coluna(dbgdRegSelSituacao, "AOTIPOOS")->setVisible(dmGlobal->Parametro("ATCLASSIFICACAOOS") == "S");
    coluna(dbgdRegSelSituacao, "SITUACAO")->setVisible(dmGlobal->Parametro("ATATENDENTEAUTOMATICO") == "S");
}

// ---- kind layouts ----

QList<QWidget*> TfmAssOSSelecaoRel::camposDoTipo() const
{
    return {laCliente, edCliIni, edCliFim, edCliente,  sbPesqCliente, laOS,         edOSIni,       edOSFim,
            sbPesqOS,  laPeriodo, dePeriodoIni, dePeriodoFim, laAtendente, edAtendente, laTec,    edTecIni,
            edTecFim,  sbPesqTec, laServico,  EdServico,  SbPesqServico, cbSituacao,  ckResumido, ckTecnico,
            laNF,      edNFIni,  edNFFim,     cbCamposOS, edCampoPesqOS, dbgdRegSelOS, dbgdRegSelSituacao,
            dbgdRegSelCliEquip};
}

void TfmAssOSSelecaoRel::mostra(std::initializer_list<QWidget*> campos)
{
    for (QWidget* campo : campos)
        campo->setVisible(true);
}

void TfmAssOSSelecaoRel::rgRelatorioOSClick()
{
    for (QWidget* campo : camposDoTipo())
        campo->setVisible(false);
    laTec->setText("Técnico");
    laOS->setText("Nº O.S.");
    laAtendente->setText("Atendente");
    const QList<QWidget*> faixaCliente{laCliente, edCliIni, edCliFim, sbPesqCliente};
    const QList<QWidget*> faixaOS{laOS, edOSIni, edOSFim, sbPesqOS};
    const QList<QWidget*> periodo{laPeriodo, dePeriodoIni, dePeriodoFim};
    auto mostraTodos = [](const QList<QWidget*>& campos) {
        for (QWidget* campo : campos)
            campo->setVisible(true);
    };
    switch (rgRelatorioOS->itemIndex()) {
    case 0:
        gbSelecao->setFixedHeight(168);
        mostraTodos(faixaCliente + faixaOS + periodo);
        mostra({laAtendente, edAtendente, laTec, edTecIni, edTecFim, laServico, EdServico, SbPesqServico,
                dbgdRegSelOS});
        laTec->setText("Equip.");
        dbgdRegSelOS->setDataSource(dsPesquisa);
        break;
    case 1:
        gbSelecao->setFixedHeight(140);
        mostraTodos(faixaCliente + faixaOS + periodo);
        mostra({laAtendente, cbSituacao, ckResumido, ckTecnico, laNF, edNFIni, edNFFim, dbgdRegSelSituacao});
        cbSituacao->setCurrentText("Ambas");
        laAtendente->setText("Situação");
        ckTecnicoClick();
        break;
    case 2:
        gbSelecao->setFixedHeight(115);
        laOS->setText("Equipamento");
        mostraTodos(faixaCliente + faixaOS + periodo);
        mostra({laAtendente, edAtendente, dbgdRegSelCliEquip});
        break;
    case 3:
        gbSelecao->setFixedHeight(140);
        mostraTodos(faixaOS + periodo);
        mostra({laCliente, edCliente, sbPesqCliente, laAtendente, edAtendente, cbCamposOS, edCampoPesqOS,
                dbgdRegSelOS});
        laAtendente->setText("Tipo Eqto/Aut");
        dbgdRegSelOS->setDataSource(dsPesTotOSCli);
        break;
    default:
        break;
    }
    sincronizaAte();
    if (cbCamposOS->isVisibleTo(this) && dmTec)
        CarregaCamposTabela(cbCamposOS, *dmTec->quOS);
}

void TfmAssOSSelecaoRel::ckTecnicoClick()
{
    const bool tecnico = ckTecnico->isChecked() && rgRelatorioOS->itemIndex() == 1;
    for (QWidget* campo : {static_cast<QWidget*>(laTec), static_cast<QWidget*>(edTecIni),
                           static_cast<QWidget*>(edTecFim), static_cast<QWidget*>(sbPesqTec)})
        campo->setVisible(tecnico);
    if (rgRelatorioOS->itemIndex() == 1)
        gbSelecao->setFixedHeight(tecnico ? 166 : 140);
    sincronizaAte();
}

// "até" shows while the second field of its range does.
void TfmAssOSSelecaoRel::sincronizaAte()
{
    for (const auto& [campo, rotulo] : ate_)
        rotulo->setVisible(!campo->isHidden());
}

void TfmAssOSSelecaoRel::laPeriodoClick()
{
    laPeriodo->setText(laPeriodo->text() == kPeriodo ? kPeriodoCobranca : kPeriodo);
}

// A notice only: the invoice dates act on the "Com Nota Fiscal" selection.
void TfmAssOSSelecaoRel::edNFFimExit()
{
    if (!edNFIni->text().trimmed().isEmpty() || !edNFFim->text().trimmed().isEmpty())
        dmGlobal->MostraAviso(
            "Se deseja gerar relatório pela Data da N.F., selecione a opção \"Com Nota Fiscal\"", false);
}

uAssOSSelecaoRel::FiltroSelecaoOS TfmAssOSSelecaoRel::Filtro() const
{
    host::ui::requireTypedDates({dePeriodoIni, dePeriodoFim});
    uAssOSSelecaoRel::FiltroSelecaoOS f;
    f.clienteIni = edCliIni->text();
    f.clienteFim = edCliFim->text();
    f.cliente = edCliente->text();
    f.osIni = edOSIni->text();
    f.osFim = edOSFim->text();
    f.periodoIni = dePeriodoIni->dateText();
    f.periodoFim = dePeriodoFim->dateText();
    f.dataIni = dePeriodoIni->date();
    f.dataFim = dePeriodoFim->date();
    f.periodoCobranca = laPeriodo->text() == kPeriodoCobranca;
    f.atendente = edAtendente->text();
    f.tecIni = edTecIni->text();
    f.tecFim = edTecFim->text();
    f.servico = EdServico->text();
    const int campo = cbCamposOS->currentIndex();
    if (campo >= 0 && dmTec && campo < int(dmTec->quOS->fields().size())) {
        const host::data::Field* escolhido = dmTec->quOS->fields().at(campo);
        f.campoOS = escolhido->fieldName();
        f.tipoCampoOS = escolhido->dataType();
    }
    f.valorCampoOS = edCampoPesqOS->text();
    return f;
}
