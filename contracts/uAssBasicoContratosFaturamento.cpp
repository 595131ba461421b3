// The per-customer service billing window: selection, lists, totals and buttons.

#include "contracts/uAssBasicoContratosFaturamento.h"

#include "host/FiltroDia.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/Upesqcli.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Components.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using namespace uAssBasicoContratosFaturamento;

host::ui::FormVar<TfmAssBasicoContratosFaturamento> fmAssBasicoContratosFaturamento(
    "fmAssBasicoContratosFaturamento");

namespace {

const QString kTotalOS = QStringLiteral("Total de OS: ");
const QString kTotalServicos = QStringLiteral("Valor Total dos Serviços: ");
const QString kTotalPecas = QStringLiteral("Valor Total das Peças: ");
const QString kFormatoTotal = QStringLiteral("###,###,###,###,##0.00");

// Amounts read as the contract register writes them ("950,50"); quantities,
// limits and minutes stay plain.
std::unique_ptr<host::data::Query> consulta(const char* nome, const QString& sql, const QStringList& valores)
{
    std::unique_ptr<host::data::Query> query = CriarIbQuery(nome);
    query->setSql(sql);
    query->onFieldsCreated = [valores](host::data::Dataset& d) { TdmGlobal::SetaFormatoValor(d, valores); };
    return query;
}

// Opens the list empty (no customer).
void abrirVazia(host::data::Query& query)
{
    query.close();
    query.paramByName("clcodigo")->setAsString({});
    query.open();
}

// Suspends the grids' display for the length of a scope.
class SemExibicao {
public:
    explicit SemExibicao(std::initializer_list<host::data::Dataset*> datasets) : datasets_(datasets)
    {
        for (host::data::Dataset* d : datasets_)
            d->disableControls();
    }
    ~SemExibicao()
    {
        for (host::data::Dataset* d : datasets_)
            d->enableControls();
    }
    SemExibicao(const SemExibicao&) = delete;
    SemExibicao& operator=(const SemExibicao&) = delete;

private:
    std::vector<host::data::Dataset*> datasets_;
};

}  // namespace

TfmAssBasicoContratosFaturamento::TfmAssBasicoContratosFaturamento(QWidget* parent)
    : host::ui::Form(parent),
      quPesqServico(consulta("quPesqServico", SqlServicos(), {"AAVALOR", "AAVALORTOTAL"})),
      quPesqPecas(consulta("quPesqPecas", SqlPecas(), {"APVALUNITARIO", "APVALTOTAL"})),
      quContrato(consulta("quContrato", SqlContrato(), {"ACVALOR", "ACVALORCHAMADAEXCEDENTE"})),
      dsPesqServico(std::make_unique<host::data::DataSource>(nullptr, "dsPesqServico", quPesqServico.get())),
      dsPesqPecas(std::make_unique<host::data::DataSource>(nullptr, "dsPesqPecas", quPesqPecas.get())),
      dsContrato(std::make_unique<host::data::DataSource>(nullptr, "dsContrato", quContrato.get()))
{
    setCaption("Faturamento dos Contratos");
    setStayOnTop(true);
    setStartMaximized(true);
    criarControles();
    for (host::data::Query* query : {quPesqServico.get(), quPesqPecas.get(), quContrato.get()})
        abrirVazia(*query);
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssBasicoContratosFaturamento::~TfmAssBasicoContratosFaturamento()
{
    for (auto* fonte : {dsPesqServico.get(), dsPesqPecas.get(), dsContrato.get()})
        fonte->setDataset(nullptr);
}

void TfmAssBasicoContratosFaturamento::criarControles()
{
    auto* selecao = named<QGroupBox>("gbSelecao", "Seleção");
    auto* fSelecao = new QFormLayout(selecao);
    edCliente = named<QLineEdit>("edCliente");
    edCliente->setMaxLength(5);
    sbPesqCliente = named<QToolButton>("sbPesqCliente");
    sbPesqCliente->setText("...");
    connect(sbPesqCliente, &QToolButton::clicked, this,
            [this] { host::ui::runGuarded([this] { sbPesqClienteClick(); }); });
    auto* linhaCliente = new QHBoxLayout;
    linhaCliente->addWidget(edCliente);
    linhaCliente->addWidget(sbPesqCliente);
    dbteCliente = new host::ui::DataLabel("dbteCliente");
    dbteCliente->bind(dsContrato.get(), "CLIENTE");
    linhaCliente->addWidget(dbteCliente, 1);
    fSelecao->addRow("Cliente", linhaCliente);
    edDataInicial = new host::ui::DateEdit("edDataInicial");
    edDataFinal = new host::ui::DateEdit("edDataFinal");
    auto* periodo = new QHBoxLayout;
    periodo->addWidget(edDataInicial);
    periodo->addWidget(new QLabel("até"));
    periodo->addWidget(edDataFinal);
    periodo->addStretch();
    fSelecao->addRow("Período  de", periodo);
    auto rotulo = [this, fSelecao](host::ui::DataLabel*& membro, const char* nome, const QString& caption,
                                   const char* campo) {
        membro = new host::ui::DataLabel(nome);
        membro->bind(dsContrato.get(), campo);
        fSelecao->addRow(caption, membro);
    };
    rotulo(dbteNumeroContrato, "dbteNumeroContrato", "Nº Contrato:", "ACNUMEROCONTRATO");
    rotulo(dbteValorContrato, "dbteValorContrato", "Valor do Contrato:", "ACVALOR");
    rotulo(dbteLimiteChamadas, "dbteLimiteChamadas", "Limite de Chamadas:", "ACLIMITE");
    rotulo(dbteValorExcedente, "dbteValorExcedente", "Valor  Cham/Hora Exced.:", "ACVALORCHAMADAEXCEDENTE");
    rotulo(dbteLimiteHora, "dbteLimiteHora", "Limite de Hora:", "ACLIMITEHORA");

    auto* totalizador = named<QGroupBox>("gbTotalizador", "Totalizador");
    auto* lTotais = new QVBoxLayout(totalizador);
    laTotalOS = named<QLabel>("laTotalOS", kTotalOS);
    laTotalServicos = named<QLabel>("laTotalServicos", kTotalServicos);
    laTotalPecas = named<QLabel>("laTotalPecas", kTotalPecas);
    for (QLabel* l : {laTotalOS, laTotalServicos, laTotalPecas})
        lTotais->addWidget(l);
    lTotais->addStretch();

    QGroupBox* servicos = nullptr;
    QGroupBox* pecas = nullptr;
    criarGrades(servicos, pecas);

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& caption, std::function<void()> acao) {
        membro = named<QPushButton>(nome, caption);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbPesquisar, "bbPesquisar", "Pes&quisar", [this] { bbPesquisarClick(); });
    botao(bbLimpar, "bbLimpar", "&Limpar", [this] { bbLimparClick(); });
    botao(bbImprimir, "bbImprimir", "I&mprimir", [this] { bbImprimirClick(); });
    botao(bbPedidoVenda, "bbPedidoVenda", "Pedido de &Venda", [this] { bbPedidoVendaClick(); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });

    auto* topo = new QHBoxLayout;
    topo->addWidget(selecao, 2);
    topo->addWidget(totalizador, 1);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(topo);
    janela->addWidget(servicos, 1);
    janela->addWidget(pecas, 1);
    janela->addLayout(botoes);
    resize(900, 640);
}

void TfmAssBasicoContratosFaturamento::criarGrades(QGroupBox*& servicos, QGroupBox*& pecas)
{
    const QString equipamento = dmGlobal->Parametro("ATMODOVEICULO") == "O" ? "Veículo" : "Equipamento";
    auto grade = [&](host::ui::DataGrid*& membro, const char* nome, host::data::DataSource* fonte,
                     const char* descricao, const char* quantidade, const char* total) {
        membro = new host::ui::DataGrid(nome);
        membro->setDataSource(fonte);
        membro->setReadOnlyGrid(true);
        membro->setRowSelect(true);
        membro->addColumn("codigo", "Código", 80);
        membro->addColumn("DESCRICAO", descricao, 260);
        membro->addColumn(quantidade, "Qtde.", 60);
        membro->addColumn(total, "Valor Total", 90);
        membro->addColumn("AOITEQUIPDESCRICAO", equipamento, 200);
    };
    grade(dbgdServicos, "dbgdServicos", dsPesqServico.get(), "Serviço", "AAQUANTIDADE", "AAVALORTOTAL");
    grade(dbgdPecas, "dbgdPecas", dsPesqPecas.get(), "Descrição do Produto", "APQUANTIDADE", "APVALTOTAL");
    servicos = named<QGroupBox>("gbServicos", "Serviços");
    (new QVBoxLayout(servicos))->addWidget(dbgdServicos);
    pecas = named<QGroupBox>("gbPecas", "Peças");
    (new QVBoxLayout(pecas))->addWidget(dbgdPecas);
}

void TfmAssBasicoContratosFaturamento::bbPesquisarClick()
{
    // A date refused on screen is never searched by the last one taken.
    if (!host::ui::checkTypedDates({edDataInicial, edDataFinal}))
        return;
    const QString cliente = edCliente->text().trimmed();
    if (cliente.isEmpty())
        dmGlobal->MostraErro("Informe um cliente válido");
    const QDate inicio = edDataInicial->date().date();
    const QDate fim = edDataFinal->date().date();
    if (!inicio.isValid() || !fim.isValid())
        dmGlobal->MostraErro("Informe um período válido");
    if (fim < inicio)
        dmGlobal->MostraErro("Data inicial deve ser menor que data final");
    atualizarTotais(cliente, inicio, fim);
    abrirListas(cliente, inicio, fim);
}

void TfmAssBasicoContratosFaturamento::atualizarTotais(const QString& cliente, const QDate& inicio, const QDate& fim)
{
    // The typed customer and the dates travel as parameters, never as SQL text.
    // The final day counts whole, as in the lists: up to the next day's start.
    const QVariantMap periodo{{"CLIENTE", cliente},
                              {"INI", host::inicioDoDia(inicio)},
                              {"FIM", host::fimExclusivoDoDia(fim)}};
    const QString ordens = "from AATC01AO os where os.aocodigo is not null and os.clcodigo = :CLIENTE"
                           " and os.aoDataEntrada >= :INI and os.aoDataEntrada < :FIM";
    auto valor = [&periodo](const QString& sql) {
        return host::db::selectValue(*dmGlobal->IBTransaction1, sql, periodo).toDouble();
    };
    const double total = valor("select count(*) " + ordens);
    const double servicos =
        valor("select sum(aa.aavalortotal) from AATC01AA aa where aa.aocodigo in (select os.aocodigo " + ordens + ")");
    const double pecas =
        valor("select sum(ap.apvaltotal) from AATC01AP ap where ap.aocodigo in (select os.aocodigo " + ordens + ")");
    laTotalOS->setText(kTotalOS + QString::number(int(total)));
    laTotalServicos->setText(kTotalServicos + host::data::formatFloat(kFormatoTotal, servicos));
    laTotalPecas->setText(kTotalPecas + host::data::formatFloat(kFormatoTotal, pecas));
}

void TfmAssBasicoContratosFaturamento::abrirListas(const QString& cliente, const QDate& inicio, const QDate& fim)
{
    for (host::data::Query* lista : {quPesqServico.get(), quPesqPecas.get()}) {
        lista->close();
        lista->paramByName("clcodigo")->setAsString(cliente);
        lista->paramByName("pDI")->setAsDateTime(host::inicioDoDia(inicio));
        lista->paramByName("pDF")->setAsDateTime(host::fimExclusivoDoDia(fim));
        lista->open();
    }
    quContrato->close();
    quContrato->paramByName("clcodigo")->setAsString(cliente);
    quContrato->paramByName("pDI")->setAsDateTime(host::inicioDoDia(inicio));
    quContrato->paramByName("pDF")->setAsDateTime(host::fimExclusivoDoDia(fim));
    quContrato->open();
}

void TfmAssBasicoContratosFaturamento::bbPedidoVendaClick()
{
    // Without a contract there is neither a customer nor a contract line to bill.
    if (!quContrato->active())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rNenhum contrato do cliente selecionado.", true);
    if (quContrato->isEmpty())
        dmGlobal->MostraAviso(AvisoSemContrato(quContrato->paramByName("clcodigo")->asString(),
                                               quContrato->paramByName("pDI")->value().toDateTime(),
                                               quContrato->paramByName("pDF")->value().toDateTime()),
                              true);
    QString pedido;
    {
        host::ui::WaitCursor ampulheta;
        SemExibicao semExibicao({quPesqServico.get(), quPesqPecas.get()});
        pedido = GerarPedidoVenda(*quContrato, *quPesqServico, *quPesqPecas);
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
    if (MostraPergunta("Deseja abrir o pedido de vendas?", {"Sim", "Não"}) != "Sim")
        return;
    // The host's window of sales orders to invoice, on the new order.
    TfmNotaFiscal* nota = fmNotaFiscal.get() ? fmNotaFiscal.get() : fmNotaFiscal.create();
    nota->PesquisarPedidoVendas(0, 0, pedido, {});
    nota->showNonModal();
    close();
}

void TfmAssBasicoContratosFaturamento::bbImprimirClick()
{
    const QString escolha = MostraPergunta("Deseja imprimir relatório de Serviços ou Peças?", {"Serviços", "Peças"});
    if (escolha == "Serviços")
        GridtoRelatorio(*dbgdServicos, true);
    else if (escolha == "Peças")
        GridtoRelatorio(*dbgdPecas, true);
}

void TfmAssBasicoContratosFaturamento::bbLimparClick()
{
    edCliente->clear();
    edDataInicial->setDate({});
    edDataFinal->setDate({});
    for (host::data::Query* query : {quPesqServico.get(), quPesqPecas.get(), quContrato.get()})
        query->close();
    laTotalOS->setText(kTotalOS);
    laTotalServicos->setText(kTotalServicos);
    laTotalPecas->setText(kTotalPecas);
}

void TfmAssBasicoContratosFaturamento::sbPesqClienteClick()
{
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        edCliente->setText(codigo);
}

void TfmAssBasicoContratosFaturamento::FormClose(host::ui::CloseAction& action)
{
    for (host::data::Query* query : {quPesqServico.get(), quPesqPecas.get(), quContrato.get()})
        query->close();
    action = host::ui::CloseAction::Free;
}
