// TdmGlobal: sales orders and the fiscal-operation rule.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unumeracao.h"
#include "host/Uvendas.h"

QString TdmGlobal::RetornaOperacaoRegraFiscal(const QString&, const QString& cliente, const QString& operacao,
                                              const QString& produto, QString& mensagem, bool,
                                              const QString&, int)
{
    mensagem.clear();
    const QString state = CarregaDado("ESTADO", "AUGC0301", "where CODIGO_CLIENTE = " + QuotedStr(cliente.trimmed()));
    // The most specific rule wins: customer and state before state alone before any.
    const QString rule = CarregaDado(
        "first 1 OFCODIGO", "AFVC09OU",
        "where PRCODIGO = " + QuotedStr(produto.trimmed()) +
            " and (coalesce(CLCODIGO, '') = '' or CLCODIGO = " + QuotedStr(cliente.trimmed()) + ")" +
            " and (coalesce(OUUF, '') = '' or OUUF = " + QuotedStr(state.trimmed()) + ")" +
            " order by CLCODIGO desc nulls last, OUUF desc nulls last");
    if (!rule.trimmed().isEmpty())
        return rule.trimmed();
    mensagem = "Regra fiscal não encontrada para o produto " + produto.trimmed() + ".";
    return operacao;
}

QString TdmGlobal::InserirPedidoVenda(const QString& cliente, const QString& vendedor,
                                      const QString& transportadora, const QString& tabelaVencimento,
                                      const QString& representante, const QString& operacao, const QString&,
                                      const QString& observacao, const QString& contato, const QString& filial,
                                      const QString& pedidoCliente, int condicaoTributaria, const QDateTime& data,
                                      const QString&, const QString& aux2)
{
    const QString number = ProximoNumeroVendas(filial);
    const QDateTime emission = data.isValid() && data.date().year() > 1900
                                   ? data
                                   : hoje();
    bool contactOk = false;
    const int contact = contato.trimmed().toInt(&contactOk);
    host::db::executeSql(
        *IBTransaction1,
        "insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, CODIGO_VENDEDOR, CODIG_TRANSPORTADORA,"
        " TABELA_VENCIMENTO, COD_REPRES, OPERACAO, VEOBSERVACAOOC, ANCODIGOCONTATO, VELOCAL, VEPEDIDOCLIENTE,"
        " ORCTCODIGO, DATA_EMISSAO, AUX2, OPERADOR, IMPRESSO_NF, VALOR_TOTAL, UGMODIFICADO) values (:NUMERO,"
        " :CLIENTE, :VENDEDOR, :TRANSPORTADORA, :TABELA, :REPRESENTANTE, :OPERACAO, :OBSERVACAO, :CONTATO,"
        " :LOCAL, :PEDIDOCLIENTE, :ORCTCODIGO, :EMISSAO, :AUX2, :OPERADOR, 'N', 0, :AGORA)",
        {{"NUMERO", number},
         {"CLIENTE", aparadoOuNulo(cliente)},
         {"VENDEDOR", aparadoOuNulo(vendedor)},
         {"TRANSPORTADORA", aparadoOuNulo(transportadora)},
         {"TABELA", aparadoOuNulo(tabelaVencimento)},
         {"REPRESENTANTE", aparadoOuNulo(representante)},
         {"OPERACAO", aparadoOuNulo(operacao)},
         {"OBSERVACAO", aparadoOuNulo(observacao.left(200))},
         {"CONTATO", contactOk ? QVariant(contact) : QVariant()},
         {"LOCAL", aparadoOuNulo(CodigoFilialCurto(filial))},
         {"PEDIDOCLIENTE", aparadoOuNulo(pedidoCliente)},
         {"ORCTCODIGO", condicaoTributaria},
         {"EMISSAO", emission},
         {"AUX2", aparadoOuNulo(aux2)},
         {"OPERADOR", IbUserName().left(20)},
         {"AGORA", QDateTime::currentDateTime()}});
    return number;
}

int TdmGlobal::InserirPedidoVendaItem(const QString& produto, const QString& pedido, double quantidade,
                                      double desconto, bool bReserva, bool bBaixaEstoque, double valorUnitario,
                                      double, double, const QString& observacao, int aoCodigo, const QString& local,
                                      bool bAtualizaTotal, const QString& operacao, const QString& colunasExtras,
                                      const QString& valoresExtras)
{
    const double total = quantidade * valorUnitario * (1.0 - desconto / 100.0);
    const QString location = !local.trimmed().isEmpty()              ? local.trimmed()
                             : sLocalEstoqueAtual.trimmed().isEmpty() ? Parametro("ATLOCALPADRAO").trimmed()
                                                                      : sLocalEstoqueAtual.trimmed();
    const QString extraColumns = colunasExtras.trimmed();
    const QString extraValues = valoresExtras.trimmed();
    auto withComma = [](const QString& text) {
        return text.isEmpty() || text.startsWith(',') ? text : ", " + text;
    };
    // The line takes the order's next number in the insert itself.
    const int cod =
        host::db::selectValue(
            *IBTransaction1,
            "insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, DESCONTO, VALOR, TOTAL_UNIT, OBS,"
            " AOCODIGO, LECODIGO, VEITCFOP, DATA_EMISSAO, UGINSERIDO" +
                withComma(extraColumns) +
                ") values ((select coalesce(max(It.COD), 0) + 1 from AVEC85IT It where It.NUMERO_PEDIDO ="
                " cast(:PEDIDO as varchar(20))), :PRODUTO, :PEDIDO, :QUANTIDADE, :DESCONTO, :VALOR, :TOTAL,"
                " :OBS, :AOCODIGO, :LOCAL, :OPERACAO, :HOJE, :AGORA" +
                withComma(extraValues) + ") returning COD",
            {{"PRODUTO", produto.trimmed()},
             {"PEDIDO", pedido.trimmed()},
             {"QUANTIDADE", quantidade},
             {"DESCONTO", desconto},
             {"VALOR", valorUnitario},
             {"TOTAL", total},
             {"OBS", aparadoOuNulo(observacao.left(25))},
             {"AOCODIGO", aoCodigo > 0 ? QVariant(aoCodigo) : QVariant()},
             {"LOCAL", aparadoOuNulo(location)},
             {"OPERACAO", aparadoOuNulo(operacao)},
             {"HOJE", hoje()},
             {"AGORA", QDateTime::currentDateTime()}})
            .toInt();
    const QString productKey = "where CODIGO = " + QuotedStr(produto.trimmed());
    if (bReserva)
        UpdateCampo("ACEC1101", "QTDE_PRODUCAO", "coalesce(QTDE_PRODUCAO, 0) + " + ValueToSQL(quantidade), productKey);
    // Marked as moved, or the order's stock move would take it out again.
    if (bBaixaEstoque)
        TfmVendas::EstoqueItem(pedido, cod);
    // A batch adds lines to hundreds of orders: the set answers at once
    // where the list would be read whole for every line.
    if (!bAtualizaTotal && !pedidosSemTotalVistos_.contains(pedido.trimmed())) {
        pedidosSemTotalVistos_.insert(pedido.trimmed());
        pedidosSemTotal_ << pedido.trimmed();
    }
    if (bAtualizaTotal)
        GravarTotalPedidoVenda(pedido);
    return cod;
}

int TdmGlobal::InseriProdutoPendencia(const QString& produto, const QString& pedido, double quantidade,
                                      double desconto, bool bReserva, bool bBaixaEstoque, double valorUnitario,
                                      double valorAux1, double valorAux2, const QString& observacao,
                                      int codigoOrigem, const QString& local, bool bAtualizaTotal,
                                      const QString& operacao, const QString& vendedor, const QString& unidade,
                                      const QString& numeroSerie, const QString& informacao,
                                      const QString& pedidoOrigem, int sequenciaOrigem)
{
    QStringList colunas{"VEITENTREGA"};
    QStringList valores{"'F'"};
    const std::pair<const char*, QString> textos[] = {{"FOCODIGOVENDEDOR", vendedor.left(5)},
                                                      {"VEITUNIDADE", unidade.left(2)},
                                                      {"VEITNUMEROSERIE", numeroSerie.left(30)},
                                                      {"VEITINFORMACAO", informacao.left(100)},
                                                      {"VEPEDIDOORIGEM", pedidoOrigem.left(20)}};
    for (const auto& [coluna, valor] : textos)
        if (!valor.trimmed().isEmpty()) {
            colunas << coluna;
            valores << QuotedStr(valor.trimmed());
        }
    if (sequenciaOrigem > 0) {
        colunas << "VEITSEQUENCIAITEMORIGEM";
        valores << QString::number(sequenciaOrigem);
    }
    return InserirPedidoVendaItem(produto, pedido, quantidade, desconto, bReserva, bBaixaEstoque, valorUnitario,
                                  valorAux1, valorAux2, observacao, codigoOrigem, local, bAtualizaTotal, operacao,
                                  colunas.join(", "), valores.join(", "));
}

// Order numbers are one sequence over every branch: the counter of the
// orders, caught up with the largest numeric order stored when needed.
QString TdmGlobal::ProximoNumeroVendas(const QString&, const QString&, const QString&)
{
    host::db::Transaction& tr = *IBTransaction1;
    const host::NumerosGravados gravados{
        [this] {
            return qint64(CarregaNumero("max(cast(NUMERO_PEDIDO as double precision))", "AVEC8501",
                                        "where NUMERO_PEDIDO similar to '[0-9]+'"));
        },
        {},
        "exists (select 1 from AVEC8501 where NUMERO_PEDIDO = :NUMERO)"};
    const qint64 numero = host::ProximoNumeroSerie(tr, {"AVEC8501", {}, {}}, gravados);
    return QString::number(numero).rightJustified(6, '0');
}

void TdmGlobal::CRVerificaOperacaoSubtracao(const QString&, const QString&, const QString&, const QString&,
                                            const QString& operacao, double& valor)
{
    if (operacao.trimmed().isEmpty())
        return;
    const std::shared_ptr<host::db::Statement> st =
        IBTransaction1->prepared("select OFCALCISSQN, OFISSQN from AFVC0901 where COD_OP = :OPERACAO");
    st->setParam("OPERACAO", operacao.trimmed());
    st->execute();
    if (!st->fetch()) return;
    if (st->value(0).toString().trimmed() == "S" && st->value(1).toDouble() > 0)
        valor -= Trunc2Casas(valor * st->value(1).toDouble() / 100.0);
}
