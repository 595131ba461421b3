// The stock movement of a sales order (TfmVendas::Estoque) and the sales-order
// routines it works over.

#include "host/PilvOut70.h"
#include "host/Uvendas.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

namespace {

class VendasEstoque : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        dmGlobal->sLocalEstoqueAtual = "001";
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, QTDE_PRODUCAO) values ('P1', 'Peça', 10, 4)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, QTDE_PRODUCAO) values ('P2', 'Cabo', 50, 0)");
        exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('P1', '001', 10, 0)");
        pedido = dmGlobal->InserirPedidoVenda("00001", {}, {}, {}, {}, "5102", "S", {}, {}, "001", {}, 0,
                                              QDateTime(), {}, {});
        dmGlobal->InserirPedidoVendaItem("P1", pedido, 3, 0, false, false, 10, 0, 0, {}, 7, {}, true, {}, {}, {});
        dmGlobal->InserirPedidoVendaItem("P2", pedido, 5, 0, false, false, 2, 0, 0, {}, 7, "002", true, {}, {}, {});
    }
    double numero(const QString& sql) { return one(sql).toDouble(); }
    int estoque() { return TfmVendas::Estoque(pedido, true, false, true, false, false, false, false, false, false, false); }
    QString pedido;
};

TEST_F(VendasEstoque, ItemsLeaveTheProductAndTheirLocationOnce)
{
    EXPECT_EQ(estoque(), 2);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 7);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P2'"), 45);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 3);
    // A location without a position gets one.
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P2' and LECODIGO = '002'"), 5);
    EXPECT_EQ(one("select count(*) from AVEC85IT where NUMERO_PEDIDO = :P and BAIXA = 'S'", {{"P", pedido}}).toInt(), 2);
    EXPECT_EQ(one("select BAIXA from AVEC8501 where NUMERO_PEDIDO = :P", {{"P", pedido}}).toString(), "S");

    // A second run, and a run after a new item, move only what has not moved.
    EXPECT_EQ(estoque(), 0);
    dmGlobal->InserirPedidoVendaItem("P1", pedido, 1, 0, false, false, 10, 0, 0, {}, 7, {}, true, {}, {}, {});
    EXPECT_EQ(estoque(), 1);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 6);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 4);
}

TEST_F(VendasEstoque, ReservationsAreRecomputedAndWithoutTheMoveNothingChanges)
{
    EXPECT_EQ(TfmVendas::Estoque(pedido, false, false, true, false, false, false, false, false, false, false), 0);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 10);
    EXPECT_DOUBLE_EQ(numero("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P1'"), 4);
    // No parts line of a service order holds P1 reserved any more.
    estoque();
    EXPECT_DOUBLE_EQ(numero("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P1'"), 0);
}

TEST_F(VendasEstoque, SerialNumbersOfTheOrderLeaveWithIt)
{
    InserirRegistroNumerosSerieProduto("'S1','S2'", "P1", "D", pedido, {}, {}, "7", {}, {}, "001", "Entrada", 0, 0, 0,
                                       0, 0);
    InserirRegistroNumerosSerieProduto("'S3'", "P1", "D", {}, {}, {}, {}, {}, {}, "001", "Entrada", 0, 0, 0, 0, 0);
    estoque();
    EXPECT_EQ(one("select count(*) from AUGC50NS where NSSTATUS = 'V' and VECODIGO = :P and AOCODIGO = 7",
                  {{"P", pedido}})
                  .toInt(),
              2);
    EXPECT_EQ(one("select count(*) from AUGC50NS where NSNUMERO = 'S3'").toInt(), 1);
    estoque();   // already out: no second exit
    EXPECT_EQ(one("select count(*) from AUGC50NS where NSSTATUS = 'V'").toInt(), 2);
}

// A line written already moved leaves the stock once: the order's move
// passes it by.
TEST_F(VendasEstoque, ALineWrittenMovedIsNotMovedAgainWithTheOrder)
{
    dmGlobal->InserirPedidoVendaItem("P1", pedido, 2, 0, false, true, 10, 0, 0, {}, 7, {}, true, {}, {}, {});
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 8);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 2);
    EXPECT_EQ(estoque(), 2);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 5);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 5);
}

// A step that fails half way (here the serial numbers) leaves the stock,
// the positions and the items as they were: nothing moved is kept.
TEST_F(VendasEstoque, AFailedMoveKeepsNothingOfIt)
{
    InserirRegistroNumerosSerieProduto("'S1'", "P1", "D", pedido, {}, {}, "7", {}, {}, "001", "Entrada", 0, 0, 0, 0, 0);
    exec("create exception E_FALHA_TESTE 'falha injetada'");
    exec("create trigger T_FALHA_TESTE for AUGC50NS active before insert position 0 as begin"
         " if (new.NSSTATUS = 'V') then exception E_FALHA_TESTE; end");
    tr().commitRetaining();
    EXPECT_THROW(estoque(), host::db::DbError);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 10);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 0);
    EXPECT_EQ(one("select count(*) from ACEC11PO where PRCODIGO = 'P2'").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AVEC85IT where NUMERO_PEDIDO = :P and BAIXA = 'S'", {{"P", pedido}}).toInt(), 0);
    EXPECT_EQ(one("select coalesce(BAIXA, '') from AVEC8501 where NUMERO_PEDIDO = :P", {{"P", pedido}}).toString(), "");
}

}  // namespace
