// Parts lines into sales orders and the stock: which lines go, at which
// quantity and price, what is marked, the serial numbers and locations, a
// withdrawal that is all or nothing, and releasing reservations.

#include "tests/tec/PecasFixture.h"

#include "host/PilvOut70.h"

namespace tectest {
namespace {

struct Linha {
    int sequencia;
    QString produto;
    double quantidade = 1;
    double unitario = 10;
    QString autorizado = "S";
    QString tipo = "3";
    QString reserva = "N";
    QString venda = {};
    double requerida = 0;
    QString local = {};
};

class BaixaOS : public PecasTest {
protected:
    void linha(const Linha& l)
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
                     " APVALTOTAL, APAUTORIZADO, APTIPO, APRESERVA, VECODIGO, APQUANTIDADEREQUERIDA, LECODIGO,"
                     " APOBSERVACAO, APDESCONTO, OFCODIGO) values (7, %1, 1, '%2', %3, %4, %5, '%6', '%7', '%8', %9,"
                     " %10, %11, 'Obs %1', 0, '5102')")
                 .arg(l.sequencia)
                 .arg(l.produto)
                 .arg(l.quantidade)
                 .arg(l.unitario)
                 .arg(l.quantidade * l.unitario)
                 .arg(l.autorizado, l.tipo, l.reserva)
                 .arg(l.venda.isEmpty() ? QString("null") : "'" + l.venda + "'")
                 .arg(l.requerida)
                 .arg(l.local.isEmpty() ? QString("null") : "'" + l.local + "'"));
    }
    QString pedidoNovo()
    {
        return dmGlobal->InserirPedidoVenda("00001", {}, {}, {}, {}, "5102", "S", {}, {}, "01", {}, 0, QDateTime(), {},
                                            {});
    }
    // The sales-order items: "product qty value seq" per item, in item order.
    QStringList itens(const QString& pedido)
    {
        host::db::Statement st(*dmGlobal->IBTransaction1,
                               "select CODIGO, QUANTIDADE, VALOR, APSEQUENCIA from AVEC85IT where NUMERO_PEDIDO = :P"
                               " order by COD");
        st.setParam("P", pedido);
        st.execute();
        QStringList out;
        while (st.fetch())
            out << QString("%1 %2 %3 %4")
                       .arg(st.value(0).toString().trimmed())
                       .arg(st.value(1).toDouble())
                       .arg(st.value(2).toDouble())
                       .arg(st.value(3).toInt());
        return out;
    }
    QString estadoLinha(int sequencia)
    {
        return one(QString("select coalesce(APRESERVA, '') || '/' || coalesce(VECODIGO, '') from AATC01AP"
                           " where AOCODIGO = 7 and APSEQUENCIA = %1")
                       .arg(sequencia))
            .toString();
    }
    double numero(const QString& sql) { return one(sql).toDouble(); }
    int pedidos() { return one("select count(*) from AVEC8501").toInt(); }
    void copiar(bool pendentes, const QString& pedido, bool todas = false)
    {
        abrir();
        dmTec->InserirPecaPedidoVenda(pendentes, pedido, false, todas);
    }
};

TEST_F(BaixaOS, AWithdrawalTakesTheQualifyingLinesIntoANewSalesOrderAndMovesTheStock)
{
    dmGlobal->SetParametro("ATLOCALPADRAO", "01");
    exec("update ACEC1101 set QTDE_PRODUCAO = 2 where CODIGO = 'P1'");
    linha({1, "P1", 2, 10, "S", "3", "S", {}, 0, "002"});
    linha({2, "P2", 3, 2.5, "N"});        // not authorised
    linha({3, "P2", 1, 2.5, "S", "1"});   // under warranty
    abrir();
    dmTec->BaixarEstoqueOrdemServico(7, false, true);

    const QString pedido = one("select VECODIGO from AATC01AO where AOCODIGO = 7").toString();
    ASSERT_FALSE(pedido.isEmpty());
    EXPECT_EQ(dmTec->quOSVECODIGO->asString(), pedido);
    EXPECT_EQ(one("select CODIGO_CLIENTE || '/' || OPERACAO || '/' || coalesce(VELOCAL, '') from AVEC8501 where NUMERO_PEDIDO = '" +
                  pedido + "'").toString(),
              "00001/5102/01");
    EXPECT_EQ(itens(pedido), QStringList{"P1 2 10 1"});
    EXPECT_EQ(one("select LECODIGO || '/' || AOCODIGO || '/' || OBS from AVEC85IT where NUMERO_PEDIDO = '" + pedido +
                  "'").toString(),
              "002/7/Obs 1");
    EXPECT_EQ(estadoLinha(1), "B/" + pedido);
    EXPECT_EQ(estadoLinha(2), "N/");
    EXPECT_EQ(estadoLinha(3), "N/");
    // Stock positions: the product, its line's location, the reservation released.
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 3);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '002'"), 2);
    EXPECT_DOUBLE_EQ(numero("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P1'"), 0);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P2'"), 100);

    // Refused a second time by a situation change: nothing new.
    dialogos->acknowledge("Ordem de Serviço já baixada!");
    EXPECT_THROW(dmTec->BaixarEstoqueOrdemServico(7, true, true), host::Abort);
    EXPECT_EQ(pedidos(), 1);
    // The stock button asks; "Não" ends quietly, "Sim" takes the pending lines.
    dialogos->answer("Não", "Ordem de Serviço já baixada! Tem certeza que deseja continuar e baixar apenas peças "
                            "pendentes?");
    EXPECT_THROW(dmTec->BaixarEstoqueOrdemServico(7, true, false), host::Abort);
    EXPECT_EQ(pedidos(), 1);
    dialogos->answer("Sim");
    dmTec->BaixarEstoqueOrdemServico(7, true, false);
    const QString segundo = one("select VECODIGO from AATC01AO where AOCODIGO = 7").toString();
    EXPECT_NE(segundo, pedido);
    EXPECT_EQ(itens(segundo), (QStringList{"P2 3 2.5 2", "P2 1 2.5 3"}));
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 3);   // not moved twice
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P2'"), 96);
}

TEST_F(BaixaOS, AnOrderWithoutPartsIsLeftAloneAndOneWithoutQualifyingLinesIsStillStamped)
{
    abrir();
    dmTec->BaixarEstoqueOrdemServico(7, false, true);
    EXPECT_EQ(pedidos(), 0);

    linha({1, "P1", 2, 10, "N"});
    dmTec->BaixarEstoqueOrdemServico(7, false, true);
    const QString pedido = one("select VECODIGO from AATC01AO where AOCODIGO = 7").toString();
    EXPECT_FALSE(pedido.isEmpty());
    EXPECT_TRUE(itens(pedido).isEmpty());
    EXPECT_EQ(one("select BAIXA from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").toString(), "S");
    EXPECT_EQ(estadoLinha(1), "N/");
}

TEST_F(BaixaOS, AFailureHalfWayLeavesTheDatabaseAsBefore)
{
    exec("create exception E_FALHA_TESTE 'falha injetada'");
    exec("create trigger T_FALHA_TESTE for AVEC85IT active before insert position 0 as begin"
         " if (new.CODIGO = 'P2') then exception E_FALHA_TESTE; end");
    exec("update ACEC1101 set QTDE_PRODUCAO = 2 where CODIGO = 'P1'");
    linha({1, "P1", 2, 10, "S", "3", "S", {}, 0, "002"});
    linha({2, "P2", 3});
    dmGlobal->SetParametro("ATRESERVAPECAS", "S");
    abrir();
    EXPECT_THROW(dmTec->BaixarEstoqueOrdemServico(7, false, true), host::db::DbError);

    dmGlobal->IBTransaction1->commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(pedidos(), 0);
    EXPECT_EQ(one("select count(*) from AVEC85IT").toInt(), 0);
    EXPECT_EQ(estadoLinha(1), "S/");
    EXPECT_EQ(one("select coalesce(VECODIGO, '') from AATC01AO where AOCODIGO = 7").toString(), "");
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 5);
    EXPECT_DOUBLE_EQ(numero("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P1'"), 2);
    EXPECT_EQ(one("select count(*) from ACEC11PO where PRCODIGO = 'P1'").toInt(), 0);
    // The datasets show it too.
    EXPECT_EQ(dmTec->quOSVECODIGO->asString(), "");
    dmTec->quOSPecas->first();
    EXPECT_EQ(dmTec->quOSPecasAPRESERVA->asString(), "S");
    EXPECT_EQ(dmTec->quOSPecasVECODIGO->asString(), "");
}

TEST_F(BaixaOS, PendingOnlyAndAllLinesCopies)
{
    const QString pedido = pedidoNovo();
    linha({1, "P1", 2, 10, "S", "3", "B", "000900"});
    linha({2, "P2", 4, 2.5, "S", "3", "B", "000900"});
    copiar(true, pedido);
    EXPECT_TRUE(itens(pedido).isEmpty());
    EXPECT_EQ(estadoLinha(1), "B/000900");

    // All lines: the lines already in a sales order go again, with the three columns.
    copiar(false, pedido);
    EXPECT_EQ(itens(pedido), (QStringList{"P1 2 10 1", "P2 4 2.5 2"}));
    EXPECT_EQ(one("select GRCODIGO from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "' and APSEQUENCIA = 1").toString(),
              "G1");
    EXPECT_EQ(estadoLinha(1), "B/" + pedido);
}

TEST_F(BaixaOS, CostPricedOrdersGoAtCostPlusTheMargin)
{
    exec("update ACEC1101 set PCO_CUSTO = 50 where CODIGO = 'P1'");
    exec("update AATC01AO set AOTIPOOS = 'C', FOCODIGOVENDEDOR = 'V01' where AOCODIGO = 7");
    dmGlobal->SetParametro("ATCUSTOTIPOOS", "S");
    dmGlobal->SetParametro("ATTIPOOSCUSTO", "C");
    dmGlobal->SetParametro("ATVALORKM", "20");
    dmGlobal->SetParametro("ATQUANTIDADEREQUERIDA", "S");
    dmGlobal->SetParametro("ATMODOEMPRESA", "V");
    linha({1, "P1", 2, 10, "S", "3", "S", {}, 3});
    const QString pedido = pedidoNovo();
    copiar(false, pedido);
    // Quantity, not the requested one; the line keeps its state in an all-lines copy.
    EXPECT_EQ(itens(pedido), QStringList{"P1 2 60 1"});
    EXPECT_EQ(one("select FOCODIGOVENDEDOR || '/' || GRCODIGO from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "V01/G1");
    EXPECT_EQ(estadoLinha(1), "S/");
    copiar(true, pedido);
    EXPECT_EQ(estadoLinha(1), "B/" + pedido);

    dmGlobal->SetParametro("ATVALORKM", "0");
    const QString outro = pedidoNovo();
    copiar(false, outro);
    EXPECT_EQ(itens(outro), QStringList{"P1 3 10 1"});   // no margin: the line's value (and the requested quantity)
}

TEST_F(BaixaOS, TheRequestedQuantity)
{
    linha({1, "P1", 2, 10, "S", "3", "N", {}, 5});
    linha({2, "P2", 4, 2.5, "S", "3", "N", {}, 0});
    dmGlobal->SetParametro("ATQUANTIDADEREQUERIDA", "S");
    dmGlobal->SetParametro("ATMODOEMPRESA", "V");
    QString pedido = pedidoNovo();
    copiar(true, pedido);   // no question in mode "V"
    EXPECT_EQ(itens(pedido), QStringList{"P1 5 10 1"});
    EXPECT_EQ(estadoLinha(2), "N/");   // requested 0: skipped, not marked

    // Without the requested quantity in force, the quantity, even in mode "V".
    exec("update AATC01AP set VECODIGO = null, APRESERVA = 'N'");
    dmGlobal->SetParametro("ATQUANTIDADEREQUERIDA", "N");
    pedido = pedidoNovo();
    copiar(true, pedido);
    EXPECT_EQ(itens(pedido), (QStringList{"P1 2 10 1", "P2 4 2.5 2"}));

    // Other modes ask.
    exec("update AATC01AP set VECODIGO = null, APRESERVA = 'N'");
    dmGlobal->SetParametro("ATQUANTIDADEREQUERIDA", "S");
    dmGlobal->SetParametro("ATMODOEMPRESA", "");
    dialogos->answer("Requerida", "Deseja inserir a Quantidade ou Quantidade Requerida das Peças?");
    pedido = pedidoNovo();
    copiar(true, pedido);
    EXPECT_EQ(itens(pedido), QStringList{"P1 5 10 1"});
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(BaixaOS, SerialNumbersFollowTheMode)
{
    auto serie = [&](const QString& numero, const QString& produto) {
        InserirRegistroNumerosSerieProduto(numero, produto, "D", {}, {}, {}, "7", {}, {}, "001", "OS", 0, 0, 0, 0, 0);
    };
    serie("S1", "P1");
    serie("S2", "P2");
    linha({1, "P1", 1});
    auto ligados = [&](const QString& pedido) {
        return one("select count(*) from AUGC50NS where VECODIGO = '" + pedido + "'").toInt();
    };
    dmGlobal->SetParametro("ATMODONUMEROSERIE", "O");
    QString pedido = pedidoNovo();
    copiar(true, pedido);
    EXPECT_EQ(ligados(pedido), 1);   // only the line's product

    exec("update AATC01AP set VECODIGO = null, APRESERVA = 'N'");
    dmGlobal->SetParametro("ATMODONUMEROSERIE", "S");
    pedido = pedidoNovo();
    copiar(true, pedido);
    EXPECT_EQ(ligados(pedido), 2);   // every movement of the order

    exec("update AATC01AP set VECODIGO = null, APRESERVA = 'N'");
    dmGlobal->SetParametro("ATMODONUMEROSERIE", "N");
    pedido = pedidoNovo();
    copiar(true, pedido);
    EXPECT_EQ(ligados(pedido), 0);
}

TEST_F(BaixaOS, ReleasingReservationsChangesOnlyReservedLines)
{
    dmGlobal->SetParametro("ATRESERVAPECAS", "S");
    linha({1, "P1", 2, 10, "S", "3", "S"});
    linha({2, "P1", 1, 10, "S", "3", "B", "000900"});
    linha({3, "P1", 1, 10, "S", "3", "N"});
    exec("update ACEC1101 set QTDE_PRODUCAO = 2 where CODIGO = 'P1'");
    abrir();
    dmTec->RetirarReservaOrdemServido(7);
    EXPECT_EQ(estadoLinha(1), "N/");
    EXPECT_EQ(estadoLinha(2), "B/000900");
    EXPECT_EQ(estadoLinha(3), "N/");
    EXPECT_DOUBLE_EQ(numero("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P1'"), 0);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 5);
    // The handlers taken off are back.
    EXPECT_TRUE(bool(dmTec->quOSPecas->beforePost));
    EXPECT_TRUE(bool(dmTec->quOSPecasAPRESERVA->onSetText));
}

}  // namespace
}  // namespace tectest
