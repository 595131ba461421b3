// Customers, receivables, stock, products, sales orders and taxes: the rows
// the routines write are the rows later steps read back.

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/PilvOut70.h"
#include "tests/support/HostDatabase.h"

#include "host/data/Abort.h"

using testsupport::HostDatabaseTest;

class BusinessTest : public HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO, LIMITE_CREDITO) values ('00001', 'Ana', 'SP', 1000)");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO) values ('00002', 'Bia', 'RJ')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, QTDE_PRODUCAO, UNIDADE_MEDIDA, OUTRO_CODIGO,"
             " AIQ_IPI, PERCENTUAL_ICMS, ICMS_PARA_REDUCAO) values ('P1', 'Peça', 10, 2, 'UN', '7891234', 10, 18, 0)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, UNIDADE_MEDIDA, PERCENTUAL_ICMS, ICMS_PARA_REDUCAO)"
             " values ('P2', 'Cabo', 5.5, 'M', 12, 50)");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, BASE_CALC_IPI) values ('5102', 'Venda', 0, 'S')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS) values ('5405', 'Venda ST', 7)");
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('03', '3x', 3)");
    }
    void receivable(const QString& client, double value, const QDate& due, const QString& situation = "A")
    {
        // Instalments of one document: each its own sequence, as the key requires.
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, SITUACAO_DOCUMENTO,"
             " VALOR_DOCUMENTO, DATA_VENCIMENTO) values ('000009', :C, :Q, :S, :V, :D)",
             {{"C", client}, {"Q", ++sequencia}, {"S", situation}, {"V", value}, {"D", QDateTime(due, QTime(0, 0))}});
    }
    int sequencia = 0;
};

TEST_F(BusinessTest, LatePaymentBlockOnlyForOpenOverdueReceivables)
{
    const QDate today = QDate::currentDate();
    receivable("00001", 50, today);                    // due today: not late
    receivable("00001", 50, today.addDays(-3), "V");   // a forecast is not a debt
    EXPECT_FALSE(dmGlobal->PVVerificaBloqueioAtraso("00001", true));
    receivable("00001", 50, today.addDays(-1));
    dialogs->acknowledge("atraso").acknowledge("atraso");
    EXPECT_THROW(dmGlobal->PVVerificaBloqueioAtraso("00001", true), host::Abort);
    EXPECT_TRUE(dmGlobal->PVVerificaBloqueioAtraso("00001", false));
}

TEST_F(BusinessTest, CreditLimitCountsOpenReceivablesAndTheNewValue)
{
    receivable("00001", 600, QDate::currentDate().addDays(10));
    EXPECT_TRUE(dmGlobal->LimiteCredito("00001", 400, true)) << "exactly the limit passes";
    dialogs->acknowledge("Limite de crédito");
    EXPECT_FALSE(dmGlobal->LimiteCredito("00001", 400.01, false));
    EXPECT_TRUE(dmGlobal->LimiteCredito("00002", 1e9, true)) << "no limit set";
}

TEST_F(BusinessTest, SplittingWritesInstalmentsWhoseCentsAddUp)
{
    DesdobramentoReceber dados;
    dados.valorTotal = 100;
    dados.tabelaVencimento = "03";
    dados.documento = "S00025";
    dados.cliente = "00001";
    dados.dataEmissao = QDateTime(QDate(2024, 1, 10), QTime(0, 0));
    dados.filial = "001";
    dados.situacao = "V";
    dados.aoCodigo = 25;
    EXPECT_EQ(dmGlobal->DesdobraContasReceber(dados), 3);
    EXPECT_DOUBLE_EQ(CarregaNumero("sum(VALOR_DOCUMENTO)", "ACRC5001", "where AOCODIGO = 25"), 100.0);
    EXPECT_DOUBLE_EQ(CarregaNumero("VALOR_DOCUMENTO", "ACRC5001", "where AOCODIGO = 25 and SEQUENCIA = 1"), 33.34);
    EXPECT_EQ(CarregaData("DATA_VENCIMENTO", "ACRC5001", "where AOCODIGO = 25 and SEQUENCIA = 3").date(),
              QDate(2024, 4, 9));
    EXPECT_EQ(CarregaDado("CODIGO_FILIAL", "ACRC5001", "where AOCODIGO = 25 and SEQUENCIA = 1"), "01");

    dmGlobal->CarregaParcelasReceber("00001", "S00025", " and aocodigo = 25");
    EXPECT_EQ(dmGlobal->quReceber->recordCount(), 3);
    dmGlobal->quReceber->edit();
    dmGlobal->quReceber->fieldByName("NUMERO_DOCUMENTO")->setText("42");
    EXPECT_EQ(dmGlobal->quReceber->fieldByName("NUMERO_DOCUMENTO")->asString(), "000042");
    dmGlobal->quReceber->fieldByName("NUMERO_DOCUMENTO")->setText("S00025");
    dmGlobal->quReceber->fieldByName("VALOR_DOCUMENTO")->setAsFloat(40);
    dmGlobal->quReceber->post();
    EXPECT_DOUBLE_EQ(CarregaNumero("sum(VALOR_DOCUMENTO)", "ACRC5001", "where AOCODIGO = 25"), 106.66)
        << "only the edited instalment changed";
}

TEST_F(BusinessTest, StockReservationAndProductCodes)
{
    EXPECT_DOUBLE_EQ(dmGlobal->PosicaoEstoque("P2"), 5.5);
    EXPECT_DOUBLE_EQ(dmGlobal->PosicaoEstoque("NADA"), 0);
    EXPECT_DOUBLE_EQ(dmGlobal->Reservado("P1"), 2);
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, APRESERVA) values (1, 1, 'P1', 3, 'S')");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, APRESERVA, VECODIGO)"
         " values (1, 2, 'P1', 4, 'S', '000001')");
    EXPECT_DOUBLE_EQ(dmGlobal->Reservado("P1", true), 3) << "lines already sold are not reserved";
    EXPECT_DOUBLE_EQ(dmGlobal->Reservado("P1"), 3);

    double factor = 0;
    EXPECT_EQ(dmGlobal->RetornaCodigoProduto(" p1 ", "", factor), "P1");
    EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(dmGlobal->RetornaCodigoProduto("7891234", "", factor), "P1");
    EXPECT_EQ(dmGlobal->RetornaCodigoProduto("zz9", "", factor), "ZZ9");
}

TEST_F(BusinessTest, WholeUnitsRefuseOrRoundUpFractions)
{
    EXPECT_DOUBLE_EQ(dmGlobal->VerificaUnidadeFracionamento("M", 1.25, true, true), 1.25);
    EXPECT_DOUBLE_EQ(dmGlobal->VerificaUnidadeFracionamento("UN", 2, true, true), 2);
    EXPECT_DOUBLE_EQ(dmGlobal->VerificaUnidadeFracionamento("un", 2.2, true, false), 3);
    dialogs->acknowledge("não permite quantidade fracionada");
    EXPECT_THROW(dmGlobal->VerificaUnidadeFracionamento("UN", 2.5, true, true), host::Abort);
    EXPECT_THROW(dmGlobal->VerificaUnidadeFracionamento("UN", 2.5, false, true), host::Abort);
    EXPECT_EQ(dialogs->shown().size(), 1u);
}

TEST_F(BusinessTest, RepeatedProductFollowsItsParameter)
{
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE) values (5, 1, 'P1', 1)");
    const QString cond = " and aoCodigo= '5'";
    EXPECT_NO_THROW(dmGlobal->VerificaVendaProdutoRepetido("P1", "prCodigo", "aatc01ap", cond, "APQUANTIDADE", nullptr));
    dmGlobal->SetParametro("ATVENDAPRODUTOREPETIDO", "P");
    dialogs->answer("Não", "já lançado").answer("Sim", "já lançado");
    EXPECT_THROW(dmGlobal->VerificaVendaProdutoRepetido("P1", "prCodigo", "aatc01ap", cond, "", nullptr), host::Abort);
    EXPECT_NO_THROW(dmGlobal->VerificaVendaProdutoRepetido("P1", "prCodigo", "aatc01ap", cond, "", nullptr));
    EXPECT_NO_THROW(dmGlobal->VerificaVendaProdutoRepetido("P2", "prCodigo", "aatc01ap", cond, "", nullptr));
    dmGlobal->SetParametro("ATVENDAPRODUTOREPETIDO", "N");
    dialogs->acknowledge("já lançado");
    EXPECT_THROW(dmGlobal->VerificaVendaProdutoRepetido("P1", "prCodigo", "aatc01ap", cond, "", nullptr), host::Abort);
}

TEST_F(BusinessTest, CurrencyQuoteLatestOnOrBeforeTheDay)
{
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('USD', '2024-01-01', 5.0)");
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('USD', '2024-02-01 10:00', 5.2)");
    EXPECT_DOUBLE_EQ(dmGlobal->CotacaoMoeda("USD", QDateTime(QDate(2024, 2, 1), QTime(0, 0)), true), 5.2);
    EXPECT_DOUBLE_EQ(dmGlobal->CotacaoMoeda("USD", QDateTime(QDate(2024, 1, 20), QTime(0, 0)), true), 5.0);
    EXPECT_DOUBLE_EQ(dmGlobal->CotacaoMoeda("", QDateTime(), true), 1.0);
    dialogs->acknowledge("Cotação da moeda EUR");
    EXPECT_THROW(dmGlobal->CotacaoMoeda("EUR", QDateTime(), true), host::Abort)
        << "a missing quote must not price a part at zero";
}

TEST_F(BusinessTest, FiscalRuleMostSpecificWinsElseTheGivenOperation)
{
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO) values ('5101', 'P1')");
    exec("insert into AFVC09OU (OFCODIGO, PRCODIGO, OUUF) values ('5405', 'P1', 'SP')");
    QString message;
    EXPECT_EQ(dmGlobal->RetornaOperacaoRegraFiscal("", "00001", "5102", "P1", message, true, "01", 0), "5405");
    EXPECT_EQ(dmGlobal->RetornaOperacaoRegraFiscal("", "00002", "5102", "P1", message, true, "01", 0), "5101");
    EXPECT_TRUE(message.isEmpty());
    EXPECT_EQ(dmGlobal->RetornaOperacaoRegraFiscal("", "00002", "5102", "P2", message, true, "01", 0), "5102");
    EXPECT_FALSE(message.isEmpty());
}

TEST_F(BusinessTest, SalesOrderAndItsLinesWithExtraColumns)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('ABC')");   // a non-numeric number is skipped
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000041')");
    const QString number = dmGlobal->InserirPedidoVenda("00001", "", "", "01", "", "5102", "S", "", "", "001", "",
                                                        0, QDateTime(), "", "");
    EXPECT_EQ(number, "000042");
    EXPECT_EQ(CarregaDado("CODIGO_CLIENTE || VELOCAL || OPERACAO", "AVEC8501", "where NUMERO_PEDIDO = '000042'"),
              "00001015102");
    EXPECT_EQ(CarregaData("DATA_EMISSAO", "AVEC8501", "where NUMERO_PEDIDO = '000042'").date(), QDate::currentDate());

    EXPECT_EQ(dmGlobal->InserirPedidoVendaItem("P1", number, 2, 10, false, false, 50, 0, 0, QString(40, 'o'), 7, "",
                                               true, "5102", ", APSEQUENCIA, GRCODIGO", ", 3, 'G1'"),
              1);
    EXPECT_EQ(dmGlobal->InserirPedidoVendaItem("P2", number, 1, 0, true, true, 20, 0, 0, "", 0, "", true, "", "", ""),
              2);
    EXPECT_DOUBLE_EQ(CarregaNumero("VALOR_TOTAL", "AVEC8501", "where NUMERO_PEDIDO = '000042'"), 110.0);
    EXPECT_EQ(CarregaDado("OBS", "AVEC85IT", "where NUMERO_PEDIDO = '000042' and COD = 1"), QString(25, 'o'));
    EXPECT_EQ(CarregaNumeroInteiro("APSEQUENCIA", "AVEC85IT", "where NUMERO_PEDIDO = '000042' and COD = 1"), 3);
    EXPECT_EQ(CarregaDado("GRCODIGO", "AVEC85IT", "where NUMERO_PEDIDO = '000042' and COD = 1"), "G1");
    EXPECT_DOUBLE_EQ(dmGlobal->PosicaoEstoque("P2"), 4.5) << "withdrawn at once";
    EXPECT_DOUBLE_EQ(dmGlobal->Reservado("P2"), 1);
}

TEST_F(BusinessTest, SplittingByAnUnknownPaymentTermIsRefused)
{
    DesdobramentoReceber dados;
    dados.valorTotal = 100;
    dados.tabelaVencimento = "99";
    dados.documento = "S00026";
    dados.cliente = "00001";
    dialogs->acknowledge("Tabela de vencimento \"99\" não cadastrada.");
    EXPECT_THROW(dmGlobal->DesdobraContasReceber(dados), host::Abort);
    EXPECT_EQ(CarregaNumeroInteiro("count(*)", "ACRC5001", "where NUMERO_DOCUMENTO = 'S00026'"), 0);
}

// A document whose discount outgrew it bills no credit nobody agreed to.
TEST_F(BusinessTest, AReceivableBelowZeroIsRefused)
{
    DesdobramentoReceber dados;
    dados.valorTotal = -64.5;
    dados.tabelaVencimento = "03";
    dados.documento = "S00028";
    dados.cliente = "00001";
    dialogs->acknowledge("Valor Inválido: o documento totaliza -64,50, abaixo de zero; nenhum receber foi gerado.");
    EXPECT_THROW(dmGlobal->DesdobraContasReceber(dados), host::Abort);
    EXPECT_EQ(CarregaNumeroInteiro("count(*)", "ACRC5001", "where NUMERO_DOCUMENTO = 'S00028'"), 0);
}

TEST_F(BusinessTest, ASplitWhoseInstalmentIsRefusedLeavesNoneOfItsInstalments)
{
    exec("create exception E_FALHA_TESTE 'falha injetada'");
    exec("create trigger T_FALHA_TESTE for ACRC5001 active before insert position 0 as begin"
         " if (new.SEQUENCIA = 2) then exception E_FALHA_TESTE; end");
    tr().commitRetaining();
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, VALOR_DOCUMENTO) values"
         " ('OUTRO', '00002', 1, 10)");   // other pending work of the transaction stays
    DesdobramentoReceber dados;
    dados.valorTotal = 100;
    dados.tabelaVencimento = "03";
    dados.documento = "S00027";
    dados.cliente = "00001";
    dados.aoCodigo = 27;
    EXPECT_THROW(dmGlobal->DesdobraContasReceber(dados), host::db::DbError);
    EXPECT_EQ(CarregaNumeroInteiro("count(*)", "ACRC5001", "where NUMERO_DOCUMENTO = 'S00027'"), 0);
    EXPECT_EQ(CarregaNumeroInteiro("count(*)", "ACRC5001", "where NUMERO_DOCUMENTO = 'OUTRO'"), 1);
}

TEST_F(BusinessTest, TaxesOfALine)
{
    ImpostoItemEntrada entrada;
    entrada.produto = "P1";
    entrada.operacaoDocumento = "5102";
    PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    EXPECT_DOUBLE_EQ(taxas.ipi, 10);
    EXPECT_DOUBLE_EQ(taxas.icms, 18) << "the operation has none: the product's";
    const ValoresIPI ipi = dmGlobal->NFCarregaBaseValorIPI(taxas.ipi, 200);
    EXPECT_DOUBLE_EQ(ipi.valor, 20);
    const ValoresICMS icms = dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 200, ipi.valor);
    EXPECT_DOUBLE_EQ(icms.base, 220) << "BASE_CALC_IPI S puts the IPI in the base";
    EXPECT_NEAR(icms.valor, 39.6, 1e-9);

    entrada.produto = "P2";
    entrada.operacaoLinha = "5405";
    taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    EXPECT_DOUBLE_EQ(taxas.icms, 7) << "the operation's rate";
    EXPECT_DOUBLE_EQ(taxas.terceiro, 50) << "the product's base reduction";
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 100, 0).base, 50);
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, 100, 0).valor, 3.5);
    entrada.aliquotaICMSLinha = 4;
    EXPECT_DOUBLE_EQ(dmGlobal->NFCarregaPercentualIPIeICMS(entrada).icms, 4) << "the line's own rate wins";

    dmGlobal->SetParametro("ATALIQUOTAPIS", "0.65");
    dmGlobal->SetParametro("ATALIQUOTACOFINS", "3");
    const OutrosImpostos outros = dmGlobal->NFCarregaOutrosImpostosItem(entrada, 1000);
    EXPECT_DOUBLE_EQ(outros.pis, 6.5);
    EXPECT_DOUBLE_EQ(outros.cofins, 30);
    EXPECT_DOUBLE_EQ(outros.csll, 0);
}

TEST_F(BusinessTest, SerialConditionSelectsOneDocumentItem)
{
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSDOCUMENTO, NSSERIE, NSOPERACAO, NSCLIENTE, LECODIGO,"
         " NSSEQUENCIA) values (1, 'SN1', 'P1', '000010', 'A', '5102', '00001', '001', 1)");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSDOCUMENTO, NSSERIE, NSOPERACAO, NSCLIENTE, LECODIGO,"
         " NSSEQUENCIA) values (2, 'SN2', 'P1', '000010', 'A', '5102', '00001', '001', 2)");
    const QString cond = NSRetornaCondicaoSQL("P1", "000010", "A", "5102", "00001", "001", 2, QDateTime());
    EXPECT_EQ(CarregaVariosDados("NSNUMERO", "AUGC50NS", " where 1=1 " + cond, ","), "SN2,");
    const QString none = NSRetornaCondicaoSQL("P2", "000010", "A", "5102", "00001", "001", 2, QDateTime());
    EXPECT_EQ(ContadorDados("1", "AUGC50NS", "1", none, true), 0);
    // OPCODIGO marks the movements of a pending order; the document's
    // operation is not one, so these serials still read as free.
    EXPECT_EQ(ContadorDados("PRCODIGO", "AUGC50NS", "P1", " and coalesce(OPCODIGO, 0) = 0"), 2);
}
