// The parts settlement window: its controls, the in-memory lines and their
// rules, the modes and the operation searches. Import and posting are in
// uAssBaixaPecasAcoes.cpp.

#include "service_orders/uAssBaixaPecas.h"

#include "data/uDataTecAcertoPecas.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Format.h"
#include "host/data/MemDataset.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::data::FieldType;
using host::ui::named;

host::ui::FormVar<TfmAssBaixaPecas> fmAssBaixaPecas("fmAssBaixaPecas");

namespace {

// Operation types that bring goods in (AFVC0901.TIPO_OP).
bool tipoEntradaBaixa(const QString& tipo)
{
    static const QStringList entradas{"5", "A", "D", "0"};
    return entradas.contains(tipo.trimmed());
}

// The operation labels start with blanks, as the window was designed.
const char* const kRotuloVazioBaixa = "          ";

}  // namespace

TfmAssBaixaPecas::TfmAssBaixaPecas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Acerto de Peças");
    criarDados();
    criarPaginas();
    criarGrade();
    criarBotoes();
    resize(790, 480);
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssBaixaPecas::~TfmAssBaixaPecas()
{
    // The grid lets go of its data source before the lines go.
    dbgdOrdemServicoBaixaPecas->setDataSource(nullptr);
}

void TfmAssBaixaPecas::criarDados()
{
    cdsBaixa = std::make_unique<host::data::MemDataset>(nullptr, "cdsBaixa");
    auto campo = [this](const char* nome, FieldType tipo, int tamanho, const char* rotulo) {
        host::data::Field* f = cdsBaixa->addField(QString::fromLatin1(nome), tipo, tamanho);
        if (rotulo)
            f->setDisplayLabel(QString::fromUtf8(rotulo));
        return f;
    };
    cdsBaixaprCodigo = campo("prCodigo", FieldType::String, 11, "Código Produto");
    cdsBaixaprDescricao = campo("prDescricao", FieldType::String, 50, "Descrição");
    cdsBaixaprQuantidade = campo("prQuantidade", FieldType::Float, 0, "Quantidade");
    cdsBaixaprLocalizacao = campo("prLocalizacao", FieldType::String, 50, "Localizacao/Obs.");
    cdsBaixaaoCodigo = campo("aoCodigo", FieldType::Int32, 0, "Código OS");
    cdsBaixaclNome = campo("clNome", FieldType::String, 60, "Nome Cliente");
    cdsBaixaprQtdeReq = campo("prQtdeReq", FieldType::Float, 0, "Qtde Requerida");
    cdsBaixaaiCodigo = campo("aiCodigo", FieldType::Int32, 0, nullptr);
    cdsBaixaprCodigoLocal = campo("prCodigoLocal", FieldType::String, 3, "Local de Estoque");
    cdsBaixaprCodigo->onChange = [this](host::data::Field& f) { cdsBaixaprCodigoChange(f); };
    // An order the table lacks is refused where typed: nothing is settled for nobody.
    cdsBaixaaoCodigo->onValidate = [](host::data::Field& f) {
        LinhaAcertoPecas linha;
        linha.aoCodigo = f.asInteger();
        VerificarOrdensAcerto({linha});
    };
    cdsBaixaaoCodigo->onChange = [this](host::data::Field& f) { cdsBaixaaoCodigoChange(f); };
    cdsBaixa->beforePost = [this](host::data::Dataset& d) { cdsBaixaBeforePost(d); };
    dsBaixa = std::make_unique<host::data::DataSource>(nullptr, "dsBaixa", cdsBaixa.get());
    // Open from the start: a request hands its lines over before the window shows.
    cdsBaixa->open();
}

void TfmAssBaixaPecas::criarPaginas()
{
    pcBaixa = new host::ui::PageControl("pcBaixa");
    tsEntrada = pcBaixa->addPage("tsEntrada", "Entrada");
    tsSaida = pcBaixa->addPage("tsSaida", "Saída");
    tsOpcoes = pcBaixa->addPage("tsOpcoes", "Opções");
    // One operation group: its code and description labels, the search and
    // the switch to the other mode.
    auto grupo = [](host::ui::TabSheet* pagina, const QString& titulo, QLabel*& codigo, const char* nomeCodigo,
                    QLabel*& descricao, const char* nomeDescricao, QPushButton*& pesquisa, const char* nomePesquisa,
                    QToolButton*& troca, const char* nomeTroca, const QString& textoTroca) {
        auto* caixa = new QGroupBox(titulo);
        auto* linha = new QHBoxLayout(caixa);
        codigo = named<QLabel>(nomeCodigo, kRotuloVazioBaixa);
        codigo->setMinimumWidth(50);
        descricao = named<QLabel>(nomeDescricao, kRotuloVazioBaixa);
        descricao->setMinimumWidth(220);
        pesquisa = named<QPushButton>(nomePesquisa, "Pesquisar Operação");
        troca = named<QToolButton>(nomeTroca);
        troca->setText(textoTroca);
        linha->addWidget(codigo);
        linha->addWidget(descricao, 1);
        linha->addWidget(pesquisa);
        linha->addWidget(troca);
        auto* coluna = new QVBoxLayout(pagina);
        coluna->addWidget(caixa);
        return coluna;
    };
    grupo(tsEntrada, "Operação para Efetuar Entrada", laCodOpEnt, "laCodOpEnt", laDescOpEnt, "laDescOpEnt",
          bbPesqBaixa, "bbPesqBaixa", sbSaida, "sbSaida", "Saída");
    grupo(tsSaida, "Operação para Efetuar Baixa", laCodOpSai, "laCodOpSai", laDescOpSai, "laDescOpSai", bbPesqOperacao,
          "bbPesqOperacao", sbEntrada, "sbEntrada", "Entrada");
    // The two line options work in both modes: they move to the mode's page.
    opcoesDeLinha_ = named<QWidget>("paOpcoesLinha");
    auto* linhaOpcoes = new QHBoxLayout(opcoesDeLinha_);
    linhaOpcoes->setContentsMargins(0, 0, 0, 0);
    ckInserirPeca = named<QCheckBox>("ckInserirPeca", "Inserir Peças na O.S.");
    ckSalvarRequerida = named<QCheckBox>("ckSalvarRequerida", "Salvar na Quantidade Requerida");
    linhaOpcoes->addWidget(ckInserirPeca);
    linhaOpcoes->addWidget(ckSalvarRequerida);
    linhaOpcoes->addStretch();
    colocarOpcoesDeLinha(tsSaida);
    auto* opcoes = new QVBoxLayout(tsOpcoes);
    ckValidadeQtdeEntrada =
        named<QCheckBox>("ckValidadeQtdeEntrada", "Validar Quantidade de Entrada Pelo Total de Saídas");
    ckCabecalhoIndependente = named<QCheckBox>("ckCabecalhoIndependente", "Inserir Documentos por Cliente");
    opcoes->addWidget(ckValidadeQtdeEntrada);
    opcoes->addWidget(ckCabecalhoIndependente);
    opcoes->addStretch();

    auto clique = [this](QAbstractButton* botao, void (TfmAssBaixaPecas::*acao)()) {
        connect(botao, &QAbstractButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(bbPesqBaixa, &TfmAssBaixaPecas::bbPesqBaixaClick);
    clique(bbPesqOperacao, &TfmAssBaixaPecas::bbPesqOperacaoClick);
    clique(sbSaida, &TfmAssBaixaPecas::sbSaidaClick);
    clique(sbEntrada, &TfmAssBaixaPecas::sbEntradaClick);
}

void TfmAssBaixaPecas::colocarOpcoesDeLinha(host::ui::TabSheet* pagina)
{
    if (auto* coluna = qobject_cast<QVBoxLayout*>(pagina->layout()))
        coluna->insertWidget(1, opcoesDeLinha_);
    opcoesDeLinha_->show();
}

void TfmAssBaixaPecas::criarGrade()
{
    dbgdOrdemServicoBaixaPecas = new host::ui::DataGrid("dbgdOrdemServicoBaixaPecas");
    host::ui::DataGrid& grade = *dbgdOrdemServicoBaixaPecas;
    grade.setDataSource(dsBaixa.get());
    const auto botao = host::ui::GridColumn::ButtonStyle::Ellipsis;
    grade.addColumn("prCodigo", "Código", 90)->setButtonStyle(botao);
    grade.addColumn("prDescricao", {}, 170)->setReadOnly(true);
    grade.addColumn("aoCodigo", "Nº O.S.", 70);
    grade.addColumn("prQuantidade", {}, 80);
    grade.addColumn("prLocalizacao", "Localização", 90)->setReadOnly(true);
    grade.addColumn("clNome", "Cliente", 150)->setReadOnly(true);
    grade.addColumn("prCodigoLocal", {}, 100)->setButtonStyle(botao);
    // A new line is typed from its product's code, whatever column was current.
    grade.setEntryField("prCodigo");
    grade.onEditButtonClick = [this] { dbgdOrdemServicoBaixaPecasEditButtonClick(); };
    grade.onTitleClick = [this](host::ui::GridColumn& c) { dbgdOrdemServicoBaixaPecasTitleClick(c); };
}

void TfmAssBaixaPecas::criarBotoes()
{
    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, void (TfmAssBaixaPecas::*acao)()) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    botao(bbImportar, "bbImportar", "&Importar O.S.", &TfmAssBaixaPecas::bbImportarClick);
    botao(bbBaixar, "bbBaixar", "&Baixar", &TfmAssBaixaPecas::bbBaixarClick);
    bbBaixar->setToolTip("Emitir Baixa das Peças");
    botao(bbImprimir, "bbImprimir", "I&mprimir", &TfmAssBaixaPecas::bbImprimirClick);
    botao(bbVisualizar, "bbVisualizar", "&Visualizar", &TfmAssBaixaPecas::bbVisualizarClick);
    botoes->addStretch();
    botao(bbSair, "bbSair", "&Sair", &TfmAssBaixaPecas::bbSairClick);
    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(pcBaixa);
    coluna->addWidget(dbgdOrdemServicoBaixaPecas, 1);
    coluna->addLayout(botoes);
}

// ---- life cycle -------------------------------------------------------------

void TfmAssBaixaPecas::FormCreate()
{
    tsEntrada->setTabVisible(false);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    // The blank caption the window starts with chooses no operation: the
    // default exit operation is proposed over it, so that "Baixar" has one.
    if (laCodOpSai->text().trimmed().isEmpty() && tsSaida->tabVisible()) {
        laCodOpSai->setText(CarregaDado("cod_op", "afvc0901", "where tipo_Op = " + QuotedStr("8")));
        laDescOpSai->setText(CarregaDado("Desc_Op_Nf", "afvc0901", "where tipo_Op = " + QuotedStr("8")));
    }
    pcBaixa->setActivePage(tsSaida->tabVisible() ? tsSaida : tsEntrada);
}

void TfmAssBaixaPecas::FormShow()
{
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoBaixaPecas, true);
    if (!cdsBaixa->active())
        cdsBaixa->open();
}

void TfmAssBaixaPecas::FormClose(host::ui::CloseAction& action)
{
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, true, {});
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoBaixaPecas, false);
    cdsBaixa->close();
    action = host::ui::CloseAction::Free;
    if (fmAssBaixaPecas.get() == this)
        fmAssBaixaPecas.clear();
}

// ---- modes and operations ---------------------------------------------------

bool TfmAssBaixaPecas::modoEntrada() const
{
    return tsEntrada->tabVisible();
}

void TfmAssBaixaPecas::sbSaidaClick()
{
    tsSaida->setTabVisible(true);
    tsEntrada->setTabVisible(false);
    pcBaixa->setActivePage(tsSaida);
    bbBaixar->setText("&Baixar");
    colocarOpcoesDeLinha(tsSaida);
}

void TfmAssBaixaPecas::sbEntradaClick()
{
    tsEntrada->setTabVisible(true);
    tsSaida->setTabVisible(false);
    bbBaixar->setText("&Entrar");
    colocarOpcoesDeLinha(tsEntrada);
    pcBaixa->setActivePage(tsEntrada);
}

void TfmAssBaixaPecas::bbPesqOperacaoClick()
{
    QString codigo, descricao, tipo;
    if (!SelecionaPesquisaGeral(25, "Cod_Op", "Desc_Op_NF", "Tipo_Op", codigo, descricao, tipo))
        return;
    if (tipoEntradaBaixa(tipo))
        dmGlobal->MostraErro("Operação inválida, não se refere a saída de mercadoria! Operação Abortada.");
    laCodOpSai->setText(codigo);
    laDescOpSai->setText(descricao);
}

void TfmAssBaixaPecas::bbPesqBaixaClick()
{
    QString codigo, descricao, tipo;
    if (!SelecionaPesquisaGeral(25, "Cod_Op", "Desc_Op_NF", "Tipo_Op", codigo, descricao, tipo))
        return;
    if (!tipoEntradaBaixa(tipo))
        dmGlobal->MostraErro("Operação inválida, não se refere a Entrada de mercadoria! Operação Abortada.");
    laCodOpEnt->setText(codigo);
    laDescOpEnt->setText(descricao);
}

// ---- the grid and its lines -------------------------------------------------

void TfmAssBaixaPecas::dbgdOrdemServicoBaixaPecasEditButtonClick()
{
    host::ui::DataGrid& grade = *dbgdOrdemServicoBaixaPecas;
    const host::data::Field* campo = grade.selectedField();
    if (campo == cdsBaixaprCodigo) {
        QString codigo, descricao;
        double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
        if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo, false))
            return;
        if (!cdsBaixa->editing())
            cdsBaixa->edit();
        cdsBaixaprCodigo->setText(codigo);
        grade.setSelectedIndex(2);
    } else if (campo == cdsBaixaprCodigoLocal) {
        QString local, nada1, nada2;
        if (!SelecionaPesquisaGeral(14, "CODIGO", "CODIGO", "CODIGO", local, nada1, nada2))
            return;
        if (!cdsBaixa->editing())
            cdsBaixa->edit();
        cdsBaixaprCodigoLocal->setText(local);
    }
}

void TfmAssBaixaPecas::dbgdOrdemServicoBaixaPecasTitleClick(host::ui::GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoBaixaPecas, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoBaixaPecas, false);
}

void TfmAssBaixaPecas::cdsBaixaprCodigoChange(host::data::Field&)
{
    const QString condicao = "where codigo = " + QuotedStr(cdsBaixaprCodigo->asString().trimmed());
    // A code the catalogue lacks leaves description and location as they were.
    if (CarregaNumeroInteiro("count(*)", "acec1101", condicao) == 0)
        return;
    cdsBaixaprDescricao->setText(CarregaDado("descricao", "acec1101", condicao));
    cdsBaixaprLocalizacao->setText(CarregaDado("prPosicionamento", "acec1101", condicao));
    cdsBaixaprCodigoLocal->setText(CarregaDado("localizacao", "acec1101", condicao));
}

void TfmAssBaixaPecas::cdsBaixaaoCodigoChange(host::data::Field&)
{
    const QString cliente =
        CarregaDado("clCodigo", "aatc01ao", "where aoCodigo = " + QuotedStr(cdsBaixaaoCodigo->asString())).trimmed();
    if (cliente.isEmpty()) {
        dmGlobal->MostraAviso("Ordem de serviço não encontrada");
        return;
    }
    cdsBaixaclNome->setText(CarregaDado("nome", "augc0301", "where codigo_cliente= " + QuotedStr(cliente)));
}

void TfmAssBaixaPecas::cdsBaixaBeforePost(host::data::Dataset&)
{
    if (cdsBaixaprCodigo->asString().trimmed().isEmpty())
        dmGlobal->MostraAviso("Produto não informado.", true);
    if (cdsBaixaprQuantidade->asFloat() <= 0)
        dmGlobal->MostraAviso("Quantidade não informada.", true);
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    if (!empresa.active() || empresa.isEmpty() || empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger() != 21)
        return;
    const int ordem = cdsBaixaaoCodigo->asInteger();
    const QString os = host::data::formatFloat("000000", ordem);
    if (ordem <= 0)
        dmGlobal->MostraAviso("É necessário informar uma OS!", true);
    if (modoEntrada() && !laCodOpEnt->text().isEmpty() &&
        CarregaNumeroInteiro("count(*)", "AATC01AP",
                             "WHERE AOCODIGO = " + QString::number(ordem) +
                                 " and PRCODIGO = " + QuotedStr(cdsBaixaprCodigo->asString().trimmed())) == 0)
        dmGlobal->MostraAviso("Peça não encontrada na OS " + os + "!", true);
    const QString tipo = CarregaDado("tp.ASTIPO", "AATC01AS tp join AATC01AO os on os.ASCODIGO = tp.ASCODIGO",
                                     "where os.AOCODIGO = " + QString::number(ordem))
                             .trimmed();
    if (tipo == "F" || tipo == "M")
        dmGlobal->MostraAviso("OS " + os + " se encontra com a situação finalizada ou Situação morta!", true);
}

void TfmAssBaixaPecas::bbVisualizarClick()
{
    GridtoRelatorio(*dbgdOrdemServicoBaixaPecas, true);
}

void TfmAssBaixaPecas::bbImprimirClick()
{
    GridtoRelatorio(*dbgdOrdemServicoBaixaPecas, false);
}

void TfmAssBaixaPecas::bbSairClick()
{
    close();
}
