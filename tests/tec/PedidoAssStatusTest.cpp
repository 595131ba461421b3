// Order status: the stock location of each kind and status, the log and the
// equipment move of a status change, the serial movements of the checkout.

#include "tests/tec/PedidoAssFixture.h"

namespace tectest {
namespace {

class PedidoAssStatusTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        for (int chave = 0; chave <= 7; ++chave)
            exec(QString("insert into ACEC1401 (CODIGO, LESTATUSPEDIDO) values ('L%1', '%1')").arg(chave));
    }
};

TEST_F(PedidoAssStatusTest, EachKindAndStatusHasItsLocation)
{
    struct Caso {
        const char* tipo;
        const char* status;
        const char* local;
    };
    const Caso casos[] = {{"0", "", "L0"}, {"0", "S", "L1"}, {"1", "", "L2"}, {"1", " C", "L3"}, {"1", "N", "L4"},
                          {"1", "L", "L5"}, {"1", "S", "L6"}, {"1", "P", ""},    {"0", "C", ""},   {"2", "", ""}};
    for (const Caso& caso : casos)
        EXPECT_EQ(RetornaLocalEquipamentosStatusPedidoAss(caso.tipo, caso.status), caso.local)
            << caso.tipo << "/" << caso.status;
    exec("insert into ACEC1401 (CODIGO, LESTATUSPEDIDO) values ('LX', '')");
    EXPECT_EQ(RetornaLocalEquipamentosStatusPedidoAss("1", "P"), "LX") << "a location with an empty key";
}

TEST_F(PedidoAssStatusTest, AStatusChangeIsLoggedAndMovesTheEquipmentInRentalModeWithItsSave)
{
    const QString numero = novoPedido();
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO) values ('P1', 1, 'P2')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '" + numero + "')");

    // Outside the rental mode only the log row, written by the save.
    dmTec->quAssVenda->edit();
    cab("IMPRESSO_NF").setAsString("C");
    EXPECT_EQ(valor("select count(*) from ARQLOG"), 0) << "nothing before the save";
    dmTec->quAssVenda->post();
    EXPECT_EQ(texto("select ACAO || '|' || OBSERVACAO from ARQLOG"), "Alterou Status Pedido: (Em Produção)|" + numero);
    EXPECT_EQ(texto("select count(*) from ACEC1101 where LOCALIZACAO is not null"), "0");

    // The same value again writes nothing.
    dmTec->quAssVenda->edit();
    cab("IMPRESSO_NF").setAsString("C");
    dmTec->quAssVenda->post();
    EXPECT_EQ(valor("select count(*) from ARQLOG"), 1);

    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    dmTec->quAssVenda->edit();
    cab("IMPRESSO_NF").setAsString("N");
    dmTec->quAssVenda->post();
    EXPECT_EQ(valor("select count(*) from ARQLOG"), 2);
    EXPECT_EQ(texto("select list(CODIGO || '=' || LOCALIZACAO, ',') from (select CODIGO, LOCALIZACAO from ACEC1101"
                    " order by CODIGO)"),
              "P1=L4,P2=L4")
        << "the equipment and its components";
}

TEST_F(PedidoAssStatusTest, SerialMovementsCountTheConfiguredLines)
{
    const QString numero = novoPedido();
    int contador = -1;
    RegistraNSStatusPedidoAss(contador);
    EXPECT_EQ(contador, 0);

    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '" + numero + "')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO) values (2, 'P2', '" + numero + "')");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, VECODIGO, OPCODIGO)"
         " values (1, 'S1', 'P1', 'D', 'L9', '" + numero + "', '" + numero + "')");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, VECODIGO, OPCODIGO)"
         " values (2, 'S1', 'P1', 'D', 'L8', '" + numero + "', '" + numero + "')");
    dmTec->quAssVenda->edit();
    cab("IMPRESSO_NF").setAsString("C");
    dmTec->quAssVenda->post();
    RegistraNSStatusPedidoAss(contador);
    EXPECT_EQ(contador, 2) << "a line without serials counts too";
    EXPECT_EQ(texto("select NSNUMERO || '|' || LECODIGO || '|' || NSSTATUS from AUGC50NS where NSCODIGO > 2"),
              "S1|L3|D");
}

}  // namespace
}  // namespace tectest
