// The parts request window: controls, life cycle and the handlers of its
// buttons and grid. Bar-code entry and deliveries are in
// uAssSolicitacaoBarras.cpp.

#include "service_orders/uAssSolicitacao.h"

#include "data/uDataTec.h"
#include "data/uDataTecAcertoPecas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/Ulote.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/data/MemDataset.h"
#include "host/db/Database.h"
#include "host/ui/Components.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssEscolhaOrdem.h"
#include "service_orders/uSolicitacaoEntregas.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>


using host::ui::named;

host::ui::FormVar<TfmAssSolicitacao> fmAssSolicitacao("fmAssSolicitacao");

namespace {

QToolButton* botaoPesquisaSolicitacao(const char* nome)
{
    auto* botao = named<QToolButton>(nome);
    botao->setText("...");
    return botao;
}

}  // namespace

TfmAssSolicitacao::TfmAssSolicitacao(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Solicitação de Peças ");
    setKeyPreview(true);
    dsSolicita = std::make_unique<host::data::DataSource>(nullptr, "dsSolicita", dmTec->quSolicita);
    dsSolicitaIt = std::make_unique<host::data::DataSource>(nullptr, "dsSolicitaIt", dmTec->quSolicitaIt);
    dsTecnicos = std::make_unique<host::data::DataSource>(nullptr, "dsTecnicos", dmTec->quTecnicos);
    criarCabecalho();
    criarGrade();
    criarBotoes();
    resize(790, 500);
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
}

TfmAssSolicitacao::~TfmAssSolicitacao()
{
    // The controls let go of the data sources before these go.
    dbgdAssSolicitacao->setDataSource(nullptr);
    for (host::ui::DataControl* controle :
         std::initializer_list<host::ui::DataControl*>{dbedCodigo, dbedOS, dbteSituacao, dbedObs, dblcSolicitante})
        controle->setDataSource(nullptr);
    dblcSolicitante->setListSource(nullptr);
}

void TfmAssSolicitacao::criarCabecalho()
{
    auto* grupo = named<QGroupBox>("gbSolicitacao", "Solicitação");
    auto* grade = new QGridLayout(grupo);
    dbedCodigo = new host::ui::DataEdit("dbedCodigo");
    dbedCodigo->bind(dsSolicita.get(), "AICODIGO");
    dbedCodigo->setEnabled(false);
    dbedCodigo->setMaximumWidth(90);
    bbPesquisar = botaoPesquisaSolicitacao("bbPesquisar");
    dblcSolicitante = new host::ui::DataLookupCombo("dblcSolicitante");
    dblcSolicitante->bind(dsSolicita.get(), "ATCODIGOSOLICITA");
    dblcSolicitante->setListSource(dsTecnicos.get());
    dblcSolicitante->setKeyField("ATCODIGO");
    dblcSolicitante->setListField("ATNOME");
    dbedOS = new host::ui::DataEdit("dbedOS");
    dbedOS->bind(dsSolicita.get(), "AOCODIGO");
    dbedOS->setMaximumWidth(90);
    bbPesqOS = botaoPesquisaSolicitacao("bbPesqOS");
    dbteSituacao = new host::ui::DataLabel("dbteSituacao");
    dbteSituacao->bind(dsSolicita.get(), "AISITUACAO");
    dbteSituacao->setStyleSheet("color: blue;");
    dbteSituacao->setMinimumWidth(110);
    dbedObs = new host::ui::DataEdit("dbedObs");
    dbedObs->bind(dsSolicita.get(), "AIOBSERVACAO");
    ckBarras = named<QCheckBox>("ckBarras", "Inserção Por Barras");
    grade->addWidget(new QLabel("Código"), 0, 0);
    grade->addWidget(dbedCodigo, 0, 1);
    grade->addWidget(bbPesquisar, 0, 2);
    grade->addWidget(new QLabel("Solicitante"), 0, 3);
    grade->addWidget(dblcSolicitante, 0, 4);
    grade->addWidget(new QLabel("O.S."), 0, 5);
    grade->addWidget(dbedOS, 0, 6);
    grade->addWidget(bbPesqOS, 0, 7);
    grade->addWidget(new QLabel("Situação"), 1, 0);
    grade->addWidget(dbteSituacao, 1, 1, 1, 2);
    grade->addWidget(new QLabel("Observação"), 1, 3);
    grade->addWidget(dbedObs, 1, 4, 1, 4);
    grade->addWidget(ckBarras, 2, 4, 1, 4);
    grade->setColumnStretch(4, 1);
    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(grupo);
    connect(bbPesquisar, &QToolButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesquisarClick(); }); });
    connect(bbPesqOS, &QToolButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesqOSClick(); }); });
}

void TfmAssSolicitacao::criarGrade()
{
    auto* grupo = named<QGroupBox>("gbPecas", "Peças");
    auto* coluna = new QVBoxLayout(grupo);
    dbgdAssSolicitacao = new host::ui::DataGrid("dbgdAssSolicitacao");
    host::ui::DataGrid& grade = *dbgdAssSolicitacao;
    grade.setDataSource(dsSolicitaIt.get());
    grade.addColumn("PRCODIGO", "Código", 90)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    grade.addColumn("DESCRICAO", "Produto", 170);
    grade.addColumn("AIQUANTIDADE", "Qtde.", 60);
    host::ui::GridColumn* solicitado = grade.addColumn("AIDATAEMISSAO", "Solicitado", 90);
    solicitado->setReadOnly(true);
    solicitado->setColor(QColor(Qt::lightGray));
    grade.addColumn("AIDATAPREVISAO", "Previsão", 80);
    grade.addColumn("DescricaoTecnico", "Responsável (Entrega)", 150);
    grade.addColumn("AIQUANTIDADEENTREGUE", "Qtde.Entregue", 90);
    grade.addColumn("AIDATAENTREGA", "Entregue", 90);
    grade.addColumn("AIOBSERVACAO", {}, 160);
    grade.onTitleClick = [this](host::ui::GridColumn& c) { dbgdAssSolicitacaoTitleClick(c); };
    grade.onEditButtonClick = [this] { dbgdAssSolicitacaoEditButtonClick(); };
    grade.onDblClick = [this] { dbgdAssSolicitacaoDblClick(); };
    stAtalhos = new host::ui::StatusBar("stAtalhos");
    stAtalhos->addPanel(80, "Atalhos:");
    stAtalhos->addPanel(150, "F9 - Busca produto");
    stAtalhos->addPanel(0, "F10 - Busca OS");
    coluna->addWidget(dbgdAssSolicitacao, 1);
    coluna->addWidget(stAtalhos);
    static_cast<QVBoxLayout*>(layout())->addWidget(grupo, 1);
}

void TfmAssSolicitacao::criarBotoes()
{
    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, void (TfmAssSolicitacao::*acao)()) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    botao(bbNovo, "bbNovo", "&Novo", &TfmAssSolicitacao::bbNovoClick);
    botao(bbSalvar, "bbSalvar", "&Salvar", &TfmAssSolicitacao::bbSalvarClick);
    botao(bbEnviar, "bbEnviar", "&Enviar", &TfmAssSolicitacao::bbEnviarClick);
    bbEnviar->setToolTip("Enviar Solicitação para Pendência");
    botao(bbEstoque, "bbEstoque", "&Estoque", &TfmAssSolicitacao::bbEstoqueClick);
    bbEstoque->setToolTip("Enviar Solicitação");
    botao(bbImprimir, "bbImprimir", "&Imprimir", &TfmAssSolicitacao::bbImprimirClick);
    botao(bbCancelar, "bbCancelar", "&Cancelar", &TfmAssSolicitacao::bbCancelarClick);
    botao(bbExcluir, "bbExcluir", "&Excluir", &TfmAssSolicitacao::bbExcluirClick);
    botoes->addStretch();
    botao(bbSair, "bbSair", "S&air", &TfmAssSolicitacao::bbSairClick);
    static_cast<QVBoxLayout*>(layout())->addLayout(botoes);
}

// ---- life cycle -------------------------------------------------------------

void TfmAssSolicitacao::FormCreate()
{
    if (!dmTec->quSolicita->active())
        dmTec->quSolicita->open();
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    SalvarConfiguracaoDBGrid(dbgdAssSolicitacao, true);
}

void TfmAssSolicitacao::FormShow()
{
    sCodigoTecnico.clear();
}

void TfmAssSolicitacao::FormActivate()
{
    // Every technician: the stored rows name inactive ones too; the lists
    // offer only the active.
    dmTec->CarregarTecnicos(-1, false);
}

void TfmAssSolicitacao::FormClose(host::ui::CloseAction& action)
{
    dmTec->quSolicita->close();
    dmTec->quSolicitaIt->close();
    // Closed here, not when the window is left: "Solicitante" is named from
    // the technicians while the window is still shown behind another.
    dmTec->quTecnicos->close();
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    SalvarConfiguracaoDBGrid(dbgdAssSolicitacao, false);
    action = host::ui::CloseAction::Free;
    fmAssSolicitacao.clear();
}

int TfmAssSolicitacao::solicitacaoAtual() const
{
    return dmTec->quSolicitaAICODIGO->asInteger();
}

// ---- buttons ----------------------------------------------------------------

void TfmAssSolicitacao::bbNovoClick()
{
    InserirRegistro(*dmTec->quSolicita);
}

void TfmAssSolicitacao::bbSalvarClick()
{
    SalvarAlteracoes(*dmTec->quSolicitaIt);
    SalvarAlteracoes(*dmTec->quSolicita);
    saveChanges();
}

void TfmAssSolicitacao::bbCancelarClick()
{
    CancelarAlteracoes(*dmTec->quSolicita);
}

void TfmAssSolicitacao::bbExcluirClick()
{
    ExcluirRegistro(*dmTec->quSolicita);
}

void TfmAssSolicitacao::bbSairClick()
{
    close();
}

void TfmAssSolicitacao::bbPesquisarClick()
{
    bbSalvarClick();
    QString codigo, nada1, nada2;
    if (SelecionaPesquisaGeral(71, "AiCodigo", "AiCodigo", "AiCodigo", codigo, nada1, nada2))
        CarregaSolicitacao(codigo.toInt());
}

void TfmAssSolicitacao::bbEnviarClick()
{
    bbSalvarClick();
    const int numero = solicitacaoAtual();
    if (numero <= 0)
        dmGlobal->MostraErro("Nenhuma solicitação carregada para enviar.");
    // Any situation, a delivered request included, goes back to pending; a
    // request another desk deleted meanwhile has nothing to send.
    host::ExecucaoLote::tabelaAlterada("AATC07AI");
    if (host::db::executeSql(*dmGlobal->IBTransaction1, "update AATC07AI set AISITUACAO = 'P' where AICODIGO = :NUMERO",
                             {{"NUMERO", numero}}) == 0)
        dmGlobal->MostraErro("A solicitação " + QString::number(numero) +
                             " não existe mais (excluída por outro usuário); não foi colocada em Pendência.");
    dmGlobal->IBTransaction1->commitRetaining();
    CarregaSolicitacao(numero);
    dmGlobal->MostraAviso("Operação efetuada com sucesso!\rSolicitação colocada em Pendência.");
}

void TfmAssSolicitacao::bbPesqOSClick()
{
    int ordem = 0;
    if (!EscolherOrdemServicoPecas(ordem))
        return;
    ColocarOrdemServico(ordem);
}

void TfmAssSolicitacao::ColocarOrdemServico(int aoCodigo)
{
    TdmTec& tec = *dmTec;
    if (!tec.quSolicita->editing())
        tec.quSolicita->edit();
    tec.quSolicitaAOCODIGO->setAsInteger(aoCodigo);
    if (MostraPergunta("Deseja incluir as Peças da Ordem de Serviço \"" + QString::number(aoCodigo) + "\"?",
                       {"Sim", "Não"}) != "Sim")
        return;
    // Lines added by the program need no delivering technician.
    struct TagDeVolta {
        host::data::Dataset& itens;
        ~TagDeVolta() { itens.setTag(0); }
    } volta{*tec.quSolicitaIt};
    tec.quSolicitaIt->setTag(1);
    tec.CarregaOSPecas(aoCodigo, 0, {});
    {
        host::data::ControlsDisabled parado(*tec.quOSPecas);
        for (tec.quOSPecas->first(); !tec.quOSPecas->eof(); tec.quOSPecas->next()) {
            tec.quSolicitaIt->append();
            tec.quSolicitaItAICODIGO->setAsInteger(0);
            tec.quSolicitaItAIID->setAsString("I");
            tec.quSolicitaItPRCODIGO->setAsString(tec.quOSPecasPRCODIGO->asString());
            tec.quSolicitaItAIQUANTIDADE->setAsFloat(tec.quOSPecasAPQUANTIDADE->asFloat());
            tec.quSolicitaItAOCODIGO->setAsInteger(tec.quOSPecasAOCODIGO->asInteger());
            tec.quSolicitaIt->post();
        }
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!");
}

void TfmAssSolicitacao::bbEstoqueClick()
{
    // The hand-over reads the stored lines: the one being typed is stored first.
    SalvarAlteracoes(*dmTec->quSolicitaIt);
    host::ui::WaitCursor cursor;
    // Only what was delivered and has not left the stock yet.
    QStringList jaBaixadas;
    const QList<LinhaAcertoPecas> linhas = PecasDaSolicitacaoAoAcerto(solicitacaoAtual(), jaBaixadas);
    auto* baixa = new TfmAssBaixaPecas(nullptr);
    fmAssBaixaPecas = baixa;
    baixa->runCreate();
    {
        host::data::ControlsDisabled paradoBaixa(*baixa->cdsBaixa);
        for (const LinhaAcertoPecas& linha : linhas)
            baixa->AcrescentarLinha(linha);
    }
    baixa->showNonModal();
    if (!jaBaixadas.isEmpty())
        dmGlobal->MostraAviso("Peças entregues nesta solicitação que já saíram do estoque para a O.S. (baixa de"
                              " estoque da O.S., pedido de venda ou outro acerto), fora do acerto:\r" +
                              jaBaixadas.join("\r"));
}

void TfmAssSolicitacao::bbImprimirClick()
{
    GridtoRelatorioComInfo(*dbgdAssSolicitacao, true, "Solicitação de Peças",
                           "Código: " + dmTec->quSolicitaAICODIGO->asString() +
                               "   O.S.: " + dmTec->quSolicitaAOCODIGO->asString(),
                           {}, {});
}

// ---- grid ---------------------------------------------------------------------

void TfmAssSolicitacao::dbgdAssSolicitacaoTitleClick(host::ui::GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdAssSolicitacao, Column);
}

void TfmAssSolicitacao::dbgdAssSolicitacaoEditButtonClick()
{
    if (dbgdAssSolicitacao->selectedField() != dmTec->quSolicitaItPRCODIGO)
        return;
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo, true))
        return;
    if (!dmTec->quSolicitaIt->editing())
        dmTec->quSolicitaIt->edit();
    dmTec->quSolicitaItPRCODIGO->setAsString(codigo);
}

void TfmAssSolicitacao::dbgdAssSolicitacaoDblClick()
{
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    if (dbgdAssSolicitacao->selectedField() != dmTec->quSolicitaItAIQUANTIDADEENTREGUE || !empresa.active() ||
        empresa.isEmpty() || empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger() != 4)
        return;
    AbrirEntregasSolicitacao(dmTec->quSolicitaItAICODIGO->asInteger(), dmTec->quSolicitaItAISEQUENCIA->asInteger());
}

void TfmAssSolicitacao::AbrirEntregasSolicitacao(int iSolicitacao, int iSequencia)
{
    TfmSolicitacaoEntregas* entregas = fmSolicitacaoEntregas.create(nullptr);
    entregas->showNonModal();
    dmTec->CarregarProdutosEntregSolicPecas(iSequencia, iSolicitacao, {});
    entregas->setCaption("Entregas do Produto " + dmTec->quSolicitacaoItEntPRCODIGO->asString());
}
