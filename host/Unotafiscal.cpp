#include "host/Unotafiscal.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unumeracao.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"

#include <QFormLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <cstddef>
#include <stdexcept>

host::ui::FormVar<TfmNotaFiscal> fmNotaFiscal("fmNotaFiscal");

namespace {

const char* const kSqlPedido =
    "select Ped.NUMERO_PEDIDO, Ped.CODIGO_CLIENTE, Cli.NOME, Ped.DATA_EMISSAO, Ped.VALOR_TOTAL, Ped.OPERACAO,"
    " Ped.AUX1, Ped.IMPRESSO_NF, Ped.VELOCAL, Ped.ACCODIGO\r"
    "from AVEC8501 Ped left outer join AUGC0301 Cli on (Ped.CODIGO_CLIENTE = Cli.CODIGO_CLIENTE)\r"
    "where Ped.NUMERO_PEDIDO = :PEDIDO";

const char* const kSqlNotas =
    "select Mov.DOCUMENTO, Mov.SERIE_DOC, Mov.LOCAL_DOC, Mov.COD_CLI, Mov.COD_PEDIDO, Mov.DATA, Mov.TOTAL_DOC,"
    " Mov.OPERACAO_DOC, Mov.ACCODIGO from ACEM1401 Mov where 1 = 2";

// The columns a user reads, titled in words; whatever statement a caller
// gives the query, the grid shows these (those it lacks stay empty).
struct ColunaNota {
    const char* campo;
    const char* titulo;
    int largura;
};

const ColunaNota kColunasPedido[] = {
    {"NUMERO_PEDIDO", "Pedido", 80},   {"CODIGO_CLIENTE", "Cliente", 60}, {"NOME", "Nome", 220},
    {"DATA_EMISSAO", "Emissão", 80},   {"VALOR_TOTAL", "Valor Total", 90}, {"OPERACAO", "Operação", 70},
};

const ColunaNota kColunasNota[] = {
    {"DOCUMENTO", "Nota Fiscal", 80}, {"SERIE_DOC", "Série", 45},   {"COD_CLI", "Cliente", 60},
    {"COD_PEDIDO", "Pedido", 80},     {"DATA", "Data", 80},         {"TOTAL_DOC", "Total", 90},
    {"OPERACAO_DOC", "Operação", 70},
};

template <size_t N>
void colunasNota(host::ui::DataGrid& grade, const ColunaNota (&colunas)[N])
{
    grade.setReadOnlyGrid(true);
    grade.changeColumnsTogether([&] {
        for (const ColunaNota& c : colunas)
            grade.addColumn(QString::fromLatin1(c.campo), QString::fromUtf8(c.titulo), c.largura);
    });
}

// Amounts and dates as the host writes them, at every open.
void formatosNota(host::data::Query& consulta)
{
    consulta.onFieldsCreated = [](host::data::Dataset& dados) { dmGlobal->SetaMascaraField(dados); };
}

[[noreturn]] void recusar(const QString& texto)
{
    throw std::runtime_error(texto.toStdString());
}

// What the emission reads of the order, in one statement.
struct DadosPedido {
    QString cliente, operacao, impresso, situacao, local, tabela, serie;
    int contrato = 0, linhas = 0, operacaoRegistrada = 0;
    double total = 0;
};

DadosPedido lerPedido(host::db::Transaction& tr, const QString& pedido, const QString& operacao)
{
    const std::shared_ptr<host::db::Statement> st =
        tr.prepared("select Ped.CODIGO_CLIENTE, Ped.OPERACAO, Ped.IMPRESSO_NF, Ped.AUX2, Ped.VELOCAL,"
                    " Ped.TABELA_VENCIMENTO, Ped.VESERIENF, Ped.ACCODIGO,"
                    " (select count(*) from AVEC85IT It where It.NUMERO_PEDIDO = Ped.NUMERO_PEDIDO), " +
                    TdmGlobal::SqlTotalPedidoVenda("Ped") +
                    ","
                    " (select count(*) from AFVC0901 Ope where Ope.COD_OP ="
                    " coalesce(cast(:OPERACAO as varchar(60)), Ped.OPERACAO))"
                    " from AVEC8501 Ped where Ped.NUMERO_PEDIDO = :PEDIDO");
    st->setParam("PEDIDO", pedido);
    // The operation asked for, or (none asked) the order's own.
    st->setParam("OPERACAO", operacao.trimmed().isEmpty() ? QVariant() : QVariant(operacao.trimmed()));
    st->execute();
    if (!st->fetch()) recusar("Pedido de venda " + pedido + " não encontrado.");
    DadosPedido dados;
    const bool propria = operacao.trimmed().isEmpty();
    dados.cliente = st->value(0).toString().trimmed();
    dados.operacao = propria ? st->value(1).toString().trimmed() : operacao.trimmed();
    dados.impresso = st->value(2).toString().trimmed();
    dados.situacao = st->value(3).toString().trimmed();
    dados.local = st->value(4).toString().trimmed();
    dados.tabela = st->value(5).toString().trimmed();
    dados.serie = st->value(6).toString().trimmed();
    dados.contrato = st->value(7).toInt();
    dados.linhas = st->value(8).toInt();
    dados.total = st->value(9).toDouble();
    dados.operacaoRegistrada = st->value(10).toInt();
    st->closeCursor();
    return dados;
}

}  // namespace

TfmNotaFiscal::TfmNotaFiscal(QWidget* parent)
    : Form(parent), quPedido(CriarIbQuery("quPedido")), quNotaFiscal(CriarIbQuery("quNotaFiscal")),
      dsPedido(std::make_unique<host::data::DataSource>(nullptr, "dsPedido")),
      dsNotaFiscal(std::make_unique<host::data::DataSource>(nullptr, "dsNotaFiscal"))
{
    setCaption("Emissão de Nota Fiscal");
    quPedido->setSql(kSqlPedido);
    quNotaFiscal->setSql(kSqlNotas);
    formatosNota(*quPedido);
    formatosNota(*quNotaFiscal);
    dsPedido->setDataset(quPedido.get());
    dsNotaFiscal->setDataset(quNotaFiscal.get());

    auto* layout = new QVBoxLayout(this);
    auto* atual = new QFormLayout;
    edPedido = new QLineEdit(this);
    edPedido->setObjectName("edPedido");
    sbCarregaPedido = new QPushButton("Carregar", this);
    sbCarregaPedido->setObjectName("sbCarregaPedido");
    auto* linhaPedido = new QHBoxLayout;
    linhaPedido->addWidget(edPedido);
    linhaPedido->addWidget(sbCarregaPedido);
    atual->addRow("Pedido", linhaPedido);
    connect(sbCarregaPedido, &QPushButton::clicked, this,
            [this] { host::ui::runGuarded([this] { PesquisarPedidoVendas(0, 0, edPedido->text(), {}); }); });
    edDocumento = new QLineEdit(this);
    edDocumento->setObjectName("edDocumento");
    edDocumento->setReadOnly(true);
    edSerie = new QLineEdit(this);
    edSerie->setObjectName("edSerie");
    edSerie->setReadOnly(true);
    atual->addRow("Nota Fiscal", edDocumento);
    atual->addRow("Série", edSerie);
    layout->addLayout(atual);
    auto* divisao = new QSplitter(Qt::Vertical, this);
    dbgdPedido = new host::ui::DataGrid("dbgdPedido", divisao);
    dbgdPedido->setDataSource(dsPedido.get());
    colunasNota(*dbgdPedido, kColunasPedido);
    dbgdNotaFiscal = new host::ui::DataGrid("dbgdNotaFiscal", divisao);
    dbgdNotaFiscal->setDataSource(dsNotaFiscal.get());
    colunasNota(*dbgdNotaFiscal, kColunasNota);
    layout->addWidget(divisao);
    resize(720, 480);
}

TfmNotaFiscal::~TfmNotaFiscal()
{
    // The grids listen to the data sources: they go first.
    delete dbgdPedido;
    delete dbgdNotaFiscal;
}

QString TfmNotaFiscal::numeroNota() const
{
    return numero_;
}

QString TfmNotaFiscal::serieNota() const
{
    return serie_;
}

void TfmNotaFiscal::exibeNota()
{
    if (exibicaoPendente_)
        return;
    exibicaoPendente_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            exibicaoPendente_ = false;
            edDocumento->setText(numero_);
            edSerie->setText(serie_);
        },
        Qt::QueuedConnection);
}

void TfmNotaFiscal::PesquisarPedidoVendas(int, int, const QString& sPedido, const QString& sPedidoAlternativo)
{
    const QString pedido = (sPedido.trimmed().isEmpty() ? sPedidoAlternativo : sPedido).trimmed();
    quPedido->close();
    quPedido->setSql(kSqlPedido);
    quPedido->paramByName("PEDIDO")->setAsString(pedido);
    quPedido->open();
    if (quPedido->isEmpty())
        recusar("Pedido de venda " + pedido + " não encontrado.");
}

void TfmNotaFiscal::EmissaoNotaFiscalSaida(const QString& sPedido, const QString&, const QString& sOperacao,
                                           const QString&, const QString&, bool, double, bool)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString pedido = sPedido.trimmed();
    const DadosPedido dados = lerPedido(tr, pedido, sOperacao);
    if (dados.impresso != "N" || dados.situacao == "1" || dados.situacao == "4")
        recusar("Pedido de venda " + pedido + " já faturado ou encerrado.");
    if (dados.operacao.isEmpty() || dados.operacaoRegistrada == 0)
        recusar("Operação \"" + dados.operacao + "\" inválida para a nota fiscal do pedido " + pedido + ".");
    if (dados.linhas == 0)
        recusar("Pedido de venda " + pedido + " sem itens.");

    const QString serie = dados.serie.isEmpty() ? QString(kSeriePadrao) : dados.serie;
    host::db::Savepoint ponto(tr);
    const QString numero = host::ProximoNumeroDocumentoEstoque(tr, serie, dados.local);
    const QDateTime dia = hoje();
    const QVariantMap chave{{"DOCUMENTO", numero}, {"SERIE", serie}, {"CLIENTE", dados.cliente},
                            {"OPERACAO", dados.operacao}, {"LOCAL", dados.local}, {"PEDIDO", pedido},
                            {"HOJE", dia}};
    QVariantMap cabecalho = chave;
    cabecalho.insert({{"TOTAL", dados.total}, {"TABELA", dados.tabela.isEmpty() ? QVariant() : dados.tabela},
                      {"CONTRATO", dados.contrato > 0 ? QVariant(dados.contrato) : QVariant()}});
    host::db::executeSql(tr,
                         "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, COD_PEDIDO,"
                         " DATA, TOTAL_DOC, TAB_VENC, ACCODIGO) values (:DOCUMENTO, :SERIE, :CLIENTE, :OPERACAO,"
                         " :LOCAL, :PEDIDO, :HOJE, :TOTAL, :TABELA, :CONTRATO)",
                         cabecalho);
    host::db::executeSql(tr,
                         "insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA,"
                         " MEITCFOP, QUNATIDADEPRODUTO, DATA, AOCODIGO, VEITSEQUENCIA, OBSERVACAO_PRODUTO,"
                         " VALOR_TOTAL_UNIT) select cast(:DOCUMENTO as varchar(11)), cast(:SERIE as varchar(5)),"
                         " cast(:CLIENTE as varchar(5)), cast(:OPERACAO as varchar(5)), cast(:LOCAL as varchar(2)),"
                         " It.CODIGO, It.COD, coalesce(It.VEITCFOP, cast(:OPERACAO as varchar(5))), It.QUANTIDADE,"
                         " cast(:HOJE as date), It.AOCODIGO, It.COD,"
                         " It.OBS, It.TOTAL_UNIT from AVEC85IT It where It.NUMERO_PEDIDO = :PEDIDO order by It.COD",
                         chave);
    // Marked only if still not invoiced: another desk may have invoiced the
    // order since it was read (while this one waited for the counter).
    if (host::db::executeSql(tr,
                             "update AVEC8501 set IMPRESSO_NF = 'S' where NUMERO_PEDIDO = :PEDIDO"
                             " and IMPRESSO_NF = 'N'",
                             {{"PEDIDO", pedido}}) == 0)
        recusar("Pedido de venda " + pedido + " já faturado ou encerrado.");
    ponto.release();
    numero_ = numero;
    serie_ = serie;
    local_ = dados.local;
    exibeNota();
}

void TfmNotaFiscal::GerarNotaFiscal(bool bMostrar)
{
    if (!quPedido->active() || quPedido->isEmpty())
        recusar("Informe o pedido de venda da nota fiscal.");
    EmissaoNotaFiscalSaida(quPedido->fieldByName("NUMERO_PEDIDO")->asString(), {}, {}, {}, {}, false, 0, bMostrar);
    // The caller reads the new invoice from the fields right away.
    edDocumento->setText(numero_);
    edSerie->setText(serie_);
}

void TfmNotaFiscal::NFSelecionaLote(const QString& sPrimeira, const QString& sUltima, const QString& sCondicao,
                                    const QString& sSerie)
{
    quNotaFiscal->close();
    quNotaFiscal->setSql("select Mov.*, Tab.TP_FATURAMENTO from ACEM1401 Mov"
                         " left outer join AFVT0101 Tab on (Mov.TAB_VENC = Tab.CODIGO)\r"
                         "where Mov.SERIE_DOC = :SERIE and Mov.DOCUMENTO between :PRIMEIRA and :ULTIMA\r" +
                         sCondicao + "\rorder by Mov.DOCUMENTO");
    quNotaFiscal->paramByName("SERIE")->setAsString(sSerie.trimmed().isEmpty() ? QString(kSeriePadrao) : sSerie);
    quNotaFiscal->paramByName("PRIMEIRA")->setAsString(sPrimeira.trimmed());
    quNotaFiscal->paramByName("ULTIMA")->setAsString(sUltima.trimmed());
    quNotaFiscal->open();
    showNonModal();
}
