// "&Finalizar" on the current order: proposal to order, order to contract,
// and the serial movements of configuration mode.

#include "tests/tec/PedidoAssFixture.h"

#include "data/uDataTecPedidoAssTela.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

class PedidoAssFinalizacaoTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        tabelasContrato();
        // Stock locations of a closed proposal ("1") and of an order released to delivery ("5").
        exec("insert into ACEC1401 (CODIGO, LESTATUSPEDIDO) values ('L1', '1')");
        exec("insert into ACEC1401 (CODIGO, LESTATUSPEDIDO) values ('L5', '5')");
    }
    void proposta(const QString& status = "null")
    {
        exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, CODIGO_CLIENTE, VALOR_TOTAL, DATA_EMISSAO,"
             " ANCODIGOCONTATO, ANCODIGOENTREGA, ANCODIGOCOBRANCA) values ('000500', '0', " +
             status + ", '00001', 123.45, '2026-03-04', 1, 1, 1)");
        exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
             " values ('000500', 1, 'P1', 1, 10, 10)");
        exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
             " values ('000500', 1, 'P2', 1, 20, 20)");
        CarregaPedidoAssVenda("000500", {});
    }
    void pedido(const QString& status = "'N'")
    {
        exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, CODIGO_CLIENTE, VALOR_TOTAL,"
             " ANCODIGOCONTATO, ANCODIGOENTREGA, ANCODIGOCOBRANCA) values ('00700', '1', " +
             status + ", '00001', 50, 1, 1, 1)");
        exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT, VECODIGOPENDENCIA)"
             " values ('00700', 1, 'P1', 2, 10, 20, '')");
        CarregaPedidoAssVenda("00700", {});
    }
    void movimento(int codigo, const QString& serie, const QString& produto, const QString& venda,
                   const QString& producao)
    {
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, VECODIGO, OPCODIGO)"
                     " values (%1, '%2', '%3', 'D', 'L0', %4, %5)")
                 .arg(codigo)
                 .arg(serie, produto, venda.isEmpty() ? "null" : QuotedStr(venda),
                      producao.isEmpty() ? "null" : QuotedStr(producao)));
    }
    int conta(const QString& sql) { return one(sql).toInt(); }
    // The host numbers a proposal; "&Finalizar" makes it an order, which,
    // ready to bill, "&Finalizar" makes a contract. The contract's code.
    int contratoDaProposta()
    {
        proposta();
        dialogos->answer("Sim", "Confirma a geração Pedido?").acknowledge("Pedido \"000501\" gerado com sucesso!");
        assvenda::FinalizarPedidoAss();
        exec("update AVEC8501 set IMPRESSO_NF = 'N' where NUMERO_PEDIDO = '000501'");
        CarregaPedidoAssVenda("000501", {});
        dialogos->answer("Sim", "Confirma a geração Contrato?").acknowledge("gerado com sucesso!");
        assvenda::FinalizarPedidoAss();
        EXPECT_EQ(dialogos->pending(), 0);
        return conta("select coalesce(max(ACCODIGO), 0) from AATC05AC where ACPEDIDO = '000501'");
    }
    int largura(const char* coluna) { return host::db::columnLength(*dmGlobal->IBTransaction1, "AATC05AC", coluna); }
    int movimentos() { return conta("select count(*) from AUGC50NS"); }
};

TEST_F(PedidoAssFinalizacaoTest, ProposalBecomesALinkedOrder)
{
    proposta();
    movimento(1, "A1", "P1", "000500", {});
    parametro("ATMODOPEDIDOASSISTENCIA", "E");   // the credit check passes: no limit
    dialogos->answer("Sim", "Confirma a geração Pedido?").acknowledge("Pedido \"000501\" gerado com sucesso!");
    assvenda::FinalizarPedidoAss();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(texto("select AUX2 || IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '000500'"), "0S");
    EXPECT_EQ(texto("select VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '000500'"), "000501");
    EXPECT_EQ(one("select VEDATAPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '000500'").toDate(), QDate::currentDate());
    EXPECT_EQ(texto("select AUX2 || coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = '000501'"), "1");
    EXPECT_EQ(texto("select VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '000501'"), "000500");
    EXPECT_EQ(one("select VEDATAPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '000501'").toDate(), QDate(2026, 3, 4));
    EXPECT_EQ(cab("IMPRESSO_NF").displayText(), "(Fechada)");
    EXPECT_EQ(movimentos(), 1) << "outside configuration mode nothing moves";
}

TEST_F(PedidoAssFinalizacaoTest, NoWritesNothingAndOtherRecordsAreLeftAlone)
{
    proposta();
    dialogos->answer("Não", "Confirma a geração Pedido?");
    assvenda::FinalizarPedidoAss();
    EXPECT_EQ(dialogos->texts().size(), 1) << "no message after \"Não\"";
    EXPECT_EQ(conta("select count(*) from AVEC8501"), 1);
    EXPECT_TRUE(cab("IMPRESSO_NF").asString().isEmpty());

    // Neither a proposal already in "N" nor an order in any other status is finalised.
    for (const auto& [tipo, status] : {std::pair{"0", "N"}, std::pair{"0", "S"}, std::pair{"1", ""},
                                       std::pair{"1", "C"}, std::pair{"1", "L"}, std::pair{"1", "S"}}) {
        exec(QString("update AVEC8501 set AUX2 = '%1', IMPRESSO_NF = '%2' where NUMERO_PEDIDO = '000500'")
                 .arg(tipo, status));
        CarregaPedidoAssVenda("000500", {});
        assvenda::FinalizarPedidoAss();
        EXPECT_EQ(dialogos->texts().size(), 1) << tipo << status;
    }
    EXPECT_EQ(conta("select count(*) from AVEC8501"), 1);
    EXPECT_EQ(conta("select count(*) from AATC05AC"), 0);
}

TEST_F(PedidoAssFinalizacaoTest, CreditRefusalStopsBeforeTheCopy)
{
    exec("update AUGC0301 set LIMITE_CREDITO = 100 where CODIGO_CLIENTE = '00001'");
    proposta();
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    dialogos->answer("Sim", "Confirma a geração Pedido?").acknowledge("Limite de crédito do cliente excedido!");
    EXPECT_THROW(assvenda::FinalizarPedidoAss(), host::Abort);
    EXPECT_EQ(conta("select count(*) from AVEC8501"), 1);
    EXPECT_TRUE(texto("select coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = '000500'").isEmpty());
}

TEST_F(PedidoAssFinalizacaoTest, ConfigurationModeBooksEveryRowOfTheProposal)
{
    proposta();
    movimento(1, "A1", "P1", "000500", {});
    movimento(2, "A1", "P1", "000500", {});
    movimento(3, "B1", "P2", "000500", "000500");
    movimento(4, "C1", "P2", "000999", "000999");
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    dialogos->answer("Sim").acknowledge("gerado com sucesso!");
    assvenda::FinalizarPedidoAss();
    // The requested line (P1): both of its rows; the configured line (P2): its order's row only.
    EXPECT_EQ(movimentos(), 4 + 3);
    EXPECT_EQ(conta("select count(*) from AUGC50NS where NSCODIGO > 4 and NSNUMERO = 'A1' and VECODIGO = '000500'"
                    " and OPCODIGO is null and LECODIGO = 'L1' and NSOBSERVACAO = 'Proposta (Fechada)'"),
              2)
        << "requested-line serials booked under the proposal, at the closed proposal's location";
    EXPECT_EQ(conta("select count(*) from AUGC50NS where NSCODIGO > 4 and NSNUMERO = 'B1' and VECODIGO = '000500'"
                    " and OPCODIGO = '000500' and LECODIGO = 'L1'"),
              1);
}

TEST_F(PedidoAssFinalizacaoTest, OrderBecomesAContract)
{
    pedido();
    movimento(1, "A1", "P1", "00700", "00700");
    dialogos->answer("Sim", "Confirma a geração Contrato?").acknowledge("gerado com sucesso!");
    assvenda::FinalizarPedidoAss();
    const int contrato = conta("select ACCODIGO from AATC05AC where ACPEDIDO = '00700'");
    ASSERT_GT(contrato, 0);
    EXPECT_EQ(dialogos->texts().back(),
              "Contrato código \"" + QString::number(contrato) + "\" gerado com sucesso!");
    EXPECT_EQ(texto("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00700'"), "L");
    EXPECT_EQ(conta("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00700'"), contrato);
    EXPECT_EQ(cab("IMPRESSO_NF").displayText(), "(Liberado a Entrega)");
    EXPECT_EQ(movimentos(), 1) << "outside configuration mode nothing moves";
}

TEST_F(PedidoAssFinalizacaoTest, ConfigurationModeBooksTheLatestRowOfEachSerialWithTheContract)
{
    pedido();
    movimento(1, "A1", "P1", "00700", "00700");
    movimento(2, "A1", "P1", "00700", "00700");
    movimento(3, "A2", "P1", "00700", "00700");
    movimento(4, "A3", "P1", "00701", "00701");
    exec("update AUGC50NS set LECODIGO = 'L9' where NSCODIGO = 2");
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    dialogos->answer("Sim").acknowledge("gerado com sucesso!");
    assvenda::FinalizarPedidoAss();
    const int contrato = conta("select ACCODIGO from AATC05AC where ACPEDIDO = '00700'");
    EXPECT_EQ(movimentos(), 4 + 2);
    EXPECT_EQ(conta(QString("select count(*) from AUGC50NS where NSCODIGO > 4 and ACCODIGO = %1 and LECODIGO = 'L5'"
                            " and NSOBSERVACAO = 'Pedido (Liberado a Entrega)' and OPCODIGO = '00700'")
                        .arg(contrato)),
              2);
}

// The host numbers orders with six digits and more: a contract keeps the
// whole number of the order and of the proposal it came from.
TEST_F(PedidoAssFinalizacaoTest, HostNumberedOrderBecomesAContractOnANewDatabase)
{
    for (const char* coluna : {"ACPEDIDO", "ACPROPOSTA"})
        EXPECT_EQ(largura(coluna), host::db::columnLength(*dmGlobal->IBTransaction1, "AVEC8501", "NUMERO_PEDIDO"))
            << coluna;
    const int contrato = contratoDaProposta();
    ASSERT_GT(contrato, 0) << dialogos->texts().join(" | ").toStdString();
    EXPECT_EQ(texto(QString("select ACPROPOSTA from AATC05AC where ACCODIGO = %1").arg(contrato)), "000500");
    EXPECT_EQ(texto("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '000501'"), "L");
    EXPECT_EQ(conta("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '000501'"), contrato);
}

TEST_F(PedidoAssFinalizacaoTest, UpgradedDatabaseKeepsItsNumbersAndTakesHostNumberedOrders)
{
    // The layout before: five characters, with contracts stored in it.
    dmTec.free();
    for (const char* coluna : {"ACPEDIDO", "ACPROPOSTA"}) {
        exec(QString("alter table AATC05AC drop %1").arg(coluna));
        exec(QString("alter table AATC05AC add %1 VARCHAR(5)").arg(coluna));
    }
    exec("insert into AATC05AC (ACCODIGO, ACPEDIDO, ACPROPOSTA) values (1, '00123', '00045')");
    exec("insert into AATC05AC (ACCODIGO, ACPEDIDO, ACPROPOSTA) values (2, '9', null)");
    ASSERT_EQ(largura("ACPEDIDO"), 5);
    createTec();
    EXPECT_EQ(largura("ACPEDIDO"), 20);
    EXPECT_EQ(largura("ACPROPOSTA"), 20);
    EXPECT_EQ(conta("select ACCODIGO from AATC05AC where ACPEDIDO = '00123' and ACPROPOSTA = '00045'"), 1);
    EXPECT_EQ(conta("select ACCODIGO from AATC05AC where ACPEDIDO = '9' and ACPROPOSTA is null"), 2);

    const int contrato = contratoDaProposta();
    ASSERT_GT(contrato, 2) << dialogos->texts().join(" | ").toStdString();
    EXPECT_EQ(texto(QString("select ACPROPOSTA from AATC05AC where ACCODIGO = %1").arg(contrato)), "000500");

    // Once wide, the next creation reads the types and changes nothing.
    dmTec.free();
    const int antes = conta("select count(*) from RDB$FIELDS");
    createTec();
    EXPECT_EQ(conta("select count(*) from RDB$FIELDS"), antes);
}

}  // namespace
}  // namespace tectest
