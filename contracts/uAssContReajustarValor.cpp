// The readjustment window: its controls, queries and life cycle. The
// searches and runs are in uAssContReajustarValorAcoes.cpp.

#include "contracts/uAssContReajustarValor.h"

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
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"
#include "host/db/Database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssContReaj> fmAssContReaj("fmAssContReaj");

using uAssContComum::BotaoPesquisa;
using uAssContComum::EditData;
using uAssContComum::EditFiltro;

TfmAssContReaj::TfmAssContReaj(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Reajustar Valores de Contratos");
    setStayOnTop(true);
    criarQueries();
    criarFiltros();
    criarOpcoes();
    criarPaginas();
    criarBotoes();
    FormCreate();
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssContReaj::~TfmAssContReaj()
{
    // The grid lets go of its data source before the queries go.
    DBGrid1->setDataSource(nullptr);
}

void TfmAssContReaj::criarQueries()
{
    quPesq_ = std::make_unique<host::data::Query>(nullptr, "quPesq");
    quPesqVinc_ = std::make_unique<host::data::Query>(nullptr, "quPesqVinc");
    quPesq = quPesq_.get();
    quPesqVinc = quPesqVinc_.get();
    for (host::data::Query* query : {quPesq, quPesqVinc}) {
        query->setTransaction(dmGlobal->IBTransaction1.get());
        uAssContComum::LigaLogAbertura(*query);
        // Values and dates shown as the host shows them.
        query->onFieldsCreated = [](host::data::Dataset& dataset) { dmGlobal->SetaMascaraField(dataset); };
    }
    quPesqVinc->setSql(uDataTecContReajuste::SqlContratosVinculados());
    dsPesq_ = std::make_unique<host::data::DataSource>(nullptr, "dsPesq", quPesq);
}

void TfmAssContReaj::criarFiltros()
{
    paFiltros_ = named<QWidget>("paFiltros");
    auto* grade = new QGridLayout(paFiltros_);
    int linha = 0;
    // A row: its label, "de", the first edit, "até", the second, a search button.
    auto faixa = [&](const QString& rotulo, QWidget* de, QWidget* ate, QToolButton* botao) {
        grade->addWidget(new QLabel(rotulo), linha, 0);
        grade->addWidget(new QLabel("de"), linha, 1);
        grade->addWidget(de, linha, 2);
        grade->addWidget(new QLabel("até"), linha, 3);
        grade->addWidget(ate, linha, 4);
        if (botao)
            grade->addWidget(botao, linha, 5);
        ++linha;
    };
    cbCampos = named<QComboBox>("cbCampos");
    edAlterIni = EditFiltro("edAlterIni", 9);
    edAlterFim = EditFiltro("edAlterFim", 9);
    grade->addWidget(cbCampos, linha, 0);
    grade->addWidget(edAlterIni, linha, 2);
    grade->addWidget(edAlterFim, linha++, 4);
    edContratoIni = EditFiltro("edContratoIni");
    edContratoFim = EditFiltro("edContratoFim");
    sbPesqContrato = BotaoPesquisa("sbPesqContrato");
    faixa("Código Contrato", edContratoIni, edContratoFim, sbPesqContrato);
    mdDataBaseIni = EditData("mdDataBaseIni");
    mdDataBaseFim = EditData("mdDataBaseFim");
    faixa("Data Base", mdDataBaseIni, mdDataBaseFim, nullptr);
    mdDataRenovacaoIni = EditData("mdDataRenovacaoIni");
    mdDataRenovacaoFim = EditData("mdDataRenovacaoFim");
    faixa("Data Renovação", mdDataRenovacaoIni, mdDataRenovacaoFim, nullptr);
    mdLimiteRenovacaoIni = EditData("mdLimiteRenovacaoIni");
    mdLimiteRenovacaoFim = EditData("mdLimiteRenovacaoFim");
    faixa("Limite Renovação", mdLimiteRenovacaoIni, mdLimiteRenovacaoFim, nullptr);
    edIndiceIni = EditFiltro("edIndiceIni", 10);
    edIndiceFim = EditFiltro("edIndiceFim", 10);
    sbPesqMoeda = BotaoPesquisa("sbPesqMoeda");
    faixa("Índice", edIndiceIni, edIndiceFim, sbPesqMoeda);
    edContaFinancIni = EditFiltro("edContaFinancIni");
    edContaFinancFim = EditFiltro("edContaFinancFim");
    sbPesqConta = BotaoPesquisa("sbPesqConta");
    faixa("Conta", edContaFinancIni, edContaFinancFim, sbPesqConta);

    auto clique = [this](QToolButton* botao, void (TfmAssContReaj::*acao)()) {
        connect(botao, &QToolButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(sbPesqContrato, &TfmAssContReaj::sbPesqContratoClick);
    clique(sbPesqMoeda, &TfmAssContReaj::sbPesqMoedaClick);
    clique(sbPesqConta, &TfmAssContReaj::sbPesqContaClick);
}

void TfmAssContReaj::criarOpcoes()
{
    paOpcoes_ = named<QWidget>("paOpcoes");
    auto* grade = new QGridLayout(paOpcoes_);
    edReajuste = new host::ui::CurrencyEdit("edReajuste");
    edReajuste->setDisplayFormat(" ,0.00;-,0.00");
    grade->addWidget(new QLabel("Reajuste"), 0, 0);
    grade->addWidget(edReajuste, 0, 1);
    grade->addWidget(new QLabel("%"), 0, 2);
    edFilial = EditFiltro("edFilial", 2);
    grade->addWidget(new QLabel("Filial (UN)"), 0, 3);
    grade->addWidget(edFilial, 0, 4);

    rgTipo = new host::ui::DataRadioGroup("rgTipo", "Tipo");
    rgTipo->setItems({"Por Percentual", "Por Índice", "Por Média Índice", "Por Item Contrato"});
    rgTipo->setColumns(4);
    rgTipo->setItemIndex(0);
    rgTipo->onChange = [this] { rgTipoClick(); };
    grade->addWidget(rgTipo, 1, 0, 1, 6);

    ckAtualizaDataBase = named<QCheckBox>("ckAtualizaDataBase", "Atualizar Data Base");
    mdAtualDataBase = EditData("mdAtualDataBase");
    grade->addWidget(ckAtualizaDataBase, 2, 0, 1, 2);
    grade->addWidget(new QLabel("Com a Data Base"), 2, 2, 1, 2);
    grade->addWidget(mdAtualDataBase, 2, 4);
    laMediaMeses = named<QLabel>("laMediaMeses", "Meses");
    edMediaMeses = new host::ui::SpinEdit("edMediaMeses");
    edMediaMeses->setRange(0, 999);
    edMediaMeses->setValue(12);
    grade->addWidget(laMediaMeses, 3, 0);
    grade->addWidget(edMediaMeses, 3, 1);
    ckNovaProv = named<QCheckBox>("ckNovaProv", "Gerar Novas Provisões");
    ckNovaProv->setChecked(true);
    edNumeroProvisoes = new host::ui::SpinEdit("edNumeroProvisoes");
    edNumeroProvisoes->setRange(0, 999);
    edNumeroProvisoes->setValue(12);
    grade->addWidget(ckNovaProv, 4, 0, 1, 2);
    grade->addWidget(new QLabel("Nº Provisões"), 4, 2, 1, 2);
    grade->addWidget(edNumeroProvisoes, 4, 4);
    ckVinculado = named<QCheckBox>("ckVinculado", "Contratos Vinculados");
    ckPrincipal = named<QCheckBox>("ckPrincipal", "Apenas Principais");
    ckFiltrarDataBase = named<QCheckBox>("ckFiltrarDataBase", "Filtrar pelo Mês Base");
    grade->addWidget(ckVinculado, 5, 0, 1, 2);
    grade->addWidget(ckPrincipal, 5, 2, 1, 2);
    grade->addWidget(ckFiltrarDataBase, 5, 4, 1, 2);
}

void TfmAssContReaj::criarPaginas()
{
    pcReajuste = new host::ui::PageControl("pcReajuste");
    tsRegistros = pcReajuste->addPage("tsRegistros", "Registros Encontrados");
    tsOutrasInformacoes = pcReajuste->addPage("tsOutrasInformacoes", "Outras Informações");
    DBGrid1 = new host::ui::DataGrid("DBGrid1");
    DBGrid1->setDataSource(dsPesq_.get());
    const std::tuple<const char*, const char*, int> colunas[] = {
        {"ACNUMEROCONTRATO", "Contrato", 90}, {"NOME", "Cliente", 250},        {"ACVALORANTERIOR", "Anterior", 80},
        {"ACVALORPARCELA", "Valor Atual", 80}, {"ACDATABASE", "Data Base", 80}, {"ACCODIGO", "Código", 60}};
    for (const auto& [campo, titulo, largura] : colunas)
        DBGrid1->addColumn(campo, titulo, largura);
    DBGrid1->setRowSelect(true);
    (new QVBoxLayout(tsRegistros))->addWidget(DBGrid1);
    meAviso = named<QPlainTextEdit>("meAviso");
    meAviso->setReadOnly(true);
    (new QVBoxLayout(tsOutrasInformacoes))->addWidget(meAviso);
}

void TfmAssContReaj::criarBotoes()
{
    auto* paBotoes = named<QWidget>("paBotoes");
    auto* botoes = new QHBoxLayout(paBotoes);
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, void (TfmAssContReaj::*acao)()) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    botao(BitBtn1, "BitBtn1", "&Pesquisar", &TfmAssContReaj::BitBtn1Click);
    botao(bbBaixar, "bbBaixar", "&Reajustar", &TfmAssContReaj::bbBaixarClick);
    botao(BitBtn2, "BitBtn2", "&Desfazer", &TfmAssContReaj::BitBtn2Click);
    bbSair = named<QPushButton>("bbSair", "S&air");
    botoes->addWidget(bbSair);
    connect(bbSair, &QPushButton::clicked, this, [this] { close(); });
    stInformacao = new host::ui::StatusBar("stInformacao");
    stInformacao->addPanel(0, "Aviso: Somente contratos com situação \"Ativo\" e com \"Índice somente para "
                              "reajuste\" serão reajustados");

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(paFiltros_);
    esquerda->addWidget(paOpcoes_);
    esquerda->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(esquerda);
    corpo->addWidget(pcReajuste, 1);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(corpo, 1);
    janela->addWidget(paBotoes);
    janela->addWidget(stInformacao);
    resize(1000, 560);
}

void TfmAssContReaj::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    if (dmTecContrato)
        CarregaCamposTabela(cbCampos, *dmTecContrato->quCtrCadastro);
    mdAtualDataBase->setDate(host::db::localDateTime(QDate::currentDate().addMonths(12)));
    pcReajuste->setActivePage(tsRegistros);
    rgTipoClick();
}

void TfmAssContReaj::FormClose(host::ui::CloseAction& action)
{
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    action = host::ui::CloseAction::Free;
}

void TfmAssContReaj::rgTipoClick()
{
    const bool media = rgTipo->itemIndex() == uDataTecContReajuste::PorMediaIndice;
    laMediaMeses->setVisible(media);
    edMediaMeses->setVisible(media);
}
