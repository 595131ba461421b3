// TfmVendas::Estoque: the stock movement of a sales order's items.

#include "host/Uvendas.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <QSet>

namespace {

struct Movimento {
    QString produto, local;
    double quantidade = 0;
};

// What leaves, per product and location, of the items not moved yet (of
// one item only when its code is given).
QList<Movimento> itensPendentes(host::db::Transaction& tr, const QString& pedido, int item = 0)
{
    host::db::Statement itens(tr,
                              "select CODIGO, LECODIGO, sum(QUANTIDADE) as QUANTIDADE from AVEC85IT"
                              " where NUMERO_PEDIDO = :PEDIDO and coalesce(BAIXA, '') <> 'S'"
                              " and (:ITEM = 0 or COD = :ITEM) group by CODIGO, LECODIGO");
    itens.setParam("PEDIDO", pedido);
    itens.setParam("ITEM", item);
    itens.execute();
    QList<Movimento> movimentos;
    while (itens.fetch()) {
        const QString local = itens.value("LECODIGO").toString().trimmed();
        movimentos.append({itens.value("CODIGO").toString().trimmed(),
                           local,
                           itens.value("QUANTIDADE").toDouble()});
    }
    return movimentos;
}

void baixarPosicao(const Movimento& m)
{
    dmGlobal->SubtraiEstoque(m.produto, m.quantidade, m.local);
}

// Serial numbers whose current movement is the order's leave with it.
void baixarNumerosSerie(host::db::Transaction& tr, const QString& pedido)
{
    host::db::Statement atuais(tr,
                               "select ns.NSNUMERO, ns.PRCODIGO, ns.LECODIGO, ns.AOCODIGO from AUGC50NS ns"
                               " where ns.VECODIGO = :PEDIDO and coalesce(ns.NSSTATUS, '') <> 'V'"
                               " and ns.NSCODIGO = (select max(x.NSCODIGO) from AUGC50NS x"
                               " where x.PRCODIGO = ns.PRCODIGO and x.NSNUMERO = ns.NSNUMERO)");
    atuais.setParam("PEDIDO", pedido);
    atuais.execute();
    struct Serie {
        QString numero, produto, local, ordem;
    };
    QList<Serie> series;
    while (atuais.fetch())
        series.append({atuais.value("NSNUMERO").toString(), atuais.value("PRCODIGO").toString(),
                       atuais.value("LECODIGO").toString(), atuais.value("AOCODIGO").toString()});
    for (const Serie& s : series)
        InserirRegistroNumerosSerieProduto(QuotedStr(s.numero.trimmed()), s.produto, "V", pedido, {}, {}, s.ordem,
                                           {}, {}, s.local, "Pedido de Venda " + pedido, 0, 0, 0, 0, 0);
}

}  // namespace

int TfmVendas::Estoque(const QString& pedido, bool bBaixar, bool, bool bLiberarReserva, bool, bool, bool, bool,
                       bool, bool, bool)
{
    const QString numero = pedido.trimmed();
    if (!bBaixar || numero.isEmpty())
        return 0;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // A step that fails takes back the ones before it: stock moved without
    // its items marked would be moved again by the next run.
    host::db::Savepoint ponto(tr);
    const QList<Movimento> movimentos = itensPendentes(tr, numero);
    QSet<QString> produtos;
    for (const Movimento& m : movimentos) {
        baixarPosicao(m);
        produtos.insert(m.produto);
    }
    const int itens = host::db::executeSql(
        tr, "update AVEC85IT set BAIXA = 'S' where NUMERO_PEDIDO = :PEDIDO and coalesce(BAIXA, '') <> 'S'",
        {{"PEDIDO", numero}});
    host::db::executeSql(tr, "update AVEC8501 set BAIXA = 'S' where NUMERO_PEDIDO = :PEDIDO", {{"PEDIDO", numero}});
    baixarNumerosSerie(tr, numero);
    if (bLiberarReserva)
        for (const QString& produto : produtos)
            dmGlobal->Reservado(produto, true, {});
    ponto.release();
    return itens;
}

void TfmVendas::EstoqueItem(const QString& pedido, int item)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    for (const Movimento& m : itensPendentes(tr, pedido.trimmed(), item))
        baixarPosicao(m);
    host::db::executeSql(tr, "update AVEC85IT set BAIXA = 'S' where NUMERO_PEDIDO = :PEDIDO and COD = :ITEM",
                         {{"PEDIDO", pedido.trimmed()}, {"ITEM", item}});
}
