// The sales order and invoice of one contract instalment on a real
// database: the lines of each separation letter, franchise and excess
// lines, complementary contracts, the model order, the order-only routine,
// the invoice form's emission and its failures, the emission list.

#include "tests/contracts/NotaParcelaFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace contractstest {
namespace {

TEST_F(NotaParcelaTest, DefaultLetterBillsTheValueAndIssuesTheInvoice)
{
    QString serie;
    const QString nota = gera(serie, 123.45);
    EXPECT_EQ(nota, "000001");
    EXPECT_EQ(serie, "01");
    EXPECT_TRUE(dm->bNotaEmitida);
    EXPECT_EQ(linhas("000001"), QStringList{"SERV|1.00|0.00|123.45|5933"});
    EXPECT_EQ(observacao("000001", 1), "Manutenção mensal");
    EXPECT_EQ(rows("select IMPRESSO_NF, AOCODIGO, ACCODIGO, VALOR_TOTAL, CODIGO_CLIENTE, OPERACAO, VELOCAL"
                   " from AVEC8501"),
              QStringList{"S|7|7|123.45|C0001|5933|01"})
        << "stamped with the contract, then marked invoiced by the emission";
    EXPECT_EQ(rows("select DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, COD_PEDIDO, TOTAL_DOC, ACCODIGO"
                   " from ACEM1401"),
              QStringList{"000001|01|C0001|5933|01|000001|123.45|7"});
    EXPECT_EQ(rows("select CODIGOPRODUTO, SEQUENCIA, MEITCFOP, QUNATIDADEPRODUTO, VALOR_TOTAL_UNIT from ACEM14IT"),
              QStringList{"SERV|1|5933|1.00|123.45"});
    EXPECT_FALSE(fmNotaFiscal) << "the emission's form is released";

    gera(serie, 10);
    EXPECT_EQ(rows("select DOCUMENTO, COD_PEDIDO from ACEM1401 order by DOCUMENTO"),
              (QStringList{"000001|000001", "000002|000002"}));
}

// An operation that computes ISSQN bills the contract's gross value, read
// again; a contract whose value rule gives nothing (no lines) is billed its
// instalment value, as its forecast was valued, not 0.00.
TEST_F(NotaParcelaTest, IssqnOperationBillsTheInstalmentValueWhenTheValueRuleGivesNothing)
{
    exec("update AFVC0901 set OFCALCISSQN = 'S', OFISSQN = 5 where COD_OP = '5933'");
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 7");
    QString serie;
    gera(serie, 95);
    EXPECT_EQ(linhas("000001"), QStringList{"SERV|1.00|0.00|100.00|5933"});

    item(1, "P1", 30, 1, 30, 0);
    gera(serie, 95);
    EXPECT_EQ(linhas("000002"), QStringList{"SERV|1.00|0.00|30.00|5933"}) << "the lines' value, gross";
}

TEST_F(NotaParcelaTest, ItemLettersByPercentageAndByOwnPrices)
{
    item(1, "P1", 30.33, 2, 15.5, 10);
    item(2, "P2", 20, 3, 7, 0);
    contrato("ACSEPARASERVICO = 'I'");
    exec("update AATC11AJ set AJVALORPERCENTUAL = 80 where AJCODIGO = 4");
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), (QStringList{"P1|1.00|0.00|24.26|", "P2|1.00|0.00|16.00|"}))
        << "Trunc2(0.8 x 30.33) is 24.26";
    EXPECT_EQ(observacao("000001", 2), "Manutenção mensal\r");

    exec("update AATC11AJ set AJVALORPERCENTUAL = 0 where AJCODIGO = 4");
    gera(serie);
    EXPECT_EQ(linhas("000002"), (QStringList{"P1|1.00|0.00|30.33|", "P2|1.00|0.00|20.00|"})) << "0 % is 100 %";

    contrato("ACSEPARASERVICO = 'P'");
    exec("update AATC11AJ set AJVALORPERCENTUAL = 50 where AJCODIGO = 4");
    gera(serie);
    EXPECT_EQ(linhas("000003"), (QStringList{"P1|2.00|10.00|15.50|", "P2|3.00|0.00|7.00|"}))
        << "the items' own quantity, discount and unit, whatever the percentage";
}

TEST_F(NotaParcelaTest, SpreadLetterDividesOverTheItemsUnits)
{
    item(1, "P1", 0, 2);
    item(2, "P2", 0, 3);
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0001', 'S')");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0002', 'N')");
    contrato("ACSEPARASERVICO = 'D'");
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), QStringList{"SERV|5.00|0.00|20.00|5933"});
    EXPECT_EQ(observacao("000001", 1), "Manutenção mensal; CLIENTES: Cliente Um; ") << "active customers only";

    exec("delete from AATC05ACIT where ACITCODIGO = 1");
    gera(serie);
    EXPECT_EQ(linhas("000002"), QStringList{"SERV|3.00|0.00|33.33|5933"}) << "Trunc2(Trunc2(100) / 3)";

    exec("delete from AATC05ACIT");
    gera(serie);
    EXPECT_EQ(linhas("000003"), QStringList{"SERV|1.00|0.00|100.00|5933"})
        << "without units the instalment is one unit";
}

TEST_F(NotaParcelaTest, CustomerLetterOneLinePerContractualCustomer)
{
    item(1, "P1", 60, 1, 0, 0, "C0001");
    item(2, "P2", 40, 1, 0, 0, "C0002");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (7, 'C0001')");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (7, 'C0002')");
    contrato("ACSEPARASERVICO = 'S'");
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), (QStringList{"SERV|1.00|0.00|60.00|", "SERV|1.00|0.00|40.00|"}));
    EXPECT_EQ(observacao("000001", 2), "Manutenção mensalDois SA\r");
}

TEST_F(NotaParcelaTest, CompositionLetterSkipsRowsWithoutUsageOrValue)
{
    contrato("ACSEPARASERVICO = 'C'");
    auto composicao = [this](int seq, const QString& codigo, double valor) {
        exec(QString("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO,"
                     " ACCMVALOR) values (7, 10, 'KIT', %1, '%2', 5, %3)")
                 .arg(seq)
                 .arg(codigo)
                 .arg(valor));
    };
    auto leitura = [this](int id, const QString& codigo, int seq, const QString& data, double total) {
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO,"
                     " ACITCOCONTADORTOTAL, PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO)"
                     " values (%1, 10, '%2', %3, 'KIT', '%4', %5, 5)")
                 .arg(id)
                 .arg(data)
                 .arg(total)
                 .arg(codigo)
                 .arg(seq));
    };
    composicao(1, "C1", 2.555);   // used 30 in June
    composicao(2, "C2", 0);       // used, but no value
    composicao(3, "C3", 4);       // no reading in June
    composicao(4, "C4", 4);       // read lower than in May: nothing used
    leitura(1, "C1", 1, "05/10/2031", 100);
    leitura(4, "C1", 1, "05/10/2031", 100);   // typed twice: counts once
    leitura(2, "C1", 1, "06/10/2031", 130);
    leitura(3, "C2", 2, "06/10/2031", 50);
    leitura(5, "C4", 4, "05/10/2031", 1300);
    leitura(6, "C4", 4, "06/10/2031", 130);
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), QStringList{"C1|30.00|0.00|2.55|"});

    const QString pedido = geraPedido();
    EXPECT_EQ(linhas(pedido).size(), 4) << "the order-only routine writes every composition";
    EXPECT_EQ(linhas(pedido).last(), "C4|0.00|0.00|4.00|");
}

class FranquiaTest : public NotaParcelaTest {
protected:
    void SetUp() override
    {
        NotaParcelaTest::SetUp();
        setOption("C");
        contrato("AJCODIGOAUXILIAR = 5, ACQUANTIDADEFRANQUIA = 800, ACQUANTEXCFRANQUIA = 0.05");
    }
    void leitura(int id, int itemCodigo, double total)
    {
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO,"
                     " ACITCOCONTADORTOTAL) values (%1, %2, '06/05/2031', %3)")
                 .arg(id)
                 .arg(itemCodigo)
                 .arg(total));
    }
};

TEST_F(FranquiaTest, ContractFranchiseBillsTheUsageAboveIt)
{
    contrato("ACTIPOFRANQUIA = 'U'");
    item(1, "P1", 50);
    item(2, "P2", 50);
    leitura(1, 1, 600);
    leitura(2, 2, 400);
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), (QStringList{"SERV|1.00|0.00|100.00|5933", "SERV|200.00|0.00|0.05|5949"}))
        << "1000 used against 800: 200 at the auxiliary object's price";
    EXPECT_EQ(observacao("000001", 2), "Cópias excedentes");

    exec("update AATC05ACITCO set ACITCOCONTADORTOTAL = 300 where ACITCOCODIGO = 1");
    gera(serie);
    EXPECT_EQ(linhas("000002").last(), "SERV|0.00|0.00|0.05|5949") << "700 used: nothing above the franchise";
}

TEST_F(FranquiaTest, AMeterReadLowerCancelsNoOtherMetersUsage)
{
    contrato("ACTIPOFRANQUIA = 'U'");
    item(1, "P1", 50);
    item(2, "P2", 50);
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL)"
         " values (10, 1, '05/05/2031', 5000)");
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL)"
         " values (11, 2, '05/05/2031', 3000)");
    leitura(1, 1, 6000);
    leitura(2, 2, 2000);
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001").last(), "SERV|200.00|0.00|0.05|5949") << "1000 used by one meter, 0 by the other";
}

TEST_F(FranquiaTest, GroupFranchiseOneLinePerGroupInCodeOrder)
{
    contrato("ACTIPOFRANQUIA = 'G'");
    item(1, "P1", 50);
    item(2, "P2", 50);
    item(3, "P3", 50);
    exec("update AATC05ACIT set COCODIGO = 2 where ACITCODIGO = 1");
    exec("update AATC05ACIT set COCODIGO = 1 where ACITCODIGO in (2, 3)");
    exec("insert into AATC05FG (FGCODIGO, ACCODIGO, COCODIGO, FGFRANQUIA, FGVALORDOEXC) values (1, 7, 1, 100, 0.1)");
    exec("insert into AATC05FG (FGCODIGO, ACCODIGO, COCODIGO, FGFRANQUIA, FGVALORDOEXC) values (2, 7, 2, 500, 0.2)");
    leitura(1, 1, 300);   // group 2: 300 against 500
    leitura(2, 2, 80);    // group 1: 80 + 70 against 100
    leitura(3, 3, 70);
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), (QStringList{"SERV|1.00|0.00|100.00|5933", "SERV|50.00|0.00|0.10|5949",
                                             "SERV|0.00|0.00|0.20|5949"}));
}

TEST_F(FranquiaTest, ItemsExcessLinesAndAMissingBillingDate)
{
    contrato("ACTIPOFRANQUIA = 'I', ACSEPARASERVICO = 'I'");
    item(1, "P1", 50, 100);
    exec("update AATC05ACIT set ACITVALOREXCEDENTE = 0.3 where ACITCODIGO = 1");
    leitura(1, 1, 130);
    QString serie;
    gera(serie, 100, 7, QDateTime());
    EXPECT_EQ(linhas("000001"), (QStringList{"P1|1.00|0.00|50.00|", "SERV|30.00|0.00|0.30|"}))
        << "without a billing date the meters are read in the due month";
}

TEST_F(NotaParcelaTest, ComplementaryContractsUnderFAreBilledOnce)
{
    setOption("F");
    item(1, "P1", 30);
    item(2, "P2", 20);
    contrato("ACSEPARASERVICO = 'I'");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, AJCODIGO, ACVALORPARCELA) values (8, 'C0001', 5, 40)");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, AJCODIGO, ACVALORPARCELA) values (9, 'C0001', 0, 70)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 8)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 9)");
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"),
              (QStringList{"P1|1.00|0.00|30.00|", "SERV|1.00|0.00|40.00|5949", "P2|1.00|0.00|20.00|"}))
        << "one line per complementary contract with an object, with its own operation";
}

TEST_F(NotaParcelaTest, AuxiliaryObjectLineWithTheCustomersName)
{
    item(1, "P1", 60, 1, 0, 0, "C0002");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (7, 'C0002')");
    contrato("ACSEPARASERVICO = 'S', AJCODIGOAUXILIAR = 5");
    QString serie;
    gera(serie);
    EXPECT_EQ(linhas("000001"), (QStringList{"SERV|1.00|0.00|60.00|", "SERV|1.00|0.00|60.00|5949"}));
    EXPECT_EQ(observacao("000001", 2), "Cópias excedentesDois SA");
}

TEST_F(NotaParcelaTest, ModelOrderIsCopiedWhenItExists)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF, VALOR_TOTAL) values ('00050', 'C0002', 'S', 0)");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT) values (1, 'M1', '00050', 2, 5, 10)");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, VALOR, TOTAL_UNIT) values (2, 'M2', '00050', 1, 7, 7)");
    contrato("VECODIGOPADRAO = '00050'");
    QString serie;
    EXPECT_EQ(gera(serie), "000001");
    EXPECT_EQ(linhas("000051"), (QStringList{"M1|2.00||5.00|", "M2|1.00||7.00|"}))
        << "the copy takes the next number; no separation lines";
    EXPECT_EQ(rows("select CODIGO_CLIENTE, OPERACAO, IMPRESSO_NF, ACCODIGO, VALOR_TOTAL from AVEC8501"
                   " where NUMERO_PEDIDO = '000051'"),
              QStringList{"C0001|5933|S|7|17.00"});
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), 2) << "no further empty order";

    contrato("VECODIGOPADRAO = '99999'");
    gera(serie);
    EXPECT_EQ(linhas("000052"), QStringList{"SERV|1.00|0.00|100.00|5933"}) << "a missing model counts as none";
}

TEST_F(NotaParcelaTest, OrderOnlyContractsAndFailedEmissionsKeepTheOrder)
{
    contrato("ACGERAPV = 'S'");
    QString serie;
    EXPECT_EQ(gera(serie), "000001");
    EXPECT_TRUE(serie.isEmpty());
    EXPECT_FALSE(dm->bNotaEmitida);
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0);
    EXPECT_EQ(rows("select IMPRESSO_NF, ACCODIGO from AVEC8501"), QStringList{"N|7"});

    contrato("ACGERAPV = 'N'");
    exec("update AATC11AJ set OFCODIGO = '9999' where AJCODIGO = 4");   // no such operation
    clearMessages();
    EXPECT_EQ(gera(serie), "000002");
    EXPECT_FALSE(dm->bNotaEmitida);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Atenção: verificar faturamento contrato 7 no pedido 000002"));
    EXPECT_TRUE(messages()[0].contains("Código do Erro: Operação \"9999\" inválida")) << messages()[0].toStdString();
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACEM14IT").toInt(), 0) << "nothing of the failed invoice stays";
    EXPECT_EQ(rows("select IMPRESSO_NF, VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '000002'"),
              QStringList{"N|100.00"});

    exec("update AATC11AJ set OFCODIGO = null where AJCODIGO = 4");
    clearMessages();
    EXPECT_ANY_THROW(gera(serie));
    EXPECT_EQ(messages(), QStringList{"Objeto 4 não possui operação válida para gerar nota fiscal!"});
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), 2) << "nothing is written without an operation";
}

TEST_F(NotaParcelaTest, OrderOnlyRoutineVariants)
{
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVVALOR, ACEVQTDE, ACEVVALORUNIT, ACEVOBSERVACAO,"
         " ACEVSITUACAO) values (1, 7, 30, 3, 10, 'Betoneira', 'A')");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVVALOR, ACEVQTDE, ACEVVALORUNIT, ACEVOBSERVACAO,"
         " ACEVSITUACAO) values (2, 7, 99, 1, 99, 'Inativa', 'I')");
    contrato("ACSEPARASERVICO = 'E'");
    EXPECT_EQ(linhas(geraPedido()), QStringList{"999999|3.00|0.00|10.00|"});
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0) << "no invoice";

    setOption("V");
    contrato("ACSEPARASERVICO = 'D'");   // as any other letter here
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, AJCODIGO) values (8, 'C0001', 5)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 8)");
    item(21, "X1", 9, 4, 2.5, 5, "C0001", 8);
    const QString pedido = geraPedido(80);
    EXPECT_EQ(linhas(pedido), (QStringList{"SERV|1.00|0.00|80.00|5933", "X1|4.00|5.00|2.50|"}));
    EXPECT_EQ(one("select AOCODIGO from AVEC85IT where CODIGO = 'X1'").toInt(), 7)
        << "the complementary items are billed under the instalment's contract";

    exec("update AATC11AJ set OFCODIGO = null where AJCODIGO = 4");
    exec("update PARAMETROS set VALOR = 'C' where NOME = 'ATMODOPEDIDOASSISTENCIA'");
    clearMessages();
    EXPECT_ANY_THROW(geraPedido());
    EXPECT_EQ(messages(), QStringList{"Objeto 4 não possui operação válida para gerar nota fiscal!"})
        << "the order-only routine never searches";
}

TEST_F(NotaParcelaTest, LineObservationIsWrittenOrReplaced)
{
    dm->GravaObservacaoObjetoVendaItem("000009", 1, "");
    EXPECT_EQ(one("select count(*) from AUGC70OB").toInt(), 0);
    dm->GravaObservacaoObjetoVendaItem("000009", 1, "primeiro");
    dm->GravaObservacaoObjetoVendaItem("000009", 1, "segundo");
    EXPECT_EQ(rows("select OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO from AUGC70OB"), QStringList{"000009|V|1|segundo"});
}

TEST_F(NotaParcelaTest, EmissionListOfARun)
{
    clearMessages();
    EXPECT_ANY_THROW(dm->AbreEmissaoCarregaNota("  ", "01"));
    EXPECT_EQ(messages(), QStringList{"Nenhuma parcela foi oficializada!"});

    global->SetParametro("ATTIPODOCUMENTOCONTRATO", "NS");
    for (const char* sql : {"insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000002', '01', '01')",
                            "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000001', 'NS', '01')",
                            "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000001', 'XX', '01')",
                            "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000002', '01', '02')",
                            "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000003', '01', '01')"})
        exec(sql);
    dm->AbreEmissaoCarregaNota("'000001','000002',", "01");
    ASSERT_TRUE(fmNotaFiscal);
    host::data::Query& lista = *fmNotaFiscal->quNotaFiscal;
    QStringList achadas;
    for (lista.first(); !lista.eof(); lista.next())
        achadas << lista.fieldByName("DOCUMENTO")->asString() + "/" + lista.fieldByName("SERIE_DOC")->asString();
    EXPECT_EQ(achadas, (QStringList{"000001/NS", "000002/01"}));
}

TEST_F(NotaParcelaTest, InvoiceFormRefusesClosedOrdersAndNumbersEachSeries)
{
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    EXPECT_THROW(nota->PesquisarPedidoVendas(0, 0, "", "123456"), std::runtime_error);
    const QString pedido = global->InserirPedidoVenda("C0001", {}, {}, {}, {}, "5933", {}, {}, {}, "01", {}, 0,
                                                      QDateTime(), {}, {});
    EXPECT_THROW(nota->EmissaoNotaFiscalSaida(pedido, {}, {}, {}, {}, false, 0, true), std::runtime_error)
        << "an order without lines";
    global->InseriProdutoPendencia("SERV", pedido, 2, 0, false, false, 5, 0, 0, {}, 0, {}, true, {}, {}, {}, {}, {},
                                   {}, 0);
    nota->EmissaoNotaFiscalSaida(pedido, {}, {}, {}, {}, false, 0, true);
    EXPECT_EQ(nota->numeroNota(), "000001");
    EXPECT_THROW(nota->EmissaoNotaFiscalSaida(pedido, {}, {}, {}, {}, false, 0, true), std::runtime_error)
        << "already invoiced";

    const QString outro = global->InserirPedidoVenda("C0001", {}, {}, {}, {}, "5933", {}, {}, {}, "01", {}, 0,
                                                     QDateTime(), {}, {});
    global->InseriProdutoPendencia("SERV", outro, 1, 0, false, false, 5, 0, 0, {}, 0, {}, true, {}, {}, {}, {}, {},
                                   {}, 0);
    exec("update AVEC8501 set VESERIENF = 'RC' where NUMERO_PEDIDO = '" + outro + "'");
    nota->EmissaoNotaFiscalSaida(outro, {}, {}, {}, {}, false, 0, true);
    EXPECT_EQ(nota->numeroNota() + "/" + nota->serieNota(), "000001/RC") << "each series numbers on its own";
    QCoreApplication::processEvents();
    EXPECT_EQ(nota->edDocumento->text() + "/" + nota->edSerie->text(), "000001/RC")
        << "the form's fields show the invoice issued last";
}

// Another desk invoices the same order while this one takes its number
// (its commit lands between this desk's reading of the order and its
// marking it): the order gets one invoice, not two.
TEST_F(NotaParcelaTest, AnOrderInvoicedMeanwhileByAnotherDeskIsNotInvoicedAgain)
{
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    const QString pedido = global->InserirPedidoVenda("C0001", {}, {}, {}, {}, "5933", {}, {}, {}, "01", {}, 0,
                                                      QDateTime(), {}, {});
    global->InseriProdutoPendencia("SERV", pedido, 1, 0, false, false, 5, 0, 0, {}, 0, {}, true, {}, {}, {}, {}, {},
                                   {}, 0);
    exec("create trigger T_OUTRA_MESA for ACEM1401 active before insert position 0 as begin"
         " in autonomous transaction do"
         " update AVEC8501 set IMPRESSO_NF = 'S' where NUMERO_PEDIDO = new.COD_PEDIDO; end");
    global->IBTransaction1->commitRetaining();
    EXPECT_THROW(nota->EmissaoNotaFiscalSaida(pedido, {}, {}, {}, {}, false, 0, true), std::runtime_error);
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACEM14IT").toInt(), 0);
}

// The line's text reads the contract's row the order read: dates, number
// and object text come out as the text routine gives them on its own.
TEST_F(NotaParcelaTest, LineTextWithMarksTakesTheContractAsTheTextRoutineReadsIt)
{
    exec("update AATC11AJ set AJCOMPLNF = '5 - Complemento e objeto', AJCOMPLHC = 'Contrato @C de @I a @F, @M'"
         " where AJCODIGO = 4");
    contrato("ACNUMEROCONTRATO = 'CT-77', ACOBJETO = 'Manutenção do parque', ACDATAIMPLANTACAO = '2030-03-01',"
             " ACDATAVALIDADE = '2032-02-28'");
    const QString esperado =
        dm->RetornarTextoContratoObjeto(4, 7, 1, QDateTime(QDate(2031, 6, 10), QTime(0, 0)), {});
    EXPECT_TRUE(esperado.contains("CT-77") && esperado.endsWith("Manutenção do parque")) << esperado.toStdString();
    QString serie;
    gera(serie);
    EXPECT_EQ(observacao("000001", 1), esperado);
    geraPedido();
    EXPECT_EQ(observacao("000002", 1), esperado) << "the order-only routine";
}

// An invoice number written by other means in the series and branch is
// never given again; another branch's does not count.
TEST_F(NotaParcelaTest, InvoiceNumbersSkipThoseWrittenByOtherMeans)
{
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    auto emite = [&] {
        const QString pedido = global->InserirPedidoVenda("C0001", {}, {}, {}, {}, "5933", {}, {}, {}, "01", {}, 0,
                                                          QDateTime(), {}, {});
        global->InseriProdutoPendencia("SERV", pedido, 1, 0, false, false, 5, 0, 0, {}, 0, {}, true, {}, {}, {}, {},
                                       {}, {}, 0);
        nota->EmissaoNotaFiscalSaida(pedido, {}, {}, {}, {}, false, 0, true);
        return nota->numeroNota();
    };
    EXPECT_EQ(emite(), "000001");
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000002', '01', '01')");
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000004', '01', '02')");
    EXPECT_EQ(emite(), "000003");
    EXPECT_EQ(emite(), "000004");
}

TEST_F(NotaParcelaTest, StatementsOfOneInstalment)
{
    QString serie;
    gera(serie);   // prepares what is kept
    const auto antes = host::db::statementCount();
    const auto preparosAntes = host::db::prepareCount();
    gera(serie);
    EXPECT_EQ(host::db::statementCount() - antes, 18u)
        << "order 10 with its line and text (the billing object and the contract read once, the order's number taken"
           " and tested in one statement), emission 7, commit 1";
    EXPECT_EQ(host::db::prepareCount() - preparosAntes, 0u)
        << "all kept prepared, the order list of the invoice form made anew for each emission included";
}

}  // namespace
}  // namespace contractstest
