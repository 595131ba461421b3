// The contract invoicing window: its controls, queries and life cycle. The
// searches and runs are in uAssContFatAcoes.cpp.

#include "contracts/uAssContFat.h"

#include "shared_windows/uAssContComum.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <algorithm>

#include <QCheckBox>
#include <QSizePolicy>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssContComum::BotaoPesquisa;
using uAssContComum::EditData;
using uAssContComum::EditFiltro;

host::ui::FormVar<TfmAssContFat> fmAssContFat("fmAssContFat");

namespace {

const QStringList kNaturezas = {"A - Em Carteira",  "C - Cheque pré-datado", "D - Duplicata/Fatura",
                                "E - Endosso",      "F - Adto Frete",        "I - Impostos",
                                "L - Vales",        "M- Memorando",          "N - NF/Serviços",
                                "O - Comissão",     "P - Pgto Dólar",        "R- Recibo/Frete",
                                "S - Prestação de Serviços", "U - Outros",   "V - Adto Viagem"};

}  // namespace

TfmAssContFat::TfmAssContFat(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Gerar Faturamento de Contratos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarQueries();
    criarSelecao();
    criarGrades();
    criarBotoes();
    FormCreate();
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssContFat::~TfmAssContFat()
{
    // The grids let go of their data sources before the queries go.
    dbgdAssContFat->setDataSource(nullptr);
    dbgdParc->setDataSource(nullptr);
}

void TfmAssContFat::criarQueries()
{
    using host::data::FieldType;
    quPesq_ = std::make_unique<host::data::Query>(nullptr, "quPesq");
    quPesqRec_ = std::make_unique<host::data::Query>(nullptr, "quPesqRec");
    quPesq = quPesq_.get();
    quPesqRec = quPesqRec_.get();
    for (host::data::Query* query : {quPesq, quPesqRec}) {
        query->setTransaction(dmGlobal->IBTransaction1.get());
        uAssContComum::LigaLogAbertura(*query);
    }
    quPesqRec->setSql(uAssContFat::SqlParcelasContrato("1=0"));
    const std::tuple<const char*, FieldType, int, const char*> campos[] = {
        {"AOCODIGO", FieldType::Int32, 0, "Contrato"},       {"CODIGO_CLIENTE", FieldType::String, 5, nullptr},
        {"DATA_EMISSAO", FieldType::DateTime, 0, nullptr},   {"DATA_VENCIMENTO", FieldType::DateTime, 0, nullptr},
        {"NUMERO_DOCUMENTO", FieldType::String, 6, nullptr}, {"OBSERVACAO", FieldType::String, 255, nullptr},
        {"SEQUENCIA", FieldType::Float, 0, nullptr},         {"VALOR_DOCUMENTO", FieldType::Float, 0, nullptr},
        {"NOME", FieldType::String, 60, nullptr},            {"ACNUMEROCONTRATO", FieldType::String, 50, nullptr}};
    for (const auto& [nome, tipo, tamanho, rotulo] : campos) {
        host::data::Field* campo = quPesqRec->addField(nome, tipo, tamanho);
        if (rotulo)
            campo->setDisplayLabel(rotulo);
    }
    for (const char* data : {"DATA_EMISSAO", "DATA_VENCIMENTO"})
        quPesqRec->fieldByName(data)->setDisplayFormat("dd/mm/yy");
    quPesqRec->fieldByName("VALOR_DOCUMENTO")->setDisplayFormat("###,###,##0.00");
    quPesqRec->fieldByName("VALOR_DOCUMENTO")->setEditMask("###,###,##0.00");
    dsPesq_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesq", quPesq);
    dsPesqRec_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesqRec", quPesqRec);
}

void TfmAssContFat::criarSelecao()
{
    gbSelecao = named<QGroupBox>("gbSelecao", "Seleção");
    auto* grade = new QGridLayout(gbSelecao);
    int linha = 0;
    // A row: its label, "de", the first edit, "até", the second, a search button.
    auto faixa = [&](QWidget* rotulo, QWidget* de, QWidget* ate, QToolButton* botao) {
        grade->addWidget(rotulo, linha, 0);
        if (ate)
            grade->addWidget(new QLabel("de"), linha, 1);
        grade->addWidget(de, linha, 2, Qt::AlignLeft);
        if (ate) {
            grade->addWidget(new QLabel("até"), linha, 3);
            grade->addWidget(ate, linha, 4, Qt::AlignLeft);
        }
        if (botao)
            grade->addWidget(botao, linha, 5, Qt::AlignLeft);
        ++linha;
    };
    edPrevisaoIni = EditData("edPrevisaoIni");
    edPrevisaoFim = EditData("edPrevisaoFim");
    faixa(new QLabel("Previsão"), edPrevisaoIni, edPrevisaoFim, nullptr);
    edVctoIni = EditData("edVctoIni");
    edVctoFim = EditData("edVctoFim");
    faixa(new QLabel("Vencimento"), edVctoIni, edVctoFim, nullptr);

    laContrato = new host::ui::DataLabel("laContrato");
    laContrato->setText("Contratos Aleatórios");
    laContrato->setCursor(Qt::PointingHandCursor);
    laContrato->onClick = [this] { laContratoClick(); };
    edContratoAleatorio = named<QLineEdit>("edContratoAleatorio");
    edContratoAleatorio->setToolTip("Informar número dos contratos entre aspas simples e separados por vírgulas "
                                    "Exemplo: '00001','00002'");
    edContIni = EditFiltro("edContIni", 10);
    edContFim = EditFiltro("edContFim", 10);
    edContIni->hide();
    edContFim->hide();
    auto* contratos = new QHBoxLayout;
    contratos->addWidget(edContratoAleatorio, 1);
    contratos->addWidget(edContIni);
    contratos->addWidget(edContFim);
    sbPesqContrato = BotaoPesquisa("sbPesqContrato");
    grade->addWidget(laContrato, linha, 0);
    grade->addLayout(contratos, linha, 1, 1, 4);
    grade->addWidget(sbPesqContrato, linha++, 5);

    edContratanteIni = EditFiltro("edContratanteIni", 5);
    edContratanteFim = EditFiltro("edContratanteFim", 5);
    sbPesqContratante = BotaoPesquisa("sbPesqContratante");
    faixa(new QLabel("Contratante"), edContratanteIni, edContratanteFim, sbPesqContratante);
    edContaIni = EditFiltro("edContaIni", 6);
    edContaFim = EditFiltro("edContaFim", 6);
    sbPesqConta = BotaoPesquisa("sbPesqConta");
    faixa(new QLabel("Conta"), edContaIni, edContaFim, sbPesqConta);
    edUnNegocioIni = EditFiltro("edUnNegocioIni", 2);
    faixa(new QLabel("Filial (U.N.)"), edUnNegocioIni, nullptr, nullptr);
    edCRDocIni = EditFiltro("edCRDocIni", 6);
    edCRDocFim = EditFiltro("edCRDocFim", 6);
    sbPesqCR = BotaoPesquisa("sbPesqCR");
    faixa(new QLabel("Conta a Receber"), edCRDocIni, edCRDocFim, sbPesqCR);
    mdDataFaturamento = EditData("mdDataFaturamento");
    faixa(new QLabel("Data Faturamento (Emissão)"), mdDataFaturamento, nullptr, nullptr);
    cbNatureza = named<QComboBox>("cbNatureza");
    cbNatureza->addItems(kNaturezas);
    cbNatureza->setCurrentIndex(-1);
    faixa(new QLabel("Natureza"), cbNatureza, nullptr, nullptr);
    cbOrdem = named<QComboBox>("cbOrdem");
    cbOrdem->addItems(uAssContFat::OrdensPesquisa());
    cbOrdem->setCurrentIndex(-1);
    faixa(new QLabel("Ordenação"), cbOrdem, nullptr, nullptr);
    edCodObjIni = EditFiltro("edCodObjIni", 6);
    edCodObjFim = EditFiltro("edCodObjFim", 6);
    cbPesqObj = BotaoPesquisa("cbPesqObj");
    faixa(new QLabel("Código do Objeto"), edCodObjIni, edCodObjFim, cbPesqObj);
    cbCampos = named<QComboBox>("cbCampos");
    edAlternativo = EditFiltro("edAlternativo", 6);
    grade->addWidget(cbCampos, linha, 0, 1, 3);
    grade->addWidget(edAlternativo, linha++, 3, 1, 2, Qt::AlignLeft);

    ckMesRefOriginal = named<QCheckBox>("ckMesRefOriginal", "Mês de Referência Pelo Vencimento Original");
    ckSemPrevisao = named<QCheckBox>("ckSemPrevisao", "Sem Previsão");
    ckVolume = named<QCheckBox>("ckVolume", "Volume");
    grade->addWidget(ckMesRefOriginal, linha++, 0, 1, 5);
    grade->addWidget(ckSemPrevisao, linha, 0, 1, 2);
    grade->addWidget(ckVolume, linha++, 2, 1, 2);

    rgTipo = new host::ui::DataRadioGroup("rgTipo", "Gerar");
    rgTipo->setItems({"Previsão", "Por Tabela", "Parcela e Nota", "Apenas Oficializar"});
    rgTipo->setColumns(4);
    rgTipo->setItemIndex(0);

    for (QLineEdit* e : {edContratanteIni, edContratanteFim})
        host::ui::watchFocus(e, nullptr, [this, e] { edContratanteExit(e); });
    auto clique = [this](QToolButton* botao, void (TfmAssContFat::*acao)()) {
        connect(botao, &QToolButton::clicked, this, [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(sbPesqContrato, &TfmAssContFat::sbPesqContratoClick);
    clique(sbPesqContratante, &TfmAssContFat::sbPesqContratanteClick);
    clique(sbPesqConta, &TfmAssContFat::sbPesqContaClick);
    clique(sbPesqCR, &TfmAssContFat::sbPesqCRClick);
    clique(cbPesqObj, &TfmAssContFat::cbPesqObjClick);
}

void TfmAssContFat::criarGrades()
{
    pcFatura = new host::ui::PageControl("pcFatura");
    tsPesq = pcFatura->addPage("tsPesq", "Registro Encontrados (Somente Contratos Ativos)");
    tsAviso = pcFatura->addPage("tsAviso", "Aviso");
    tsOutrasOpcoes = pcFatura->addPage("tsOutrasOpcoes", "Outras Opções");

    dbgdAssContFat = new host::ui::DataGrid("dbgdAssContFat");
    dbgdAssContFat->setDataSource(dsPesq_.get());
    dbgdAssContFat->addColumn("ACNUMEROCONTRATO", "Contrato", 90);
    dbgdAssContFat->addColumn("NOME", "Cliente", 220);
    dbgdAssContFat->addColumn("ACVALORPARCELA", "Valor ", 90);
    // "Data Base" is the contract's base date, as its register names it.
    dbgdAssContFat->addColumn("ACDATABASE", "Data Base", 80);
    dbgdAssContFat->addColumn("ACVENCIMENTO", "Vencimento", 80);
    dbgdAssContFat->addColumn("ACDIAFECHAMENTO", "Fechamento", 80);
    dbgdParc = new host::ui::DataGrid("dbgdParc");
    dbgdParc->setDataSource(dsPesqRec_.get());
    const std::tuple<const char*, const char*, int> colunas[] = {
        {"ACNUMEROCONTRATO", "Nº Contrato", 90}, {"CODIGO_CLIENTE", "Cliente", 60}, {"NOME", "Nome", 200},
        {"DATA_EMISSAO", "Emissão", 70},        {"DATA_VENCIMENTO", "Vencimento", 70},
        {"NUMERO_DOCUMENTO", "Documento", 70},  {"SEQUENCIA", "Seq.", 40},
        {"OBSERVACAO", "Obs./Histórico", 200},  {"VALOR_DOCUMENTO", "Valor", 90}};
    for (const auto& [campo, titulo, largura] : colunas)
        dbgdParc->addColumn(campo, titulo, largura);
    for (host::ui::DataGrid* grade : {dbgdAssContFat, dbgdParc}) {
        grade->setRowSelect(true);
        if (dmGlobal->puGeral)
            host::ui::setPopupMenu(grade, dmGlobal->puGeral);
    }
    dbgdParc->hide();
    dbgdAssContFat->onTitleClick = [this](host::ui::GridColumn& coluna) {
        host::ui::sortByColumn(*dbgdAssContFat, coluna);
    };
    dbgdAssContFat->onDblClick = [this] { dbgdAssContFatDblClick(); };
    dbgdParc->onDblClick = [this] { dbgdParcDblClick(); };
    auto* lista = new QVBoxLayout(tsPesq);
    lista->addWidget(dbgdAssContFat);
    lista->addWidget(dbgdParc);

    meAviso = named<QPlainTextEdit>("meAviso");
    meAviso->setReadOnly(true);
    meAviso->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(tsAviso))->addWidget(meAviso);

    ckCRAberta = named<QCheckBox>("ckCRAberta", "Mostrar Contas Abertas");
    ckNaoGeraPrevisao = named<QCheckBox>("ckNaoGeraPrevisao", "Não gerar nova Previsão");
    ckNaoGeraPrevisao->setToolTip("Não gerar nova previsão automaticamente ao Faturar Contrato");
    auto* outras = new QVBoxLayout(tsOutrasOpcoes);
    outras->addWidget(ckCRAberta);
    outras->addWidget(ckNaoGeraPrevisao);
    outras->addStretch();
}

void TfmAssContFat::criarBotoes()
{
    auto* paBotoes = named<QWidget>("paBotoes");
    auto* botoes = new QHBoxLayout(paBotoes);
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, void (TfmAssContFat::*acao)()) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    botao(bbPesquisar, "bbPesquisar", "&Pesquisar", &TfmAssContFat::bbPesquisarClick);
    botao(bbBaixar, "bbBaixar", "&Gerar", &TfmAssContFat::bbBaixarClick);
    bbBaixar->setToolTip("Gerar Faturamento");
    botao(bbImprimir, "bbImprimir", "I&mprimir", &TfmAssContFat::bbImprimirClick);
    botao(bbVisualizar, "bbVisualizar", "&Visualizar", &TfmAssContFat::bbVisualizarClick);
    bbSair = named<QPushButton>("bbSair", "S&air");
    botoes->addWidget(bbSair);
    connect(bbSair, &QPushButton::clicked, this, [this] { close(); });
    stInfo = new host::ui::StatusBar("stInfo");
    stInfo->addPanel(200);
    stInfo->addPanel(50);

    gbSelecao->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(gbSelecao);
    esquerda->addWidget(rgTipo);
    esquerda->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(esquerda, 0);
    corpo->addWidget(pcFatura, 1);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(corpo, 1);
    janela->addWidget(paBotoes);
    janela->addWidget(stInfo);
    resize(1280, 660);
}

void TfmAssContFat::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    if (dmTecContrato)
        CarregaCamposTabela(cbCampos, *dmTecContrato->quCtrCadastro);
    SalvarConfiguracaoDBGrid(dbgdAssContFat, true);
    pcFatura->setActivePage(tsPesq);
}

void TfmAssContFat::FormClose(host::ui::CloseAction& action)
{
    SalvarConfiguracaoDBGrid(dbgdAssContFat, false);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    action = host::ui::CloseAction::Free;
}
