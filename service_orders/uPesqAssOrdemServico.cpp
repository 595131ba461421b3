// The service-order search window: its controls, creation, showing,
// closing and keys, and the order picker that shows it.

#include "service_orders/uPesqAssOrdemServico.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uautorizacao.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Caption.h"
#include "host/ui/Colors.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PushButton.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico("fmPesquisaAssOrdemServico");

namespace {

const QString kMascaraPlaca = "!aaa-9999;1;_";
const QString kMascaraDataPesquisaOS = "!99/99/99;1;_";

QLineEdit* campoPesquisaOS(const char* nome, int tamanho)
{
    auto* campo = named<QLineEdit>(nome);
    campo->setMaxLength(tamanho);
    return campo;
}

}  // namespace

TfmPesquisaAssOrdemServico::TfmPesquisaAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Ordem de Serviço");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarConsultas();
    criarControles();
    criarGrades();
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    onCreate = [this] { FormCreate(); };
}

TfmPesquisaAssOrdemServico::~TfmPesquisaAssOrdemServico()
{
    // The grids go before the data sources and queries they show.
    delete dbgdOrdemServico;
    delete dbgdUltimaOS_;
    delete dblcSituacao;
}

void TfmPesquisaAssOrdemServico::criarConsultas()
{
    const char* nomes[8] = {"quConsulta", "quConsUltimaOS", "quPecas", "quServico",
                            "quViagem",   "quExtra",        "quContratoVeic", "quCaixa"};
    host::data::Query** alvos[8] = {&quConsulta, &quConsUltimaOS, &quPecas, &quServico,
                                    &quViagem,   &quExtra,        &quContratoVeic, &quCaixa};
    for (int i = 0; i < 8; ++i) {
        consultas_[i] = CriarIbQuery(nomes[i]);
        *alvos[i] = consultas_[i].get();
        // Every query of the window logs its statement around its opening.
        LigaLogAbertura(*consultas_[i], "[" + consultas_[i]->name() + " Open]", true);
    }
    quPecas->setSql("select ap.APQUANTIDADE, ap.APVALUNITARIO, ap.APAUTORIZADO, ap.AOCODIGO, ap.PRCODIGO,"
                    " ap.PRCODIGO as CODIGO, ap.AOITCODIGO, ap.APVALTOTAL, pr.DESCRICAO\n"
                    "from AATC01AP ap\n"
                    "left outer join acec1101 pr on (pr.codigo = ap.prcodigo)\n"
                    "where ap.aocodigo = :aocodigo and ap.aoitcodigo = :aoitcodigo");
    quServico->setSql("select aa.AAAUTORIZADO, aa.AAVALORTOTAL, aa.PRCODIGO, aa.PRCODIGO as CODIGO,"
                      " aa.AAQUANTIDADE, aa.AOCODIGO, aa.AOITCODIGO, pr.DESCRICAO\n"
                      "from AATC01AA aa\n"
                      "left outer join acec1101 pr on (pr.codigo = aa.prcodigo)\n"
                      "where aa.aocodigo = :aocodigo and aa.aoitcodigo = :aoitcodigo");
    quViagem->setSql("select AVDATA, AVPEDVALORTOTAL, AVKMVALORTOTAL, AVVALORTOTAL from AATC01AV"
                     " where aocodigo = :aocodigo");
    quExtra->setSql("select AXDATA, AXVALOR from AATC01AX where aocodigo = :aocodigo");
    quContratoVeic->setSql("Select * from AATC05acev where evCodigo = :evCodigo");
    using host::data::FieldType;
    for (const char* campo : {"ACEVCODIGO", "ACCODIGO", "EVCODIGO"})
        quContratoVeic->addField(campo, FieldType::Int32);
    quContratoVeic->addField("ACEVDATAINICIO", FieldType::DateTime);
    quContratoVeic->addField("ACEVDATAFIM", FieldType::DateTime);
    quContratoVeic->addField("ACEVVALOR", FieldType::Float);
    quContratoVeic->addCalculatedField("acevValorTotalCR", FieldType::Float);
    quContratoVeic->onCalcFields = [this](host::data::Dataset& d) { quContratoVeicCalcFields(d); };
    quConsulta->onFieldsCreated = [](host::data::Dataset& d) {
        auto legenda = [&d](const char* campo, QHash<QString, QString> textos) {
            if (host::data::Field* f = d.findField(campo))
                f->onGetText = [textos](host::data::Field& s, QString& texto, bool) {
                    texto = textos.value(s.asString());
                };
        };
        if (host::data::Field* f = d.findField("AOBAIXA"))
            f->onGetText = [](host::data::Field& s, QString& texto, bool) { texto = TextoStatusServicoOS(s.asString()); };
        legenda("AOITAPROVADO", {{"S", "Sim"}, {"R", "Rejeitado"}, {"N", "Não"}});
        legenda("AOREMANUFATURA", {{"A", "Assistência"}, {"R", "Remanufatura"}, {"C", "Compra"}});
        if (host::data::Field* f = d.findField("AOCODIGOOS"))
            f->setDisplayFormat("000000000");
        for (const char* dinheiro : {"AOVALORTOTAL", "AOVALORSERVICO", "AOVALORPECAS"})
            if (host::data::Field* f = d.findField(dinheiro))
                f->setDisplayFormat("###,###,##0.00");
    };
    for (host::data::Query* detalhe : {quPecas, quServico})
        detalhe->onFieldsCreated = [](host::data::Dataset& d) {
            for (const char* campo : {"APAUTORIZADO", "AAAUTORIZADO"})
                if (host::data::Field* f = d.findField(campo))
                    f->onGetText = [](host::data::Field& s, QString& texto, bool) {
                        const QString c = s.asString();
                        texto = c == "S" ? "Sim" : c == "N" ? "Não" : c == "E" ? "Espera" : QString();
                    };
            if (host::data::Field* f = d.findField("AAQUANTIDADE"))
                f->setDisplayFormat("#.");
            TdmGlobal::SetaFormatoValor(d);
        };
}

// The field lists are long: the combos keep a field's width, the list drops wider.
constexpr int kLarguraListas = 12;

void TfmPesquisaAssOrdemServico::criarControles()
{
    gbSelecao = named<QGroupBox>("gbSelecao", QString("Campo"), this);
    auto* campos = new QGridLayout(gbSelecao);
    auto rotulo = [](const char* nome, const QString& texto) { return named<host::ui::Caption>(nome, texto); };
    edNOS = campoPesquisaOS("edNOS", 9);
    edNumero = campoPesquisaOS("edNumero", 28);
    edCliente = campoPesquisaOS("edCliente", 28);
    sbPesqCliente = named<QToolButton>("sbPesqCliente");
    sbPesqCliente->setText("...");
    edTipo = campoPesquisaOS("edTipo", 28);
    edTecnico = campoPesquisaOS("edTecnico", 28);
    edModelo = campoPesquisaOS("edModelo", 28);
    mdPlaca = new host::ui::DataEdit("mdPlaca");
    mdPlaca->setEditMask(kMascaraPlaca);
    edCodInt = campoPesquisaOS("edCodInt", 28);
    cbStatus = new host::ui::CharacterWidthComboBox("cbStatus", kLarguraListas);
    cbStatus->addItems({"", "S - Serviço Executado", "A - Serviço em Andamento", "P - Serviço Suspenso",
                        "T - Serviço em Terceiro"});
    deDataIni = new host::ui::DataEdit("deDataIni");
    deDataFim = new host::ui::DataEdit("deDataFim");
    for (host::ui::DataEdit* data : {deDataIni, deDataFim}) {
        data->setEditMask(kMascaraDataPesquisaOS);
        data->setMinimumWidth(data->fontMetrics().horizontalAdvance("00/00/00") + 16);
    }
    dsSituacao_ = std::make_unique<host::data::DataSource>(nullptr, "dsSituacao", dmTec->quOSSituacao);
    dblcSituacao = new host::ui::DataLookupCombo("dblcSituacao");
    dblcSituacao->setListSource(dsSituacao_.get());
    dblcSituacao->setKeyField("ASCODIGO");
    dblcSituacao->setListField("ASDESCRICAO");
    dblcSituacao->installEventFilter(this);
    ckAprovado = named<QCheckBox>("ckAprovado", QString("Aprovado"));
    ckUltimaOS = named<QCheckBox>("ckUltimaOS", QString("Apenas Última OS"));
    cbCampos = new host::ui::CharacterWidthComboBox("cbCampos", kLarguraListas);
    edAlternativo = campoPesquisaOS("edAlternativo", 50);
    edAlternativo->installEventFilter(this);
    cbCamposIt = new host::ui::CharacterWidthComboBox("cbCamposIt", kLarguraListas);
    cbCamposIt->hide();
    edFilial = campoPesquisaOS("edFilial", 2);
    edSitExceto = campoPesquisaOS("edSitExceto", 5);
    edMarca = campoPesquisaOS("edMarca", 28);
    ckNaoSalvarTela = named<QCheckBox>("ckNaoSalvarTela", QString("Não Salvar Tela"));
    ckNaoSalvarTela->setChecked(true);
    ckNaoSalvarTela->hide();
    laNumero = rotulo("laNumero", "Nº de Série");
    laTipo = rotulo("laTipo", "Equipamento");
    laPlaca = rotulo("laPlaca", "Placa");
    laCodInt = rotulo("laCodInt", "Interno");
    laFilial = rotulo("laFilial", "Filial");
    laSitExceto = rotulo("laSitExceto", "Exceto Situação");
    laMarca = rotulo("laMarca", "Marca");
    for (QWidget* oculto : std::initializer_list<QWidget*>{laFilial, edFilial, laSitExceto, edSitExceto, laMarca, edMarca})
        oculto->hide();
    laTecnico = new host::ui::DataLabel("laTecnico");
    laTecnico->setText("Técnico");
    laTecnico->setCursor(Qt::PointingHandCursor);
    laTecnico->onClick = [this] { laTecnicoClick(); };
    laModelo = new host::ui::DataLabel("laModelo");
    laModelo->setText("Modelo");
    laModelo->setCursor(Qt::PointingHandCursor);
    laModelo->onClick = [this] { laModeloClick(); };

    auto* cliente = new QHBoxLayout;
    cliente->addWidget(edCliente, 1);
    cliente->addWidget(sbPesqCliente);
    auto* datas = new QHBoxLayout;
    datas->addWidget(deDataIni);
    datas->addWidget(new host::ui::Caption("até"));
    datas->addWidget(deDataFim);
    auto* alternativo = new QHBoxLayout;
    alternativo->addWidget(cbCampos, 1);
    alternativo->addWidget(edAlternativo, 1);
    int linha = 0;
    auto par = [&](int coluna, QWidget* titulo, QWidget* campo) {
        campos->addWidget(titulo, linha, coluna);
        campos->addWidget(campo, linha, coluna + 1);
    };
    auto parLayout = [&](int coluna, QWidget* titulo, QLayout* campo) {
        campos->addWidget(titulo, linha, coluna);
        campos->addLayout(campo, linha, coluna + 1);
    };
    auto* numero = new QHBoxLayout;
    numero->addWidget(edNOS, 1);
    numero->addWidget(cbCamposIt, 1);
    parLayout(0, rotulo("laNOS", "N° OS"), numero);
    par(2, laNumero, edNumero);
    par(4, laPlaca, mdPlaca);
    ++linha;
    parLayout(0, rotulo("laCliente", "Cliente"), cliente);
    par(2, laTipo, edTipo);
    par(4, laCodInt, edCodInt);
    ++linha;
    par(0, laTecnico, edTecnico);
    par(2, laModelo, edModelo);
    par(4, rotulo("laStatus", "Status do Seviço"), cbStatus);
    ++linha;
    parLayout(0, rotulo("laData", "Data da Entrada  de"), datas);
    par(2, rotulo("laSituacao", "Situação"), dblcSituacao);
    campos->addWidget(ckAprovado, linha, 4);
    campos->addWidget(ckUltimaOS, linha, 5);
    ++linha;
    campos->addLayout(alternativo, linha, 0, 1, 4);
    ++linha;
    par(0, laFilial, edFilial);
    par(2, laSitExceto, edSitExceto);
    par(4, laMarca, edMarca);
    campos->addWidget(ckNaoSalvarTela, linha, 6);
    for (int coluna : {1, 3, 5})
        campos->setColumnStretch(coluna, 1);

    rgOrdem = new host::ui::DataRadioGroup("rgOrdem", "Ordenar por ");
    rgOrdem->setItems({"Nº OS", "Cliente", "Equipamento", "Técnico", "Modelo", "Data de Entrada", "Data de Saída"});
    rgOrdem->setItemIndex(0);
    rgOnde = new host::ui::DataRadioGroup("rgOnde", "Onde");
    rgOnde->setItems({"Começando com", "Contendo", "Terminando com"});
    rgOnde->setItemIndex(1);
    bbPesquisa = named<host::ui::PushButton>("bbPesquisa", QString("OK"));
    bbPesquisa->setDefault(true);
    bbVisualizar = named<host::ui::PushButton>("bbVisualizar", QString("&Visualizar Impressão"));
    bbImprimir = named<host::ui::PushButton>("bbImprimir", QString("&Imprimir"));
    bbFicha = named<host::ui::PushButton>("bbFicha", QString("&Ficha Vida"));
    auto* botoes = new QVBoxLayout;
    for (QPushButton* b : {bbPesquisa, bbVisualizar, bbImprimir, bbFicha})
        botoes->addWidget(b);
    botoes->addStretch(1);

    auto* filtros = new QHBoxLayout;
    filtros->addWidget(gbSelecao, 1);
    filtros->addWidget(rgOrdem);
    filtros->addWidget(rgOnde);
    filtros->addLayout(botoes);

    auto ligar = [this](QAbstractButton* b, std::function<void()> acao) {
        connect(b, &QAbstractButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    ligar(bbPesquisa, [this] { bbPesquisaClick(); });
    ligar(bbVisualizar, [this] { GerarRelatorio("Listagem", false); });
    ligar(bbImprimir, [this] { GerarRelatorio("Listagem", true); });
    ligar(bbFicha, [this] { GerarRelatorio("Ficha", false); });
    ligar(ckUltimaOS, [this] { ckUltimaOSClick(); });
    ligar(sbPesqCliente, [this] {
        QString nome, codigo, fantasia;
        if (SelecionaCliente(nome, codigo, fantasia))
            edCliente->setText(nome);
    });

    puPesquisa = new QMenu(this);
    puPesquisa->setObjectName("puPesquisa");
    auto item = [this](QAction*& acao, const char* nome, const QString& texto, std::function<void()> f) {
        acao = puPesquisa->addAction(texto);
        acao->setObjectName(nome);
        connect(acao, &QAction::triggered, this, [f] { host::ui::runGuarded(f); });
    };
    item(MiCamposAlter, "MiCamposAlter", "&Pesquisa Por Itens", [this] { MiCamposAlterClick(); });
    item(miMostrarPecas, "miMostrarPecas", "Mostrar Peças", [this] {
        OSMostraPecasServico(quConsulta->active() ? quConsulta->fieldByName("AOCODIGO")->asInteger() : 0, "P");
    });
    item(miMostrarServicos, "miMostrarServicos", "Mostrar Serviços", [this] {
        OSMostraPecasServico(quConsulta->active() ? quConsulta->fieldByName("AOCODIGO")->asInteger() : 0, "S");
    });
    item(miExportar, "miExportar", "Exportar para Excel", [this] { ExportarExcelClick(); });
    // "Sair" only closes the menu.
    item(miSair, "miSair", "Sair", [] {});

    stInformacao = new host::ui::StatusBar("stInformacao");
    stInformacao->addPanel(250);
    stInformacao->addPanel(0);

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(filtros);
    dsConsulta_ = std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta);
    dbgdOrdemServico = new host::ui::DataGrid("dbgdOrdemServico");
    janela->addWidget(dbgdOrdemServico, 1);
    janela->addWidget(stInformacao);
    resize(1240, 620);
}

void TfmPesquisaAssOrdemServico::criarGrades()
{
    dbgdOrdemServico->setDataSource(dsConsulta_.get());
    const std::pair<const char*, const char*> colunas[] = {
        {"AOCODIGOOS", "Nº OS"},      {"AODATAENTRADA", "Data Entrada"},  {"AODATASAIDA", "Data Saída"},
        {"CLIENTE", "Cliente"},        {"AOBAIXA", "Status do Serviço"},   {"SITUACAO", "Situação"},
        {"AOITEQUIPDESCRICAO", "Equipamento"}, {"AOITSERIE", "Nº de Série"}, {"AOITDEFEITO", "Defeito"},
        {"TECNICO", "Técnico"},        {"AOITMARCA", "Marca"},             {"AOITMODELO", "Modelo"},
        {"AOITPLACA", "Placa"},        {"AOITCOR", "Cor"},                 {"AOITCODIGOINTERNO", "Código Interno"},
        {"AOITAPROVADO", "Aprovado"},  {"AOVALORPECAS", "Valor Peças"}};
    // Wider columns for the texts that are long.
    const QHash<QString, int> larguras = {{"CLIENTE", 200}, {"AOBAIXA", 150}, {"SITUACAO", 140},
                                          {"AOITEQUIPDESCRICAO", 180}, {"AOITDEFEITO", 180}, {"TECNICO", 120},
                                          {"AOITCODIGOINTERNO", 110}};
    dbgdOrdemServico->changeColumnsTogether([&] {
        for (const auto& [campo, titulo] : colunas)
            dbgdOrdemServico->addColumn(campo, titulo, larguras.value(campo, 100));
    });
    configurarGrade(dbgdOrdemServico);
    dbgdOrdemServico->onDrawColumnCell = [this](host::ui::CellStyle& estilo, int, host::ui::GridColumn&, bool) {
        const host::data::Field* cor = quConsulta->findField("ASCOR");
        if (dmGlobal->Parametro("ATCORSITUACAOGRADE") == "S") {
            if (cor && !cor->asString().trimmed().isEmpty()) {
                estilo.background = host::ui::toQColor(host::ui::stringToColor(cor->asString()));
                estilo.foreground = Qt::black;
            }
        } else if (const host::data::Field* acessorios = quConsulta->findField("TOTALACESSORIO");
                   acessorios && acessorios->asInteger() > 0) {
            estilo.background = QColor(238, 238, 238);
            estilo.foreground = Qt::black;
        }
    };
}

// What both grids share: read only, whole rows, the search menu, a double
// click picks the row, a title click sorts, typed letters find the row.
void TfmPesquisaAssOrdemServico::configurarGrade(host::ui::DataGrid* grade)
{
    grade->setReadOnlyGrid(true);
    grade->setRowSelect(true);
    host::ui::setPopupMenu(grade, puPesquisa);
    grade->onDblClick = [this] { setModalResult(host::ui::ModalResult::Ok); };
    grade->onTitleClick = [this, grade](host::ui::GridColumn& coluna) { dbgdOrdemServicoTitleClick(*grade, coluna); };
    // The host's search keys: letters typed find the row.
    auto digitado = std::make_shared<QString>();
    grade->onColEnter = [digitado] { digitado->clear(); };
    grade->onKeyDown = [grade, digitado](int& key, Qt::KeyboardModifiers shift) {
        if (shift & (Qt::ControlModifier | Qt::AltModifier))
            return;
        const bool imprimivel = key < 0x01000000 && QChar(key).isPrint();
        if ((imprimivel || key == Qt::Key_Backspace) &&
            host::ui::searchGridKey(*grade, *digitado, key, imprimivel ? QString(QChar(key)) : QString()))
            key = 0;
    };
}

host::ui::DataGrid* TfmPesquisaAssOrdemServico::dbgdUltimaOS()
{
    if (dbgdUltimaOS_)
        return dbgdUltimaOS_;
    dsUltimaOS_ = std::make_unique<host::data::DataSource>(nullptr, "dsUltimaOS", quConsUltimaOS);
    dbgdUltimaOS_ = new host::ui::DataGrid("dbgdUltimaOS");
    dbgdUltimaOS_->setDataSource(dsUltimaOS_.get());
    const std::pair<const char*, const char*> ultimas[] = {
        {"MAX", "Nº OS"},         {"AOITEQUIPDESCRICAO", "Veículo"}, {"AOITEQUIPCODIGO", "Código"},
        {"AOITSERIE", "Chassi"},  {"AOITPLACA", "Placa"},           {"AOITMARCA", "Marca"},
        {"AOITMODELO", "Modelo"}, {"AOITCOR", "Cor"},               {"NOME", "Cliente"},
        {"CLCODIGO", "Cód. Cliente"}};
    dbgdUltimaOS_->changeColumnsTogether([&] {
        for (const auto& [campo, titulo] : ultimas)
            dbgdUltimaOS_->addColumn(campo, titulo, 100);
    });
    configurarGrade(dbgdUltimaOS_);
    // Hidden until the caller shows it, in the order grid's place.
    dbgdUltimaOS_->hide();
    auto* janela = static_cast<QVBoxLayout*>(layout());
    janela->insertWidget(janela->indexOf(dbgdOrdemServico) + 1, dbgdUltimaOS_, 1);
    return dbgdUltimaOS_;
}

bool TfmPesquisaAssOrdemServico::ultimaOSVisivel() const
{
    return dbgdUltimaOS_ && dbgdUltimaOS_->isVisible();
}

void TfmPesquisaAssOrdemServico::FormCreate()
{
    if (!UsuarioMestre()) {
        const QString restrito =
            CarregaDado("ATACESSORESTRITO", "AATC06AT", "Where upper(ATNOME)= " + QuotedStr(IbUserName().toUpper()));
        if (restrito == "S") {
            edTecnico->setEnabled(false);
            tecnicoRestrito_ = IbUserName().toUpper();
        }
    }
    dmTec->CarregaSituacao(0, "A");
    aplicarRotulosVeiculo();
    if (dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 2) {
        laPlaca->setText("Nº de Série");
        mdPlaca->setEditMask({});
        mdPlaca->clear();
    }
    // The grid's saved layout is put back when the window shows (FormShow):
    // reading it here as well would only read the same file twice.
}

// Vehicle captions when the company works with vehicles or searches orders by vehicle.
void TfmPesquisaAssOrdemServico::aplicarRotulosVeiculo()
{
    const bool veiculo = (dmGlobal->Parametro("ATMODOVEICULO") == "O" && !ckUltimaOS->isChecked()) ||
                         dmGlobal->Parametro("ATPESQUISAOSVEICULO") == "S";
    laNumero->setText(veiculo ? "Chassi" : "Nº de Série");
    laTipo->setText(veiculo ? "Veículo" : "Equipamento");
    laPlaca->setVisible(veiculo);
    mdPlaca->setVisible(veiculo);
    edModelo->setFixedWidth(veiculo ? 97 : 190);
    dbgdOrdemServico->columnByField("AOITSERIE")->setTitle(veiculo ? "Chassi" : "Nº de Série");
    dbgdOrdemServico->columnByField("AOITEQUIPDESCRICAO")->setTitle(veiculo ? "Veículo" : "Equipamento");
    dbgdOrdemServico->columnByField("AOITPLACA")->setVisible(veiculo);
    ckUltimaOS->setVisible(veiculo);
    if (veiculo) {
        dbgdOrdemServico->columnByField("AOITCODIGOINTERNO")->setVisible(false);
        edNumero->setFixedWidth(249);
        laCodInt->hide();
        edCodInt->hide();
    }
}

void TfmPesquisaAssOrdemServico::FormShow()
{
    SalvarConfiguracaoDBGrid(dbgdOrdemServico, true);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    const int coluna = RetornaColuna("AoRemanufatura", dbgdOrdemServico);
    const bool comprovante = dmGlobal->Parametro("ATIMPRIMECOMPROVANTEOS") == "S";
    if (coluna >= 0)
        dbgdOrdemServico->column(coluna)->setVisible(comprovante);
    else if (comprovante)
        dbgdOrdemServico->addColumn("AoRemanufatura", "Remanufatura (A/R/C)");
}

void TfmPesquisaAssOrdemServico::FormClose(host::ui::CloseAction&)
{
    SalvarConfiguracaoDBGrid(dbgdOrdemServico, false);
    const bool naoSalvar =
        dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 24 || ckNaoSalvarTela->isChecked();
    SalvarConfiguracaoJanela(this, naoSalvar ? bModoZeltoControlAtivo : true, false, {});
}

void TfmPesquisaAssOrdemServico::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_F11) {
        dbgdOrdemServico->setFocus();
    } else if (key == Qt::Key_F12) {
        edNOS->setFocus();
    } else if (key == Qt::Key_F && (shift & Qt::ControlModifier)) {
        for (QWidget* w : std::initializer_list<QWidget*>{laFilial, edFilial, laSitExceto, edSitExceto})
            w->show();
        gbSelecao->setFixedHeight(250);
    }
}

bool TfmPesquisaAssOrdemServico::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dblcSituacao && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Backspace) {
            dblcSituacao->setKeyValue(-1);
            return true;
        }
    }
    if (watched == edAlternativo && event->type() == QEvent::MouseButtonDblClick) {
        QStringList itens;
        for (int i = 0; i < cbCampos->count(); ++i)
            itens << cbCampos->itemText(i);
        host::ui::runGuarded([&] {
            const QString escolhido = SelecionaFitraLista("Pesquisa de Campo", "Filtro", itens);
            if (!escolhido.isEmpty())
                cbCampos->setCurrentIndex(cbCampos->findText(escolhido));
        });
        return true;
    }
    return host::ui::Form::eventFilter(watched, event);
}

void TfmPesquisaAssOrdemServico::laModeloClick()
{
    const QString atual = laModelo->text();
    laModelo->setText(atual == "Modelo" ? "Peça" : atual == "Peça" ? "Situação Item" : "Modelo");
}

void TfmPesquisaAssOrdemServico::laTecnicoClick()
{
    laTecnico->setText(laTecnico->text() == "Técnico" ? "Cor" : "Técnico");
}

void TfmPesquisaAssOrdemServico::ckUltimaOSClick()
{
    const bool ultima = ckUltimaOS->isChecked();
    // Unticked before it was ever shown: nothing to hide.
    if (ultima || dbgdUltimaOS_)
        dbgdUltimaOS()->setVisible(ultima);
    dbgdOrdemServico->setVisible(!ultima);
    for (QWidget* w : std::initializer_list<QWidget*>{edTecnico, cbStatus, deDataIni, deDataFim})
        w->setEnabled(!ultima);
    if (!ultima && !tecnicoRestrito_.isEmpty())
        edTecnico->setEnabled(false);
}

void TfmPesquisaAssOrdemServico::MiCamposAlterClick()
{
    cbCamposIt->setVisible(!cbCamposIt->isVisible());
    edNOS->setMaxLength(100);
}

void TfmPesquisaAssOrdemServico::dbgdOrdemServicoTitleClick(host::ui::DataGrid& grid, host::ui::GridColumn& column)
{
    host::ui::sortByColumn(grid, column);
    SalvarConfiguracaoDBGrid(&grid, false);
}

bool SelecionaOrdemServico(int& iNumeroOrdem, int& iCodigoEquipamento, QString& SDescricao)
{
    const QString origem = "[SelecionaOrdemServico]";
    dmGlobal->Log(origem, "***INICIO");
    dmGlobal->Log(origem, "iNumeroOrdem Antes:" + QString::number(iNumeroOrdem));
    dmGlobal->Log(origem, "iCodigoEquipamento Antes:" + QString::number(iCodigoEquipamento));
    dmGlobal->Log(origem, "SDescricao Antes:" + SDescricao);
    TfmPesquisaAssOrdemServico* janela = fmPesquisaAssOrdemServico.create();
    host::ui::ReleaseOnExit liberar(fmPesquisaAssOrdemServico);
    const QString maximizada = dmGlobal->Parametro("ATPESQUISAOSMAXIMIZADA");
    janela->setStartMaximized(maximizada == "S" || maximizada == "O");
    CarregaCamposTabela(janela->cbCampos, *dmTec->quOS);
    CarregaCamposTabela(janela->cbCamposIt, *dmTec->quOSItem);
    const bool ok = janela->showModal() == host::ui::ModalResult::Ok;
    if (ok) {
        host::data::Query* linha = janela->ckUltimaOS->isChecked() ? janela->quConsUltimaOS : janela->quConsulta;
        if (linha->active() && !linha->isEmpty()) {
            iCodigoEquipamento = linha->fieldByName("AOITEQUIPCODIGO")->asInteger();
            iNumeroOrdem = linha->fieldByName(linha == janela->quConsulta ? "AOCODIGOOS" : "MAX")->asInteger();
            SDescricao = linha->fieldByName("AOITEQUIPDESCRICAO")->asString();
        }
        linha->close();
        dmGlobal->quAuxiliar->close();
    }
    dmGlobal->Log(origem, "iNumeroOrdem Depois:" + QString::number(iNumeroOrdem));
    dmGlobal->Log(origem, "iCodigoEquipamento Depois:" + QString::number(iCodigoEquipamento));
    dmGlobal->Log(origem, "SDescricao Depois:" + SDescricao);
    dmGlobal->Log(origem, "***FIM");
    return ok;
}
