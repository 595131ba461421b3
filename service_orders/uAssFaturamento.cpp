// The billing window: the filters, the found and selected orders, the
// receivable of the selection and the printouts of the found grid.

#include "service_orders/uAssFaturamento.h"

#include "shared_windows/uAssContComum.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/Dialogs.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"
#include "shared_windows/uAssCadastroComum.h"
#include "service_orders/uAssFaturamentoRegras.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssContComum::BotaoPesquisa;
using uAssContComum::EditData;
using uAssContComum::EditFiltro;

host::ui::FormVar<TfmAssFaturamento> fmAssFaturamento("fmAssFaturamento");

namespace {

// The orders the list shows, in its order.
QStringList ordensListadasFat(host::data::Query& lista)
{
    QStringList ordens;
    if (!lista.active())
        return ordens;
    host::data::ControlsDisabled semControles(lista);
    for (lista.first(); !lista.eof(); lista.next())
        ordens << lista.fieldByName("AOCODIGO")->asString().trimmed();
    lista.first();
    return ordens;
}

// The question on the orders billed elsewhere since the user saw them.
QString perguntaOrdensSairamFat(const QStringList& sairam, double total)
{
    const bool uma = sairam.size() == 1;
    return QString(uma ? "A ordem de serviço %1 foi faturada por outro usuário e saiu da seleção."
                       : "As ordens de serviço %1 foram faturadas por outro usuário e saíram da seleção.")
               .arg(sairam.join(", ")) +
           "\rDeseja gerar o receber das demais, no total de R$ " +
           host::data::formatFloat("###,###,###,###,##0.00", total) + "?";
}

}  // namespace

TfmAssFaturamento::TfmAssFaturamento(QWidget* parent)
    : host::ui::Form(parent),
      quRegEnc(CriarIbQuery("quRegEnc")),
      quSelecao(CriarIbQuery("quSelecao")),
      dsRegEnc(std::make_unique<host::data::DataSource>(nullptr, "dsRegEnc", quRegEnc.get())),
      dsSelecao(std::make_unique<host::data::DataSource>(nullptr, "dsSelecao", quSelecao.get())),
      dsSituacao(std::make_unique<host::data::DataSource>(nullptr, "dsSituacao",
                                                          dmTec ? dmTec->quOSSituacao : nullptr))
{
    setCaption("Faturamento de Ordem de Serviço");
    setStayOnTop(true);
    setCentered(true);
    quRegEnc->setSql(uAssFaturamento::SqlOrdensNaoFaturadas() + "\nOrder by ao.aoCodigo");
    quSelecao->setSql(uAssFaturamento::SqlSelecao({}));
    // Both lists show the order number as the order search does, at every open.
    for (host::data::Query* lista : {quRegEnc.get(), quSelecao.get()})
        lista->onFieldsCreated = [](host::data::Dataset& ordens) {
            dmGlobal->SetaMascaraField(ordens);
            if (host::data::Field* ordem = ordens.findField("AOCODIGO"))
                ordem->setDisplayFormat("000000000");
        };
    criarControles();
    if (dmTec)
        CarregaCamposTabela(cbCampos, *dmTec->quOS);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    SalvarConfiguracaoDBGrid(dbgdAssFaturamentoPesq, true);
    SalvarConfiguracaoDBGrid(dbgdAssFaturamentoSel, true);
    onActivate = [] {
        if (dmTec && !dmTec->quOSSituacao->active())
            dmTec->quOSSituacao->open();
    };
    onDeactivate = [] {
        if (dmTec)
            dmTec->quOSSituacao->close();
    };
    onClose = [this](host::ui::CloseAction& action) {
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        SalvarConfiguracaoDBGrid(dbgdAssFaturamentoPesq, false);
        SalvarConfiguracaoDBGrid(dbgdAssFaturamentoSel, false);
        quRegEnc->close();
        quSelecao->close();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssFaturamento::~TfmAssFaturamento()
{
    // The controls go before the data sources and queries they show.
    delete gbSelecao;
    delete gbRegEnc;
    delete gbSelecionados;
}

void TfmAssFaturamento::criarControles()
{
    gbSelecao = criarFiltros();
    auto grade = [this](QGroupBox*& grupo, const char* nomeGrupo, const QString& titulo, host::ui::DataGrid*& membro,
                        const char* nome, host::data::DataSource* fonte) {
        grupo = named<QGroupBox>(nomeGrupo, titulo);
        membro = new host::ui::DataGrid(nome);
        membro->setDataSource(fonte);
        membro->setReadOnlyGrid(true);
        membro->setRowSelect(true);
        membro->addColumn("AOCODIGO", "Ordem de Serviço", 100);
        membro->addColumn("NOME", "Cliente", 260);
        membro->addColumn("AOVALORTOTAL", "Valor Total", 100);
        host::ui::DataGrid* g = membro;
        membro->onTitleClick = [this, g](host::ui::GridColumn& coluna) { tituloClick(g, coluna); };
        (new QVBoxLayout(grupo))->addWidget(membro);
    };
    grade(gbRegEnc, "gbRegEnc", "Registros Encontrados", dbgdAssFaturamentoPesq, "dbgdAssFaturamentoPesq",
          dsRegEnc.get());
    grade(gbSelecionados, "gbSelecionados", "Registros Selecionados", dbgdAssFaturamentoSel,
          "dbgdAssFaturamentoSel", dsSelecao.get());
    dbgdAssFaturamentoPesq->onDblClick = [this] {
        host::ui::runGuarded([this] {
            if (quRegEnc->active() && !quRegEnc->isEmpty())
                IncluirNaSelecao(quRegEnc->fieldByName("AOCODIGO")->asInteger());
        });
    };
    dbgdAssFaturamentoSel->onDblClick = [this] {
        host::ui::runGuarded([this] {
            if (quSelecao->active() && !quSelecao->isEmpty())
                TirarDaSelecao(quSelecao->fieldByName("AOCODIGO")->asInteger());
        });
    };
    paTotal = named<QLabel>("paTotal");
    paTotal->setFrameShape(QFrame::Panel);
    paTotal->setFrameShadow(QFrame::Sunken);
    paTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* botoes = new QHBoxLayout;
    using uAssCadastroComum::BotaoCadastro;
    bbPesquisar = BotaoCadastro(this, botoes, "bbPesquisar", "Pes&quisar", [this] {
        // A date refused on screen is never searched by the one before it.
        if (host::ui::checkTypedDates({edSaidaIni, edSaidaFim, edEmissaoIni, edEmissaoFim}))
            PesquisarSelecao();
    });
    bbGera = BotaoCadastro(this, botoes, "bbGera", "&Gerar Receber",
                           [this] { GerarReceberSelecao(); });
    bbImprimir = BotaoCadastro(this, botoes, "bbImprimir", "I&mprimir",
                               [this] { GridtoRelatorio(*dbgdAssFaturamentoPesq, false); });
    bbVisualizar = BotaoCadastro(this, botoes, "bbVisualizar", "&Visualizar", [this] {
        GridtoRelatorioComTotal(*dbgdAssFaturamentoPesq, true, "sum(quRegEnc.AOVALORTOTAL)", {}, 50, 0, 100, 0);
    });
    botoes->addStretch(1);
    bbSair = BotaoCadastro(this, botoes, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(gbSelecao);
    auto* grades = new QHBoxLayout;
    grades->addWidget(gbRegEnc, 1);
    auto* selecionados = new QVBoxLayout;
    selecionados->addWidget(gbSelecionados, 1);
    selecionados->addWidget(paTotal);
    grades->addLayout(selecionados, 1);
    janela->addLayout(grades, 1);
    janela->addLayout(botoes);
    resize(980, 600);
    atualizarTotal();
}

QGroupBox* TfmAssFaturamento::criarFiltros()
{
    auto* grupo = named<QGroupBox>("gbSelecao", "Seleção");
    auto* g = new QGridLayout(grupo);
    auto rotulo = [](const char* nome, const QString& texto) { return named<QLabel>(nome, texto); };
    edCliente = EditFiltro("edCliente");
    edCliente->setReadOnly(true);
    edCliente->installEventFilter(this);
    sbPesqCliente = BotaoPesquisa("sbPesqCliente");
    connect(sbPesqCliente, &QToolButton::clicked, this, [this] {
        host::ui::runGuarded([this] {
            QString nome, codigo, fantasia;
            if (SelecionaCliente(nome, codigo, fantasia))
                edCliente->setText(nome);
        });
    });
    edOSIni = EditFiltro("edOSIni", 9);
    edOSFim = EditFiltro("edOSFim", 9);
    sbPesqOS = BotaoPesquisa("sbPesqOS");
    connect(sbPesqOS, &QToolButton::clicked, this, [this] {
        host::ui::runGuarded([this] {
            int ordem = 0, equipamento = 0;
            QString descricao;
            if (!SelecionaOrdemServico(ordem, equipamento, descricao))
                return;
            edOSIni->setText(QString::number(ordem));
            edOSFim->setText(QString::number(ordem));
        });
    });
    edSaidaIni = EditData("edSaidaIni");
    edSaidaFim = EditData("edSaidaFim");
    for (QWidget* saida : {static_cast<QWidget*>(edSaidaIni), static_cast<QWidget*>(edSaidaFim)})
        saida->setToolTip("No Relatório de Totalizador, considera a Data de Cobrança da OS");
    edEmissaoIni = EditData("edEmissaoIni");
    edEmissaoFim = EditData("edEmissaoFim");
    dblcSituacao = new host::ui::DataLookupCombo("dblcSituacao");
    dblcSituacao->setListSource(dsSituacao.get());
    dblcSituacao->setKeyField("ASCODIGO");
    dblcSituacao->setListField("ASDESCRICAO");
    dblcSituacao->installEventFilter(this);
    cbCampos = named<QComboBox>("cbCampos");
    edAlternativo = EditFiltro("edAlternativo", 50);

    auto faixa = [](QWidget* de, QWidget* ate, QWidget* extra = nullptr) {
        auto* h = new QHBoxLayout;
        h->addWidget(de);
        h->addWidget(named<QLabel>("", "até"));
        h->addWidget(ate);
        if (extra)
            h->addWidget(extra);
        h->addStretch(1);
        return h;
    };
    auto* cliente = new QHBoxLayout;
    cliente->addWidget(edCliente, 1);
    cliente->addWidget(sbPesqCliente);
    g->addWidget(rotulo("laCliente", "Cliente"), 0, 0);
    g->addLayout(cliente, 0, 1);
    g->addWidget(rotulo("laOS", "Nº O.S."), 1, 0);
    g->addLayout(faixa(edOSIni, edOSFim, sbPesqOS), 1, 1);
    g->addWidget(rotulo("laSaida", "Data Saída"), 2, 0);
    g->addLayout(faixa(edSaidaIni, edSaidaFim), 2, 1);
    g->addWidget(rotulo("laEmissao", "Data Emissão"), 0, 2);
    g->addLayout(faixa(edEmissaoIni, edEmissaoFim), 0, 3);
    g->addWidget(rotulo("laSituacao", "Situação"), 1, 2);
    g->addWidget(dblcSituacao, 1, 3);
    auto* livre = new QHBoxLayout;
    livre->addWidget(cbCampos, 1);
    livre->addWidget(edAlternativo, 1);
    g->addWidget(rotulo("laCampos", "Campo"), 2, 2);
    g->addLayout(livre, 2, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return grupo;
}

bool TfmAssFaturamento::eventFilter(QObject* watched, QEvent* event)
{
    // Delete takes the situation off the filter.
    if (watched == dblcSituacao && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        dblcSituacao->setKeyValue(QVariant());
        return true;
    }
    // The customer comes from the picker only; Delete or Backspace takes it
    // off the filter.
    if (watched == edCliente && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Delete || tecla == Qt::Key_Backspace) {
            edCliente->clear();
            return true;
        }
    }
    return host::ui::Form::eventFilter(watched, event);
}

void TfmAssFaturamento::PesquisarSelecao()
{
    using host::data::FieldType;
    quRegEnc->close();
    QString sql = uAssFaturamento::SqlOrdensNaoFaturadas();
    if (!edCliente->text().trimmed().isEmpty())
        sql += " and cli.Nome Containing " + QuotedStr(edCliente->text());
    sql += AdicionaFiltro("ao.aoCodigo", edOSIni->text(), edOSFim->text(), FieldType::Int32, "F");
    sql += AdicionaFiltro("ao.aoDataSaida", edSaidaIni->dateText(), edSaidaFim->dateText(), FieldType::DateTime, "F");
    sql += AdicionaFiltro("ao.aoDataEntrada", edEmissaoIni->dateText(), edEmissaoFim->dateText(), FieldType::DateTime,
                          "F");
    if (!dblcSituacao->keyValue().isNull() && !dblcSituacao->keyValue().toString().isEmpty())
        sql += " and ao.asCodigo = " + dblcSituacao->keyValue().toString();
    if (dmTec && cbCampos->currentIndex() >= 0 && cbCampos->currentIndex() < dmTec->quOS->fieldCount()) {
        const host::data::Field* campo = dmTec->quOS->field(cbCampos->currentIndex());
        sql += AdicionaFiltro("ao." + campo->fieldName(), edAlternativo->text(), {}, campo->dataType(), "C");
    }
    quRegEnc->setSql(sql + "\nOrder by ao.aoCodigo");
    quRegEnc->open();
}

void TfmAssFaturamento::abrirSelecao(const QStringList& ordens)
{
    quSelecao->close();
    ordensSelecionadas_ = ordens;
    quSelecao->setSql(uAssFaturamento::SqlSelecao(ordens));
    quSelecao->open();
    atualizarTotal();
}

void TfmAssFaturamento::IncluirNaSelecao(int ordem)
{
    // The new order first, then those already selected; one included twice stands twice in the list.
    QStringList ordens{QString::number(ordem)};
    if (quSelecao->active())
        for (quSelecao->first(); !quSelecao->eof(); quSelecao->next())
            ordens << quSelecao->fieldByName("AOCODIGO")->asString();
    abrirSelecao(ordens);
}

void TfmAssFaturamento::TirarDaSelecao(int ordem)
{
    QStringList ordens;
    if (quSelecao->active())
        for (quSelecao->first(); !quSelecao->eof(); quSelecao->next())
            if (quSelecao->fieldByName("AOCODIGO")->asInteger() != ordem)
                ordens << quSelecao->fieldByName("AOCODIGO")->asString();
    abrirSelecao(ordens);
}

double TfmAssFaturamento::RetornaTotalSelecionado()
{
    if (!quSelecao->active())
        quSelecao->open();
    double total = 0;
    host::data::ControlsDisabled semControles(*quSelecao);
    for (quSelecao->first(); !quSelecao->eof(); quSelecao->next())
        total += quSelecao->fieldByName("aoValorTotal")->asFloat();
    quSelecao->first();
    return total;
}

void TfmAssFaturamento::atualizarTotal()
{
    const double total = quSelecao->active() ? RetornaTotalSelecionado() : 0.0;
    paTotal->setText("Total Selecionado R$ " + host::data::formatFloat("###,###,###,###,##0.00", total));
}

void TfmAssFaturamento::GerarReceberSelecao()
{
    // The selection as the database holds it now: orders billed since it was
    // read are no longer in it, and the user who saw them decides on the rest.
    const QStringList vistas = ordensListadasFat(*quSelecao);
    abrirSelecao(ordensSelecionadas_);
    const QStringList ficam = ordensListadasFat(*quSelecao);
    QStringList sairam;
    for (const QString& ordem : vistas)
        if (!ficam.contains(ordem) && !sairam.contains(ordem))
            sairam << ordem;
    const double total = RetornaTotalSelecionado();
    if (!sairam.isEmpty() && !ficam.isEmpty() &&
        dmGlobal->MostraPergunta(perguntaOrdensSairamFat(sairam, total), {"Sim", "Não"}) != "Sim")
        return;
    FaturarSelecao(*quSelecao, total);
}

void TfmAssFaturamento::FaturarSelecao(host::data::Query& selecao, double total)
{
    if (selecao.isEmpty() && !ordensSelecionadas_.isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rAs ordens de serviço selecionadas já foram faturadas.",
                              true);
    if (total == 0)
        dmGlobal->MostraAviso("Valor Inválido.", true);
    uAssFaturamento::RecusarOrdemNegativa(selecao);
    // One receivable has one customer: orders of several would all be billed to the first one's.
    if (uAssFaturamento::ClientesSelecao(selecao).size() > 1)
        dmGlobal->MostraAviso("Aviso: operação abortada. As ordens de serviço selecionadas são de clientes "
                              "diferentes; selecione ordens de um só cliente para gerar o receber.",
                              true);
    uAssFaturamento::EscolhaFaturamento escolha;
    QString nada1, nada2;
    if (!SelecionaPesquisaGeral(13, "Codigo", "Codigo", "Codigo", escolha.tabelaVencimento, nada1, nada2))
        return;
    if (!SelecionaPesquisaGeral(23, "codigo_banco", "codigo_banco", "codigo_banco", escolha.banco, nada1, nada2))
        return;
    if (!SelecionaPesquisaGeral(72, "asCodigo", "asCodigo", "asCodigo", escolha.situacao, nada1, nada2))
        escolha.situacao.clear();
    QString documento;
    try {
        host::ui::WaitCursor ampulheta;
        documento = uAssFaturamento::FaturarOrdens(selecao, total, escolha);
    } catch (...) {
        // A refused bill leaves the selection showing what is stored now.
        if (&selecao == quSelecao.get())
            abrirSelecao(ordensSelecionadas_);
        throw;
    }
    // The billed orders leave both lists, and the selection: what is left
    // selected is what the list still shows.
    if (&selecao == quSelecao.get()) {
        abrirSelecao(ordensSelecionadas_);
        ordensSelecionadas_ = ordensListadasFat(*quSelecao);
    }
    if (quRegEnc->active())
        PesquisarSelecao();
    host::ui::Dialogs::information("Operação efetuada com sucesso!\rDocumento gerado: " + documento);
}

void TfmAssFaturamento::tituloClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*grade, coluna);
}
