// The host's sales-price and stock routines of the order lines (see
// UdmglobalPrecos.h).

#include "host/UdmglobalPrecos.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

namespace {

struct LinhaFaixaPreco {
    double desconto = 0, valor = 0, acrescimo = 0;
};

// The customer's sales-band row of the product (zeros without one).
LinhaFaixaPreco linhaFaixaCliente(const QString& cliente, const QString& produto)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select first 1 pd.pdDesconto, pd.pdValor, pd.pdAcrescimo from Acec11pd pd"
                     " join Augc0301 cl on (cl.clFaixaVenda = pd.pdFaixaVenda) where cl.Codigo_Cliente = " +
                     QuotedStr(cliente) + " and pd.prCodigo = " + QuotedStr(produto));
    consulta->open();
    LinhaFaixaPreco linha;
    if (!consulta->isEmpty()) {
        linha.desconto = consulta->fieldByName("PDDESCONTO")->asFloat();
        linha.valor = consulta->fieldByName("PDVALOR")->asFloat();
        linha.acrescimo = consulta->fieldByName("PDACRESCIMO")->asFloat();
    }
    consulta->close();
    return linha;
}

}  // namespace

double QuantidadeLocalProduto(const QString& local, const QString& produto, double& entradas, double& saidas,
                              double& estoqueTotal)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select first 1 coalesce(po.POENTRADA, 0) as ENTRADAS, coalesce(po.POSAIDA, 0) as SAIDAS,"
                     " coalesce(pr.ESTOQUE, 0) as TOTAL from ACEC11PO po left outer join ACEC1101 pr"
                     " on (pr.CODIGO = po.PRCODIGO) where po.PRCODIGO = " +
                     QuotedStr(produto) + " and po.LECODIGO = " + QuotedStr(local));
    consulta->open();
    entradas = saidas = estoqueTotal = 0;
    if (!consulta->isEmpty()) {
        entradas = consulta->fieldByName("ENTRADAS")->asFloat();
        saidas = consulta->fieldByName("SAIDAS")->asFloat();
        estoqueTotal = consulta->fieldByName("TOTAL")->asFloat();
    }
    consulta->close();
    return entradas - saidas;
}

bool ProdutoEmPromocao(double precoPromocional, const QDateTime& fim, const QDateTime& inicio)
{
    const QDate hoje = QDate::currentDate();
    const bool comecou = !inicio.isValid() || inicio.date().year() < 1900 || inicio.date() <= hoje;
    const bool acabou = fim.isValid() && fim.date().year() >= 1900 && fim.date() < hoje;
    return precoPromocional > 0 && comecou && !acabou;
}

double RetornaValorProdutoEmPromocao(const QString& produto, double quantidadePromocao, double precoPromocional,
                                     const QDateTime& inicio)
{
    if (quantidadePromocao > 0) {
        QString condicao = "where CODIGO = " + QuotedStr(produto) + " and VEITPROMOCAO = 'S'";
        if (inicio.isValid())
            condicao += " and DATA_EMISSAO >= " + DateTimeIniToSQL(inicio);
        if (CarregaNumero("sum(QUANTIDADE)", "AVEC85IT", condicao) >= quantidadePromocao)
            return 0;
    }
    return Trunc2Casas(precoPromocional);
}

bool PVVerificaItemTabelaVencimento(const QString& tabela)
{
    return tabela.trimmed().isEmpty() || ContadorDados("CODIGO", "AFVT0101", tabela) > 0;
}

bool PVVerificaItemTabelaVencimentoDesconto(const QString& tabela)
{
    return tabela.trimmed().isEmpty() ||
           !(CarregaNumero("DESCONTO", "AFVT0101", "where CODIGO = " + QuotedStr(tabela)) > 0);
}

double DescontoCalculado(const QString& cliente, const QString&, const QString&, const QString&,
                         double descontoProduto, const QString&)
{
    if (descontoProduto > 0)
        return descontoProduto;
    if (cliente.trimmed().isEmpty())
        return 0;
    return CarregaNumero("CLDESCONTO", "AUGC0301", "where CODIGO_CLIENTE = " + QuotedStr(cliente));
}

double RetornarPrecoFaixaClienteDesconto(const QString& cliente, const QString& produto)
{
    const LinhaFaixaPreco linha = linhaFaixaCliente(cliente, produto);
    if (linha.valor > 0)
        return linha.valor;
    const double venda = CarregaNumero("PCO_VENDA", "ACEC1101", "where CODIGO = " + QuotedStr(produto));
    return Trunc2Casas(venda * (1 - linha.desconto / 100));
}

double PVValorMaximoFaixaCliente(const QString& cliente, const QString& produto, double cmvMoeda, double valorAtual,
                                 const QString& moeda, const QDateTime& data)
{
    double base = valorAtual;
    if (cmvMoeda > 0) {
        const double cotacao = moeda.trimmed().isEmpty() ? 1 : CotacaoMoedaZero(moeda, data);
        if (cotacao > 0)
            base = cmvMoeda * cotacao;
    }
    return base * (1 + linhaFaixaCliente(cliente, produto).acrescimo / 100);
}

bool PVVerificaItemFreteAcrescimo(double valor, double valorOriginal, const QString&, const QString&,
                                  const QString& transportadora, const QString& transportadoraRedespacho)
{
    const bool porTransportadora =
        !transportadora.trimmed().isEmpty() || !transportadoraRedespacho.trimmed().isEmpty();
    // This host keeps no freight surcharge table: the check only tells a
    // price below the kept one on an order shipped by a carrier.
    return porTransportadora && valorOriginal > 0 && valor < valorOriginal;
}

bool VerificaVendaEstoqueLocal(const QString& produto, const QString& local, double quantidade, const QString&)
{
    double entradas = 0, saidas = 0, total = 0;
    return QuantidadeLocalProduto(local, produto, entradas, saidas, total) >= quantidade;
}

double CotacaoMoedaZero(const QString& moeda, const QDateTime& data)
{
    const QDateTime dia = data.isValid() ? data : QDateTime::currentDateTime();
    return CarregaNumero("first 1 MOCOTACAO", "AUGC10MO",
                         "where MOCODIGO = " + QuotedStr(moeda.trimmed()) + " and MODATA <= " +
                             DateTimeFimToSQL(dia) + " order by MODATA desc");
}

bool PesquisaValorPorQuantidade(bool bDesconto, bool bMostrar, host::data::Dataset* linha, const QString& cliente)
{
    if (!linha)
        return false;
    const QString produto = linha->fieldByName("CODIGO")->asString();
    if (produto.trimmed().isEmpty())
        return false;
    if (!bMostrar)
        return ContadorDados("PRCODIGO", "ACEC11PD", produto) > 0;
    double preco = 0;
    QString faixa;
    int posicao = 0;
    if (!SelecionaProdutoFaixaPreco(produto, cliente, -1, preco, faixa, posicao))
        return false;
    if (!linha->editing())
        linha->edit();
    if (bDesconto) {
        const double venda = CarregaNumero("PCO_VENDA", "ACEC1101", "where CODIGO = " + QuotedStr(produto));
        if (venda > 0)
            linha->fieldByName("DESCONTO")->setAsFloat((1 - preco / venda) * 100);
    } else {
        linha->fieldByName("VALOR")->setAsFloat(preco);
    }
    return true;
}

QString LocalEstoqueTresDigitos(const QString& local)
{
    const QString aparado = local.trimmed();
    bool numero = false;
    const int codigo = aparado.toInt(&numero);
    if (!numero)
        return aparado;
    // Asked for every stock line moved: the digits put down by hand, not
    // through a formatted argument.
    if (codigo < 0)
        return QString("%1").arg(codigo, 3, 10, QChar('0'));
    if (codigo > 999)
        return QString::number(codigo);
    QString digitos(3, Qt::Uninitialized);
    QChar* at = digitos.data();
    at[0] = QChar(u'0' + codigo / 100);
    at[1] = QChar(u'0' + codigo / 10 % 10);
    at[2] = QChar(u'0' + codigo % 10);
    return digitos;
}
