// TdmGlobal: the sales-order record other packages edit, its totals, prices
// and merged lines, the lines' additional texts, and the most used operation
// of a type.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

namespace {

// The record's own columns, written back by its update object; the order's
// key stays.
const QStringList& colunasRegistroPedido()
{
    static const QStringList colunas = {
        "CODIGO_CLIENTE", "CODIGO_VENDEDOR", "OPERACAO", "TABELA_VENCIMENTO", "DATA_EMISSAO", "DATA_ENTREGA",
        "VELOCAL", "FRETE", "IMPRESSO_NF", "AOCODIGO", "ACCODIGO", "CODIGO_ENTREGA", "VEOBSERVACAOPAGAMENTO",
        "VEREFERENTE", "ORCTCODIGO", "VEVALORDESPESAVIAGEM", "VEVALORDESPESA", "DESCONTO_GERAL", "COD_REPRES",
        "CODIGO_REPRESENTACAO", "VALOR_TOTAL", "VEVALORTOTALBRUTOITEM", "VEVALORTOTALDESCONTO"};
    return colunas;
}

// The record as loaded and refreshed: the columns and the discount limit,
// none until a caller sets one. The customer's CLDESCONTO is a percentage its
// lines take, no amount that could cap the order's general discount.
const char* const kSqlRegistroPedido =
    "select Ped.*, cast(null as double precision) as LIMITE_DESCONTO from AVEC8501 Ped"
    " where Ped.NUMERO_PEDIDO = :NUMERO_PEDIDO";

}  // namespace

host::data::Query* TdmGlobal::RegistroPedidoVenda()
{
    if (!quPedidoVenda) {
        const QStringList& colunas = colunasRegistroPedido();
        QStringList atribuicoes;
        for (const QString& coluna : colunas)
            atribuicoes << coluna + " = :" + coluna;
        quPedidoVenda = adopt(std::make_unique<host::data::Query>(nullptr, "quPedidoVenda"));
        quPedidoVenda->setTransaction(IBTransaction1.get());
        auto* update = adopt(std::make_unique<host::data::UpdateSql>(nullptr, "usPedidoVenda"));
        update->setModifySql("update AVEC8501 set " + atribuicoes.join(", ") +
                             " where NUMERO_PEDIDO = :OLD_NUMERO_PEDIDO");
        update->setInsertSql("insert into AVEC8501 (NUMERO_PEDIDO, " + colunas.join(", ") + ") values (:NUMERO_PEDIDO, :" +
                             colunas.join(", :") + ")");
        update->setDeleteSql("delete from AVEC8501 where NUMERO_PEDIDO = :OLD_NUMERO_PEDIDO");
        update->setRefreshSql(kSqlRegistroPedido);
        quPedidoVenda->setUpdateObject(update);
        quPedidoVenda->setSql(kSqlRegistroPedido);
        // Amounts read as the host's formats write them ("1.234,50").
        quPedidoVenda->onFieldsCreated = [](host::data::Dataset& registro) {
            SetaFormatoValor(registro, {"VEVALORDESPESAVIAGEM", "VEVALORDESPESA", "DESCONTO_GERAL", "VALOR_TOTAL",
                                        "VEVALORTOTALBRUTOITEM", "VEVALORTOTALDESCONTO"});
        };
        // The limit the caller set holds for the order edited; a negative
        // one is none.
        quPedidoVenda->afterEdit = [](host::data::Dataset& registro) {
            host::data::Field* limite = registro.fieldByName("LIMITE_DESCONTO");
            if (rLimitePedido >= 0)
                limite->setAsFloat(rLimitePedido);
            else
                limite->clear();
        };
    }
    return quPedidoVenda;
}

void TdmGlobal::CarregaPedidoVenda(const QString& pedido)
{
    RegistroPedidoVenda();
    quPedidoVenda->close();
    quPedidoVenda->paramByName("NUMERO_PEDIDO")->setAsString(pedido);
    quPedidoVenda->open();
}

void TdmGlobal::PedidoVendaAtualizarTotalizador()
{
    host::data::Query& registro = *quPedidoVenda;
    const std::shared_ptr<host::db::Statement> st = IBTransaction1->prepared(
        "select count(*), coalesce(sum(QUANTIDADE * VALOR), 0), coalesce(sum(TOTAL_UNIT), 0)"
        " from AVEC85IT where NUMERO_PEDIDO = :PEDIDO");
    st->setParam("PEDIDO", registro.fieldByName("NUMERO_PEDIDO")->asString().trimmed());
    st->execute();
    st->fetch();
    const int linhas = st->value(0).toInt();
    const double bruto = st->value(1).toDouble();
    const double liquido = st->value(2).toDouble();
    st->closeCursor();
    if (linhas == 0)
        return;
    if (!registro.editing())
        registro.edit();
    const double geral = registro.fieldByName("DESCONTO_GERAL")->asFloat();
    const double despesas = registro.fieldByName("VEVALORDESPESAVIAGEM")->asFloat() +
                            registro.fieldByName("VEVALORDESPESA")->asFloat();
    // Stored to the cent, rounded as the receivable made of the order is: a
    // line of 10 % off 1.234,56 would otherwise leave 2.402,008 behind.
    registro.fieldByName("VEVALORTOTALBRUTOITEM")->setAsFloat(Arredonda2Monetario(bruto));
    registro.fieldByName("VEVALORTOTALDESCONTO")->setAsFloat(Arredonda2Monetario(bruto - liquido + geral));
    registro.fieldByName("VALOR_TOTAL")->setAsFloat(Arredonda2Monetario(liquido + despesas - geral));
}

QString TdmGlobal::SqlTotalPedidoVenda(const QString& pedido)
{
    // To the cent, half away from zero, as the receivable rounds.
    return "round((select coalesce(sum(It.TOTAL_UNIT), 0) from AVEC85IT It where It.NUMERO_PEDIDO = " + pedido +
           ".NUMERO_PEDIDO) + coalesce(" + pedido + ".VEVALORDESPESAVIAGEM, 0) + coalesce(" + pedido +
           ".VEVALORDESPESA, 0) - coalesce(" + pedido + ".DESCONTO_GERAL, 0), 2)";
}

void TdmGlobal::GravarTotalPedidoVenda(const QString& pedido)
{
    host::db::executeSql(*IBTransaction1,
                         "update AVEC8501 Ped set Ped.VALOR_TOTAL = " + SqlTotalPedidoVenda("Ped") +
                             " where Ped.NUMERO_PEDIDO = :PEDIDO",
                         {{"PEDIDO", pedido.trimmed()}});
}

void TdmGlobal::AtualizaVendaItemPrecoTabelaVencimento(const QString& pedido, const QString& tabela)
{
    const double desconto =
        CarregaNumero("DESCONTO", "AFVT0101", "where CODIGO = " + QuotedStr(tabela.trimmed()));
    if (desconto <= 0)
        return;
    host::db::executeSql(*IBTransaction1,
                         "update AVEC85IT set DESCONTO = :DESCONTO,"
                         " TOTAL_UNIT = QUANTIDADE * VALOR * (1 - cast(:DESCONTO as double precision) / 100)"
                         " where NUMERO_PEDIDO = :PEDIDO",
                         {{"DESCONTO", desconto}, {"PEDIDO", pedido.trimmed()}});
    // The record on screen totals the lines as they are now, whenever its
    // caller totalled it.
    if (quPedidoVenda && quPedidoVenda->active() && !quPedidoVenda->isEmpty() &&
        quPedidoVenda->fieldByName("NUMERO_PEDIDO")->asString().trimmed() == pedido.trimmed())
        PedidoVendaAtualizarTotalizador();
}

int TdmGlobal::SomarPedidoItensCoincidentes(const QString& pedido)
{
    host::db::Transaction& tr = *IBTransaction1;
    // Each line that has an earlier twin: the twin with the lowest COD takes it.
    const QString twin =
        "from AVEC85IT a where a.NUMERO_PEDIDO = It.NUMERO_PEDIDO and a.COD < It.COD and a.CODIGO = It.CODIGO"
        " and a.VALOR = It.VALOR and coalesce(a.DESCONTO, 0) = coalesce(It.DESCONTO, 0)"
        " and coalesce(a.VEITCFOP, '') = coalesce(It.VEITCFOP, '') and coalesce(a.LECODIGO, '') ="
        " coalesce(It.LECODIGO, '') and coalesce(a.VEITENTREGA, '') = ''"
        " and not exists (select 1 from AUGC70OB Ob where Ob.OBCODIGO = a.NUMERO_PEDIDO and Ob.OBID = 'V'"
        " and Ob.OBSEQUENCIA = a.COD)";
    const QString mergeable =
        "It.NUMERO_PEDIDO = :PEDIDO and coalesce(It.VEITENTREGA, '') = ''"
        " and not exists (select 1 from AUGC70OB Ob where Ob.OBCODIGO = It.NUMERO_PEDIDO and Ob.OBID = 'V'"
        " and Ob.OBSEQUENCIA = It.COD)";
    QList<QPair<int, int>> pares;   // (line merged away, line that takes it)
    {
        const std::shared_ptr<host::db::Statement> st = tr.prepared(
            "select It.COD, (select min(a.COD) " + twin + ") from AVEC85IT It where " + mergeable +
            " and exists (select 1 " + twin + ") order by It.COD");
        st->setParam("PEDIDO", pedido.trimmed());
        st->execute();
        while (st->fetch())
            pares.append({st->value(0).toInt(), st->value(1).toInt()});
        st->closeCursor();
    }
    for (const auto& [linha, destino] : pares) {
        const QVariantMap chave{{"PEDIDO", pedido.trimmed()}, {"LINHA", linha}};
        QVariantMap soma = chave;
        soma.insert("DESTINO", destino);
        host::db::executeSql(tr,
                             "update AVEC85IT d set d.QUANTIDADE = d.QUANTIDADE + (select o.QUANTIDADE from AVEC85IT o"
                             " where o.NUMERO_PEDIDO = :PEDIDO and o.COD = :LINHA), d.TOTAL_UNIT = d.TOTAL_UNIT +"
                             " (select o.TOTAL_UNIT from AVEC85IT o where o.NUMERO_PEDIDO = :PEDIDO and o.COD = :LINHA)"
                             " where d.NUMERO_PEDIDO = :PEDIDO and d.COD = :DESTINO",
                             soma);
        host::db::executeSql(tr, "delete from AVEC85IT where NUMERO_PEDIDO = :PEDIDO and COD = :LINHA", chave);
    }
    return int(pares.size());
}

void TdmGlobal::PVLacoGravacaoItem()
{
    const QStringList pedidos = std::exchange(pedidosSemTotal_, {});
    pedidosSemTotalVistos_.clear();
    for (const QString& pedido : pedidos)
        GravarTotalPedidoVenda(pedido);
    IBTransaction1->commitRetaining();
}

void TdmGlobal::EnviaPedidoFilaAbreNota(const QString& pedido)
{
    if (host::db::executeSql(*IBTransaction1, "update AVEC8501 set VEFILANF = 'S' where NUMERO_PEDIDO = :PEDIDO",
                             {{"PEDIDO", pedido.trimmed()}}) == 0)
        MostraErro("Pedido de venda " + pedido.trimmed() + " não encontrado.");
}

void TdmGlobal::InserirObservacaoAdicionalTabela(const QString& pedido, const QString& linha, const QString& id,
                                                 const QString& texto)
{
    if (texto.trimmed().isEmpty())
        return;
    host::db::executeSql(*IBTransaction1,
                         "update or insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                         " values (:CODIGO, :ID, :SEQUENCIA, :TEXTO) matching (OBCODIGO, OBID, OBSEQUENCIA)",
                         {{"CODIGO", pedido.trimmed()},
                          {"ID", id.trimmed()},
                          {"SEQUENCIA", linha.trimmed().toInt()},
                          {"TEXTO", texto}});
}

QString TdmGlobal::RetornaOperacaoMaisUsada(const QString& tipo)
{
    return host::db::selectValue(*IBTransaction1,
                                 "select first 1 op.COD_OP from AFVC0901 op"
                                 " left outer join AVEC8501 ped on (ped.OPERACAO = op.COD_OP)"
                                 " where op.TIPO_OP = :TIPO group by op.COD_OP"
                                 " order by count(ped.NUMERO_PEDIDO) desc, op.COD_OP",
                                 {{"TIPO", tipo}})
        .toString()
        .trimmed();
}
