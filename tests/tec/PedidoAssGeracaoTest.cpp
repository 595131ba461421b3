// A proposal copied into a new order, and an order made into a rental
// contract with its items and texts.

#include "host/HostLog.h"
#include "tests/support/TestDatabase.h"
#include "tests/tec/PedidoAssFixture.h"

#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

namespace tectest {
namespace {

class PedidoAssGeracaoTest : public PedidoAssTest {
protected:
    // A proposal of another branch with two requested lines, one configured
    // line, its notes record and texts of every kind.
    void propostaCompleta()
    {
        exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, CODIGO_CLIENTE, VELOCAL, VALOR_TOTAL, VEPROJETO,"
             " DATA_EMISSAO) values ('000500', '0', '00001', '09', 123.45, 'Obra', '2026-03-04')");
        exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
             " values ('000500', 1, 'P1', 2, 10, 20)");
        exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
             " values ('000500', 2, 'P2', 1, 20, 20)");
        exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT, VEITNUMEROSERIE)"
             " values ('000500', 1, 'P1', 1, 10, 10, 'S-1')");
        exec("insert into AVEC85VO (VECODIGO, VOTEXTO) values ('000500', 'notas')");
        for (const auto& [id, seq, texto] : {std::tuple{"V", 100, "Entrega"}, std::tuple{"V", 101, "Cobrança"},
                                             std::tuple{"V", 1, "Linha 1"}, std::tuple{"V", -1, "Config 1"},
                                             std::tuple{"Y", 7, "outro"}})
            exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('000500', '%1', %2, '%3')")
                     .arg(id)
                     .arg(seq)
                     .arg(QString::fromUtf8(texto)));
    }
    int conta(const QString& sql) { return one(sql).toInt(); }
};

TEST_F(PedidoAssGeracaoTest, ProposalCopiedUnderTheNextSalesNumber)
{
    propostaCompleta();
    parametro("ATLOCALPADRAO", "01");
    const int registros = conta("select count(*) from ARQLOG");
    const QString novo = dmTec->GerarPedidoAssistencia("000500");
    ASSERT_EQ(novo, "000501") << "the host's next sales number, one sequence for every branch";
    EXPECT_EQ(texto("select VELOCAL from AVEC8501 where NUMERO_PEDIDO = '000501'"), "09");
    EXPECT_EQ(texto("select AUX2 from AVEC8501 where NUMERO_PEDIDO = '000501'"), "0");
    EXPECT_EQ(valor("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '000501'"), 123.45);
    EXPECT_EQ(texto("select VEPROJETO from AVEC8501 where NUMERO_PEDIDO = '000501'"), "Obra");
    EXPECT_EQ(conta("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000501'"), 2);
    EXPECT_EQ(valor("select sum(TOTAL_UNIT) from AVEC85IT where NUMERO_PEDIDO = '000501'"), 40);
    EXPECT_EQ(texto("select VEITNUMEROSERIE from AVEC85LX where NUMERO_PEDIDO = '000501' and COD = 1"), "S-1");
    EXPECT_EQ(conta("select count(*) from AUGC70OB where OBCODIGO = '000501'"), 5) << "every kind of text";
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBCODIGO = '000501' and OBID = 'V' and OBSEQUENCIA = -1"),
              "Config 1");
    EXPECT_EQ(conta("select count(*) from AVEC85VO where VECODIGO = '000501'"), 0);
    EXPECT_EQ(conta("select count(*) from ARQLOG"), registros) << "the change log is not copied";
    EXPECT_EQ(conta("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000500'"), 2) << "the proposal keeps its lines";
    EXPECT_TRUE(dialogos->texts().isEmpty());
}

TEST_F(PedidoAssGeracaoTest, BareProposalGivesAHeaderAloneWithoutMessage)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2) values ('000010', '0')");
    EXPECT_EQ(dmTec->GerarPedidoAssistencia("000010"), "000011");
    EXPECT_EQ(conta("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000011'"), 1);
    EXPECT_EQ(conta("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000011'"), 0);
    EXPECT_TRUE(dialogos->texts().isEmpty());
}

TEST_F(PedidoAssGeracaoTest, FailureInTheConfiguredLinesKeepsTheEarlierSteps)
{
    propostaCompleta();
    // A configured line the table no longer accepts makes the third copy fail.
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('000500', 2, 'P2', 5000)");
    exec("alter table AVEC85LX add constraint CK_TESTE_QTDE check (QUANTIDADE < 1000)");
    dialogos->acknowledge("Não foi possível gerar itens cotados para o novo pedido.");
    EXPECT_THROW(dmTec->GerarPedidoAssistencia("000500"), host::Abort);
    ASSERT_EQ(dialogos->texts().size(), 1);
    // The cause in the user's words; the engine's own in the log.
    EXPECT_TRUE(dialogos->texts().front().contains("Causo do erro:Há um valor não permitido no registro."))
        << dialogos->texts().front().toStdString();
    EXPECT_TRUE(host::logTraceTexts().join('\n').contains("CK_TESTE_QTDE"));
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(conta("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000501'"), 1);
    EXPECT_EQ(conta("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000501'"), 2);
    EXPECT_EQ(conta("select count(*) from AVEC85LX where NUMERO_PEDIDO = '000501'"), 0);
    EXPECT_EQ(conta("select count(*) from AUGC70OB where OBCODIGO = '000501'"), 0);
}

TEST_F(PedidoAssGeracaoTest, ProposalOfTwentyLinesCostsTheFourCopies)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2) values ('000010', '0')");
    for (int i = 1; i <= 20; ++i)
        exec(QString("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('000010', %1, 'P1', 1)")
                 .arg(i));
    dmTec->GerarPedidoAssistencia("000010");   // the column lists are read once
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2) values ('000100', '0')");
    for (int i = 1; i <= 20; ++i)
        exec(QString("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('000100', %1, 'P1', 1)")
                 .arg(i));
    testsupport::StatementCounter contador;
    const QString novo = dmTec->GerarPedidoAssistencia("000100");
    const int copia = contador.count();
    EXPECT_LE(copia, 16) << "the number, four insert-selects and their commits; nothing per line";
    EXPECT_EQ(conta("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + novo + "'"), 20);
}

class ContratoPedidoAssTest : public PedidoAssGeracaoTest {
protected:
    // The contract keeps order numbers of five characters.
    void SetUp() override
    {
        PedidoAssGeracaoTest::SetUp();
        tabelasContrato();
    }
    // An order ready to bill with every column the contract takes.
    void pedidoPronto(const QString& numero = "00700")
    {
        exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VELOCAL, CODIGO_CLIENTE, VEDATANEGOCIACAO,"
             " VEINICIOVIGENCIA, VETERMINOVIGENCIA, VEDATAPRODUCAO, VEDATAPAGAMENTO, VETIPOCONTRATO,"
             " VEPROJETO, VEPEDIDOCLIENTE, ANCODIGOCONTATO, ANCODIGOREQUISITANTE, CODIGO_VENDEDOR,"
             " ANCODIGOAPROVADOR, VALOR_TOTAL, VEPROPOSTA, BCCODIGO, VEPERIODOLOCACAO, ANCODIGOENTREGA,"
             " ANCODIGOCOBRANCA) values ('" +
             numero +
             "', '1', 'N', '02', '00001', '2026-01-02', '2026-01-05', '2026-12-31', '2026-01-03', '2026-01-10',"
             " 'Mensal', 'Obra', 'PC-9', 3, 4, '00002', 5, 900.5, '00500', '341', '12 meses', 6, 7)");
    }
    void configurado(int cod, const QString& produto, const QString& pendencia = {})
    {
        exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT, OBS,"
                     " VEITNUMEROSERIE, VEITCOMPLEMENTO, VECODIGOPENDENCIA) values ('00700', %1, '%2', 2, 10, 20,"
                     " 'obs %1', 'NS-%1', 'N', '%3')")
                 .arg(cod)
                 .arg(produto, pendencia));
    }
    void textoConfiguracao(int cod, const QString& texto)
    {
        exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00700', 'V', %1, '%2')")
                 .arg(-cod)
                 .arg(texto));
    }
    QVariant contrato(int codigo, const char* coluna)
    {
        return one(QString("select %1 from AATC05AC where ACCODIGO = %2").arg(QString::fromLatin1(coluna)).arg(codigo));
    }
};

TEST_F(ContratoPedidoAssTest, HeaderTakesTheOrdersColumns)
{
    pedidoPronto();
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00700', 'V', 100, 'Rua A')");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00700', 'V', 101, 'Rua B')");
    const int codigo = dmTec->GerarContratoPedidoAssistencia("00700");
    ASSERT_GT(codigo, 0);
    EXPECT_EQ(contrato(codigo, "ACLOCAL").toString(), "02");
    EXPECT_EQ(contrato(codigo, "ACCONTRATANTE").toString(), "00001");
    EXPECT_EQ(contrato(codigo, "CLCODIGO").toString(), "00001");
    EXPECT_EQ(contrato(codigo, "ACDATABASE").toDate(), QDate(2026, 1, 2));
    EXPECT_EQ(contrato(codigo, "ACDATAIMPLANTACAO").toDate(), QDate(2026, 1, 5));
    EXPECT_EQ(contrato(codigo, "ACDATAVALIDADE").toDate(), QDate(2026, 12, 31));
    EXPECT_EQ(contrato(codigo, "ACDATAENTREGA").toDate(), QDate(2026, 1, 3));
    EXPECT_EQ(contrato(codigo, "ACDATAPAGAMENTO").toDate(), QDate(2026, 1, 10));
    EXPECT_TRUE(contrato(codigo, "ACDATARA").isNull()) << "an empty date stays empty, never 30/12/1899";
    EXPECT_EQ(contrato(codigo, "ACTIPODESC").toString(), "Mensal");
    EXPECT_EQ(contrato(codigo, "ACDESCRICAO").toString(), "Obra");
    EXPECT_EQ(contrato(codigo, "ACPEDIDOCLIENTE").toString(), "PC-9");
    EXPECT_EQ(contrato(codigo, "ACCONTATO").toInt(), 3);
    EXPECT_EQ(contrato(codigo, "ACREQUISITANTE").toInt(), 4);
    EXPECT_EQ(contrato(codigo, "ACRESPONSAVEL").toString(), "00002");
    EXPECT_EQ(contrato(codigo, "ACAPROVADOR").toInt(), 5);
    EXPECT_DOUBLE_EQ(contrato(codigo, "ACVALOR").toDouble(), 900.5);
    EXPECT_DOUBLE_EQ(contrato(codigo, "ACVALORPARCELA").toDouble(), 900.5);
    EXPECT_EQ(contrato(codigo, "ACPROPOSTA").toString(), "00500");
    EXPECT_EQ(contrato(codigo, "ACPEDIDO").toString(), "00700");
    EXPECT_EQ(contrato(codigo, "ACSITUACAO").toString(), "2");
    EXPECT_EQ(contrato(codigo, "BCCODIGO").toString(), "341");
    EXPECT_EQ(contrato(codigo, "ACPERIODODESC").toString(), "12 meses");
    EXPECT_EQ(contrato(codigo, "ACCONTENTREGA").toInt(), 6);
    EXPECT_EQ(contrato(codigo, "ACENDENTREGA").toString(), "Rua A");
    EXPECT_EQ(contrato(codigo, "ACCONTCOBRANCA").toInt(), 7);
    EXPECT_EQ(contrato(codigo, "ACENDCOBRANCA").toString(), "Rua B");
    EXPECT_EQ(contrato(codigo, "ACRENOVACAO").toString(), "N");
    EXPECT_EQ(dmTec->campoPedido("NUMERO_PEDIDO").asString(), "00700") << "the order is left loaded";
    EXPECT_TRUE(dmTec->quAssVendaCotado->eof());
}

TEST_F(ContratoPedidoAssTest, ItemsSkipBackOrdersAndCarryTheirOwnTexts)
{
    pedidoPronto();
    configurado(1, "P1");
    configurado(2, "P2", "00900");
    configurado(3, "P2");
    textoConfiguracao(1, "Config um");
    textoConfiguracao(2, "Config dois");
    const int codigo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_EQ(contrato(codigo, "ACENDENTREGA").toString(), "") << "no address texts: empty addresses";
    EXPECT_EQ(contrato(codigo, "ACENDCOBRANCA").toString(), "");
    EXPECT_EQ(conta(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)), 2);
    const int item1 = conta(QString("select ACITCODIGO from AATC05ACIT where ACCODIGO = %1 and ACITNUMEROSERIE = 'NS-1'")
                                .arg(codigo));
    EXPECT_EQ(texto(QString("select PRCODIGO || '|' || CLCODIGO || '|' || ACITCOMPLEMENTO from AATC05ACIT"
                            " where ACITCODIGO = %1").arg(item1)),
              "P1|00001|N");
    EXPECT_DOUBLE_EQ(valor(QString("select ACITQUANTIDADE from AATC05ACIT where ACITCODIGO = %1").arg(item1)), 2);
    EXPECT_DOUBLE_EQ(valor(QString("select ACITVALOR from AATC05ACIT where ACITCODIGO = %1").arg(item1)), 20);
    EXPECT_DOUBLE_EQ(valor(QString("select ACITVALORUNITARIO from AATC05ACIT where ACITCODIGO = %1").arg(item1)), 10);
    EXPECT_EQ(texto(QString("select ACITOBSERVACAO from AATC05ACIT where ACITCODIGO = %1").arg(item1)), "obs 1");
    EXPECT_EQ(texto(QString("select OBTEXTO from AUGC70OB where OBID = 'Y' and OBCODIGO = '%1' and OBSEQUENCIA = %2")
                        .arg(codigo)
                        .arg(item1)),
              "Config um") << "keyed by the item's own key";
    EXPECT_EQ(conta(QString("select count(*) from AUGC70OB where OBID = 'Y' and OBCODIGO = '%1'").arg(codigo)), 1)
        << "a line without text gets none; the back-order's text is not copied";
}

TEST_F(ContratoPedidoAssTest, AllLinesOnBackOrderGiveAHeaderAlone)
{
    pedidoPronto();
    configurado(1, "P1", "00900");
    const int codigo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_EQ(conta(QString("select count(*) from AATC05AC where ACCODIGO = %1").arg(codigo)), 1);
    EXPECT_EQ(conta(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)), 0);
}

TEST_F(ContratoPedidoAssTest, TwoCallsMakeTwoContractsWithConsecutiveCodes)
{
    pedidoPronto();
    configurado(1, "P1");
    const int primeiro = dmTec->GerarContratoPedidoAssistencia("00700");
    const int segundo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_EQ(segundo, primeiro + 1);
    EXPECT_EQ(conta("select count(*) from AATC05AC where ACPEDIDO = '00700'"), 2);
}

TEST_F(ContratoPedidoAssTest, AnOrderNamingItsContractKeepsItAndADanglingCodeGetsANewOne)
{
    pedidoPronto();
    configurado(1, "P1");
    const int primeiro = dmTec->GerarContratoPedidoAssistencia("00700");
    exec(QString("update AVEC8501 set ACCODIGO = %1 where NUMERO_PEDIDO = '00700'").arg(primeiro));
    EXPECT_EQ(dmTec->GerarContratoPedidoAssistencia("00700"), primeiro);
    EXPECT_EQ(conta("select count(*) from AATC05AC where ACPEDIDO = '00700'"), 1);
    EXPECT_EQ(conta("select count(*) from AATC05ACIT"), 1);
    // A code whose contract is gone does not hold the order back.
    exec("update AVEC8501 set ACCODIGO = 99999 where NUMERO_PEDIDO = '00700'");
    const int novo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_NE(novo, 99999);
    EXPECT_EQ(conta("select count(*) from AATC05AC where ACPEDIDO = '00700'"), 2);
}

TEST_F(ContratoPedidoAssTest, KeysComeFromTheGeneratorsNotTheLargestStored)
{
    pedidoPronto();
    configurado(1, "P1");
    // Another desk drew keys it has not posted yet.
    const int deOutraMesa = ProximaChave(host::schema::kGeneratorContract, "ACCODIGO", "AATC05AC");
    const int itemDeOutraMesa = ProximaChave(host::schema::kGeneratorContractItem, "ACITCODIGO", "AATC05ACIT");
    const int codigo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_GT(codigo, deOutraMesa);
    EXPECT_GT(conta(QString("select ACITCODIGO from AATC05ACIT where ACCODIGO = %1").arg(codigo)), itemDeOutraMesa);
}

TEST_F(ContratoPedidoAssTest, ItemFailureLeavesNoContractAndOtherPendingWorkIntact)
{
    pedidoPronto();
    configurado(1, "P1");
    configurado(2, "P2");
    textoConfiguracao(1, "Config um");
    exec("alter table AATC05ACIT add constraint CK_TESTE_PRODUTO check (PRCODIGO <> 'P2')");
    // Pending, uncommitted work of the same transaction.
    host::db::executeSql(*dmGlobal->IBTransaction1, "update ACEC1101 set DESCRICAO = 'Mudado' where CODIGO = 'P1'");
    dialogos->acknowledge("Erro ao Inserir Item no Contrato!");
    EXPECT_THROW(dmTec->GerarContratoPedidoAssistencia("00700"), host::Abort);
    EXPECT_EQ(conta("select count(*) from AATC05AC where ACPEDIDO = '00700'"), 0);
    EXPECT_EQ(conta("select count(*) from AATC05ACIT"), 0);
    EXPECT_EQ(conta("select count(*) from AUGC70OB where OBID = 'Y'"), 0);
    EXPECT_EQ(texto("select DESCRICAO from ACEC1101 where CODIGO = 'P1'"), "Mudado");
    EXPECT_EQ(texto("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00700'"), "N");
    exec("alter table AATC05ACIT drop constraint CK_TESTE_PRODUTO");
    const int codigo = dmTec->GerarContratoPedidoAssistencia("00700");
    EXPECT_EQ(conta("select count(*) from AATC05AC where ACPEDIDO = '00700'"), 1) << "a retry makes exactly one";
    EXPECT_EQ(conta(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)), 2);
}

TEST_F(ContratoPedidoAssTest, TenLinesCostAFixedNumberOfStatementsEach)
{
    pedidoPronto();
    dmTec->GerarContratoPedidoAssistencia("00700");   // statements prepared once for the session
    auto custo = [this] {
        testsupport::StatementCounter contador;
        dmTec->GerarContratoPedidoAssistencia("00700");
        return std::pair{contador.count(), contador.prepares()};
    };
    auto linhas = [this](int de, int ate) {
        for (int cod = de; cod <= ate; ++cod) {
            configurado(cod, "P1");
            textoConfiguracao(cod, "Config");
        }
    };
    linhas(1, 5);
    custo();
    const auto cinco = custo();
    linhas(6, 10);
    const auto dez = custo();
    // Per line: the item's key, the item and its text, and the line's own
    // read by the configured-lines dataset.
    EXPECT_EQ(dez.first - cinco.first, 5 * 4);
    EXPECT_EQ(dez.second, 0) << "every statement, the key draw's included, was prepared by the first run";
    EXPECT_LE(dez.first - 10 * 4, 26) << dez.first;
}

}  // namespace
}  // namespace tectest
