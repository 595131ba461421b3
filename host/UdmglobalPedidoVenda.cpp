// TdmGlobal: the sales-order record other packages edit, and the most used
// operation of a type.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

void TdmGlobal::CarregaPedidoVenda(const QString& pedido)
{
    if (!quPedidoVenda) {
        // The header columns a package may change; the order's key stays.
        static const QStringList colunas = {
            "CODIGO_CLIENTE", "CODIGO_VENDEDOR", "OPERACAO", "TABELA_VENCIMENTO", "DATA_EMISSAO", "DATA_ENTREGA",
            "VELOCAL", "FRETE", "IMPRESSO_NF", "AOCODIGO", "ACCODIGO", "CODIGO_ENTREGA", "VEOBSERVACAOPAGAMENTO",
            "VEREFERENTE"};
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
        update->setRefreshSql("select * from AVEC8501 where NUMERO_PEDIDO = :NUMERO_PEDIDO");
        quPedidoVenda->setUpdateObject(update);
        quPedidoVenda->setSql("select * from AVEC8501 where NUMERO_PEDIDO = :NUMERO_PEDIDO");
    }
    quPedidoVenda->close();
    quPedidoVenda->paramByName("NUMERO_PEDIDO")->setAsString(pedido);
    quPedidoVenda->open();
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
