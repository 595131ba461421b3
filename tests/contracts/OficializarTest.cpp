// Officialising forecast instalments on a real database, one by one and in
// batch: orders and invoices, receivables renumbered and valued, notes and
// cash rows following, '*' rows kept, next forecasts, failures.

#include "tests/contracts/NotaParcelaFixture.h"

#include "contract_data/uDataTecContOficializar.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/Uprincipal.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>

namespace contractstest {
namespace {

using uDataTecContOficializar::FormataDocumento;
using uDataTecContOficializar::ValorCentesimos;

TEST(OficializarRegras, DocumentNumbersAndHundredths)
{
    EXPECT_EQ(FormataDocumento("123"), "000123");
    EXPECT_EQ(FormataDocumento("12A"), "000000") << "not a number";
    EXPECT_EQ(FormataDocumento(""), "000000");
    EXPECT_EQ(FormataDocumento("1234567"), "1234567");
    EXPECT_EQ(FormataDocumento("000042"), "000042");
    EXPECT_EQ(ValorCentesimos(1234.5), "00000123450/100.00");
    EXPECT_EQ(ValorCentesimos(0.1 + 0.2), "00000000030/100.00");
    EXPECT_EQ(ValorCentesimos(-2), "-00000000200/100.00");
}

class OficializarTest : public NotaParcelaTest {
protected:
    void SetUp() override
    {
        NotaParcelaTest::SetUp();
        exec("update AATC11AJ set CXCODIGO = '1.01' where AJCODIGO = 4");
        global->SetParametro("ATPREVISAOCAIXA", "S");
        global->IBTransaction1->commitRetaining();
        selecao = CriarIbQuery("quPesq");
    }
    void TearDown() override
    {
        selecao.reset();
        NotaParcelaTest::TearDown();
    }

    // Forecasts of the contract from January to March 2031 (three instalments).
    void prever(int contrato = 7, const QString& cliente = "C0001", int objeto = 4, double valor = 100)
    {
        int contador = 0;
        InserirParcelasContrato("R", "10/01/2031", "10/04/2031", cliente, false, "10", contrato, valor, "01", "2",
                                "001", "10/01/2031", "M", contador, objeto, "01", "", false, "", true, nullptr, 0, 0);
    }
    // The screen's selection in "Apenas Oficializar": one row per forecast
    // (or, "Mostrar Contas Abertas", per instalment not on an order).
    host::data::Query& selecionar(const QString& extra = {}, host::data::Query* consulta = nullptr,
                                  const char* quais = "situacao_documento='V'")
    {
        host::data::Query& q = consulta ? *consulta : *selecao;
        q.close();
        q.setSql("select \r  cont.*, \r  Cli.Nome, \r  obj.ofCodigo , Rec.* from AATC05AC cont \r"
                 "Left Outer Join Augc0301 Cli On (Cont.clCodigo=Cli.codigo_cliente) "
                 "Left Outer Join Acrc5001 Rec On (Cont.acCodigo = Rec.aoCodigo) "
                 "Left outer join Aatc11Aj Obj on (Cont.AjCodigo = Obj.AjCodigo) "
                 "Where ((Cont.ACSITUACAO = 'A')  or  (Cont.ACSITUACAO is null)) "
                 "and ((Cont.acVinculo <> 'C') or (Cont.acVinculo is null)) "
                 "and not(Rec.aoCodigo is null)  and " + QString(quais) + " " +
                 extra + " order by Rec.DATA_VENCIMENTO, Cont.ACCODIGO");
        q.open();
        return q;
    }
    OpcoesOficializacao opcoes() const
    {
        OpcoesOficializacao o;
        o.filial = "01";
        return o;
    }
    QStringList receber(const QString& condicao = "where AOCODIGO = 7")
    {
        return rows("select NUMERO_DOCUMENTO, SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, PEDIDO, CRDOCUMENTOORIGINAL"
                    " from ACRC5001 " +
                    condicao + " order by DATA_VENCIMENTO, AOCODIGO");
    }

    // One forecast of January's period (it must read as `prevista`),
    // officialised: the numbers of the forecasts then written.
    QStringList previsaoSeguinte(const QString& modalidade, const QString& periodo, const QString& dia,
                                 const QString& prevista)
    {
        int contador = 0;
        InserirParcelasContrato(modalidade, "10/01/2031", "10/02/2031", "C0001", false, dia, 7, 100, "01", "2", "001",
                                "10/01/2031", periodo, contador, 4, "01", "", false, "", true, nullptr, 0, 0);
        EXPECT_EQ(receber(), QStringList{prevista});
        OficializarParcelaPesquisa(selecionar(), opcoes(), &aviso);
        return rows("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'");
    }

    std::unique_ptr<host::data::Query> selecao;
    QStringList aviso;
};

TEST_F(OficializarTest, OneByOneMakesEachForecastARenumberedReceivable)
{
    prever();
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '*' where NUMERO_DOCUMENTO = '100231'");
    ASSERT_EQ(receber(), (QStringList{"100131|V|100.00||", "100231|*|100.00||", "100331|V|100.00||"}));
    ASSERT_EQ(one("select count(*) from AUGC70OB where OBCODIGO = '100131C00011' and OBID = 'R'").toInt(), 1);
    exec("update ACXC94XP set XPVALOR = 100.004 where XPDOCUMENTO = '100131'");

    exec("update ACRC5001 set SITUACAO_DOCUMENTO = 'V' where NUMERO_DOCUMENTO = '100231'");
    host::data::Query& q = selecionar();
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '*' where NUMERO_DOCUMENTO = '100231'");
    OficializarParcelaPesquisa(q, opcoes(), &aviso);

    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '04/01/2031'"),
              (QStringList{"000001||100.00|000001|", "000002|*|100.00|000002|", "000003||100.00|000003|"}))
        << "a '*' row keeps its mark but is numbered and valued, and names its order";
    EXPECT_EQ(one("select count(*) from ACRC5001 where DATA_EMISSAO = 'today' and AOCODIGO = 7"
                  " and DATA_VENCIMENTO < '04/01/2031'")
                  .toInt(),
              3);
    EXPECT_EQ(one("select count(*) from AUGC70OB where OBCODIGO = '000001C00011' and OBID = 'R'").toInt(), 1)
        << "the note follows the number";
    EXPECT_EQ(rows("select XPDOCUMENTO, XPVALOR from ACXC94XP where XPID = 'R' and XPDOCUMENTO = '000001'"),
              QStringList{"000001|100.00"})
        << "cash rows renumbered and rounded";
    EXPECT_EQ(rows("select DOCUMENTO, COD_PEDIDO from ACEM1401 order by DOCUMENTO"),
              (QStringList{"000001|000001", "000002|000002", "000003|000003"}));
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO >= '04/01/2031'"),
              (QStringList{"100431|V|100.00||", "100531|V|100.00||", "100631|V|100.00||"}))
        << "each instalment brings the period after the contract's last due date";
    EXPECT_FALSE(selecao->active()) << "the one-by-one run closes the selection";
    ASSERT_TRUE(fmNotaFiscal) << "the emission form shows the run's invoices";
    EXPECT_EQ(fmNotaFiscal->quNotaFiscal->recordCount(), 3);
    EXPECT_TRUE(messages().contains("Operação efetuada com sucesso!"));
}

// A contract due at the month's end: the forecast after its last due date
// is the next month's, also when the next month is shorter (a month and a
// day after the 31st of January is the 1st of March, which left February
// without a forecast, so never billed).
TEST_F(OficializarTest, NextForecastAfterAMonthsEndDueDateIsTheNextMonths)
{
    exec("update AATC05AC set ACVENCIMENTO = 31 where ACCODIGO = 7");
    EXPECT_EQ(previsaoSeguinte("R", "M", "31", "310131|V|100.00||"), QStringList{"280231"});
}

// Under "I" an instalment falls due in the month after its period: the
// forecast after the last due date is the next month's (monthly) or three
// months on (quarterly), not a month more (which skipped every other month).
TEST_F(OficializarTest, NextForecastOfAnIntermediateContractFollowsItsLastDueDate)
{
    exec("update AATC05AC set ACMODALIDADE = 'I' where ACCODIGO = 7");
    EXPECT_EQ(previsaoSeguinte("I", "M", "10", "100231|V|100.00||"), QStringList{"100331"});
    exec("delete from ACRC5001");
    exec("update AATC05AC set ACPERIODO = 'T' where ACCODIGO = 7");
    EXPECT_EQ(previsaoSeguinte("I", "T", "10", "100231|V|300.00||"), QStringList{"100531"});
}

TEST_F(OficializarTest, ReceiptModeKeepsTheForecastNumber)
{
    global->SetParametro("ATRECIBOCONTRATO", "F");
    prever();
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    EXPECT_EQ(receber("where NUMERO_DOCUMENTO = '100131'"), QStringList{"100131||100.00|000001|000001"});
    EXPECT_EQ(one("select count(*) from AUGC70OB where OBCODIGO = '100131C00011'").toInt(), 1);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '100131'").toInt(), 1);
}

TEST_F(OficializarTest, ZeroValueQuestionAndNoNextForecastWhenSwitchedOff)
{
    prever();
    exec("update ACRC5001 set VALOR_DOCUMENTO = 0 where NUMERO_DOCUMENTO = '100131'");
    dialogs->answer("Não", "O valor do contrato código 7 de vencimento 10/01/2031 está zerado. Tem certeza de que"
                           " deseja faturar essa parcela?");
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO in ('100131', '100231')"), [this] {
        OpcoesOficializacao o = opcoes();
        o.bNaoGeraPrevisao = true;
        return o;
    }(), &aviso);
    EXPECT_EQ(receber(), (QStringList{"100131|V|0.00||", "000001||100.00|000001|", "100331|V|100.00||"}))
        << "'Não' leaves the forecast; no new forecast is written";
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), 1);
}

TEST_F(OficializarTest, FailedEmissionLeavesTheReceivableAsItWas)
{
    prever();
    exec("update AATC11AJ set OFCODIGO = '9999' where AJCODIGO = 4");
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    EXPECT_EQ(receber(), (QStringList{"100131|V|100.00|000001|", "100231|V|100.00||", "100331|V|100.00||"}))
        << "still a forecast, its number and value untouched, its order kept on it";
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0);
    ASSERT_EQ(aviso.size(), 1);
    EXPECT_EQ(aviso[0], "Contrato 7: pedido 000001 sem nota fiscal; a parcela 100131 continua prevista.");
    EXPECT_FALSE(fmNotaFiscal) << "no invoice to show";
}

// The run again after its invoice was refused, the order's operation
// mended: the order already made is invoiced; no second order is made.
TEST_F(OficializarTest, ARunAfterAFailedEmissionInvoicesTheSameOrder)
{
    prever();
    exec("update AATC11AJ set OFCODIGO = '9999' where AJCODIGO = 4");
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    EXPECT_EQ(rows("select count(*) from AVEC8501"), QStringList{"1"}) << "the same refusal makes no new order";
    exec("update AVEC8501 set OPERACAO = '5933' where NUMERO_PEDIDO = '000001'");
    exec("update AVEC85IT set VEITCFOP = '5933' where NUMERO_PEDIDO = '000001'");
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    EXPECT_EQ(rows("select NUMERO_PEDIDO from AVEC8501"), QStringList{"000001"});
    EXPECT_EQ(rows("select DOCUMENTO, COD_PEDIDO from ACEM1401"), QStringList{"000001|000001"});
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '02/01/2031'"), QStringList{"000001||100.00|000001|"});
}

// A forecast officialised at another desk after this selection read it is
// left alone: no second order, invoice or next forecast.
TEST_F(OficializarTest, AForecastOfficialisedElsewhereAfterTheSearchIsLeftAlone)
{
    prever();
    host::data::Query& q = selecionar("and Rec.NUMERO_DOCUMENTO = '100131'");
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = ' ', PEDIDO = '000777' where NUMERO_DOCUMENTO = '100131'");
    global->IBTransaction1->commitRetaining();
    OficializarParcelaPesquisa(q, opcoes(), &aviso);
    EXPECT_EQ(rows("select count(*) from AVEC8501"), QStringList{"0"});
    EXPECT_EQ(rows("select count(*) from ACRC5001 where AOCODIGO = 7"), QStringList{"3"}) << "no next forecast";
    EXPECT_EQ(aviso, QStringList{"Contrato 7: a parcela 100131 já foi oficializada; nada foi gerado."});
}

// "Mostrar Contas Abertas" under ATRECIBOCONTRATO "F" at two desks: the
// open instalment keeps its number when billed, so the read after the hold
// tells it by its invoice; the desk that listed it too bills nothing.
TEST_F(OficializarTest, AnOpenInstalmentBilledElsewhereUnderItsOwnNumberIsLeftAlone)
{
    global->SetParametro("ATRECIBOCONTRATO", "F");
    prever();
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = '' where NUMERO_DOCUMENTO = '100131'");
    OpcoesOficializacao abertas = opcoes();
    abertas.bContasAbertas = true;
    const char* semPedido = "Coalesce(Rec.PEDIDO,'') = ''";
    const QString umaParcela = "and Rec.NUMERO_DOCUMENTO = '100131'";
    host::data::Query& aqui = selecionar(umaParcela, nullptr, semPedido);
    aqui.last();   // read whole, as the screen lists it
    const auto outraMesa = CriarIbQuery("quPesqOutraMesa");
    OficializarParcelaPesquisa(selecionar(umaParcela, outraMesa.get(), semPedido), abertas, &aviso);
    OficializarParcelaPesquisa(aqui, abertas, &aviso);
    EXPECT_EQ(rows("select count(*) from ACEM1401"), QStringList{"1"});
    EXPECT_EQ(aviso, QStringList{"Contrato 7: a parcela 100131 já foi oficializada; nada foi gerado."});
}

TEST_F(OficializarTest, OrderOnlyContractTakesTheOrderNumberAndValue)
{
    contrato("ACGERAPV = 'S'");
    prever();
    EXPECT_THROW(OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso),
                 host::Abort)
        << "with orders only, the final message ends the run";
    EXPECT_EQ(receber("where PEDIDO is not null"), QStringList{"000001||100.00|000001|"});
    EXPECT_EQ(one("select count(*) from ACEM1401").toInt(), 0);
    EXPECT_TRUE(messages().contains("Operação efetuada com sucesso!"));
}

TEST_F(OficializarTest, MainWindowTimerHandlerComesBack)
{
    TfmPrincipal principal;
    int batidas = 0;
    principal.tmPrincipalTimer = [&batidas] { ++batidas; };
    prever();
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    ASSERT_TRUE(principal.tmPrincipalTimer);
    principal.tmPrincipalTimer();
    EXPECT_EQ(batidas, 1);
}

class OficializarLoteTest : public OficializarTest {
protected:
    void SetUp() override
    {
        OficializarTest::SetUp();
        // Contract 8 bills through an object without an operation; 9 wants orders only.
        exec("insert into AATC11AJ (AJCODIGO, AJOBJETO, AJCOMPLNF) values (6, 'Sem operação', '2 - Objeto')");
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
             " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO) values (8, 'C0002', 'R', 'M', 10, 'S', 50, '01', 6, 'A')");
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
             " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO, ACGERAPV)"
             " values (9, 'C0002', 'R', 'M', 15, 'S', 70, '01', 4, 'A', 'S')");
    }
};

TEST_F(OficializarLoteTest, BatchGoesOnAfterAFailedRowAndReportsIt)
{
    prever(7);
    prever(8, "C0002", 6, 50);
    prever(9, "C0002", 4, 70);
    host::data::Query& q = selecionar("and Rec.DATA_VENCIMENTO < '02/01/2031'");
    ASSERT_EQ(q.recordCount(), 3);
    OficializarParcelaPesquisaLote(q, opcoes(), &aviso);

    const QStringList textos = messages();
    EXPECT_TRUE(textos.filter("Erro na geração do pedido do contrato 8").size() == 1) << textos.join("\n").toStdString();
    EXPECT_TRUE(textos.contains("Objeto 6 não possui operação válida para gerar nota fiscal!"));
    EXPECT_EQ(receber("where DATA_VENCIMENTO < '02/01/2031'"),
              (QStringList{"000001||100.00|000001|", "100131|V|50.00||", "100131||70.00|000002|"}))
        << "contract 7 invoiced and renumbered, 8 still a forecast, 9 (order only) keeps its number";
    EXPECT_EQ(rows("select DOCUMENTO, COD_PEDIDO from ACEM1401"), QStringList{"000001|000001"});
    EXPECT_EQ(rows("select PAG10 from ACRC5001 where NUMERO_DOCUMENTO = '000001'"), QStringList{"100.00"});
    EXPECT_TRUE(textos.last().startsWith("Operação efetuada com sucesso!")) << textos.last().toStdString();
    EXPECT_TRUE(selecao->active()) << "the batch leaves its selection open";
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO >= '04/01/2031'"), QStringList{"100431|V|100.00||"});
}

// A batch run again after its invoice was refused keeps the order it made:
// the order, mended, is the one invoiced.
TEST_F(OficializarLoteTest, ARunAfterARefusedInvoiceInvoicesTheSameOrder)
{
    prever(7);
    exec("update AATC11AJ set OFCODIGO = '9999' where AJCODIGO = 4");
    const QString janeiro = "and Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO < '02/01/2031'";
    OficializarParcelaPesquisaLote(selecionar(janeiro), opcoes(), &aviso);
    OficializarParcelaPesquisaLote(selecionar(janeiro), opcoes(), &aviso);
    EXPECT_EQ(rows("select NUMERO_PEDIDO from AVEC8501"), QStringList{"000001"});
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '02/01/2031'"), QStringList{"100131|V|100.00|000001|"});

    exec("update AVEC8501 set OPERACAO = '5933' where NUMERO_PEDIDO = '000001'");
    exec("update AVEC85IT set VEITCFOP = '5933' where NUMERO_PEDIDO = '000001'");
    OficializarParcelaPesquisaLote(selecionar(janeiro), opcoes(), &aviso);
    EXPECT_EQ(rows("select NUMERO_PEDIDO from AVEC8501"), QStringList{"000001"});
    EXPECT_EQ(rows("select DOCUMENTO, COD_PEDIDO from ACEM1401"), QStringList{"000001|000001"});
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '02/01/2031'"), QStringList{"000001||100.00|000001|"});
}

// A receivable that refuses its order's number (held by another desk; here
// a trigger refuses it) leaves no order behind, and the next order takes
// the number the undone one had.
TEST_F(OficializarLoteTest, AReceivableRefusingItsOrderNumberLeavesNoOrder)
{
    prever(7);
    exec("create exception EX_RECUSA 'Parcela em uso'");
    exec("create trigger TG_RECUSA for ACRC5001 before update as begin"
         " if (new.PEDIDO is distinct from old.PEDIDO and new.DATA_VENCIMENTO = '2031-01-10') then"
         " exception EX_RECUSA; end");
    global->IBTransaction1->commitRetaining();
    OficializarParcelaPesquisaLote(selecionar("and Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO < '03/01/2031'"),
                                   opcoes(), &aviso);
    const QStringList textos = messages();
    EXPECT_EQ(textos.filter("Erro na geração do pedido do contrato 7").size(), 1) << textos.join("\n").toStdString();
    EXPECT_EQ(rows("select NUMERO_PEDIDO, AOCODIGO from AVEC8501"), QStringList{"000001|7"});
    EXPECT_EQ(rows("select count(*) from AVEC85IT"), QStringList{"1"});
    EXPECT_EQ(rows("select count(*) from AUGC70OB where OBID = 'V'"), QStringList{"1"});
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '03/01/2031'"),
              (QStringList{"100131|V|100.00||", "000001||100.00|000001|"}));
}

TEST_F(OficializarLoteTest, InvoiceNumbersRunOnAcrossRunsWithoutGapsOrRepeats)
{
    prever(7);
    OficializarParcelaPesquisa(selecionar("and Rec.NUMERO_DOCUMENTO = '100131'"), opcoes(), &aviso);
    OficializarParcelaPesquisaLote(selecionar("and Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO < '04/01/2031'"),
                                   opcoes(), &aviso);
    EXPECT_EQ(rows("select DOCUMENTO, SERIE_DOC from ACEM1401 order by DOCUMENTO"),
              (QStringList{"000001|01", "000002|01", "000003|01"}));
    EXPECT_EQ(receber("where AOCODIGO = 7 and DATA_VENCIMENTO < '04/01/2031'"),
              (QStringList{"000001||100.00|000001|", "000002||100.00|000002|", "000003||100.00|000003|"}));
}

TEST_F(OficializarLoteTest, OnlyOrderOnlyContractsRunNoInvoicePass)
{
    prever(9, "C0002", 4, 70);
    OficializarParcelaPesquisaLote(selecionar("and Rec.AOCODIGO = 9 and Rec.DATA_VENCIMENTO < '02/01/2031'"),
                                   opcoes(), &aviso);
    EXPECT_FALSE(fmNotaFiscal);
    EXPECT_EQ(messages().last(), "Foram gerados pedidos sem emissão de NF!\n'000001'");
}

// A batch of more orders than the invoice pass lists at a time: every order
// of every listing is invoiced once, and each receivable takes its own
// order's invoice (the last listing, short of orders, invoices no other).
TEST_F(OficializarLoteTest, ABatchOfMoreOrdersThanOneListingInvoicesEachOrderOnce)
{
    int contador = 0;
    InserirParcelasContrato("R", "10/01/2031", "10/07/2039", "C0001", false, "10", 7, 100, "01", "2", "001",
                            "10/01/2031", "M", contador, 4, "01", "", false, "", true, nullptr, 0, 0);
    host::data::Query& q = selecionar("and Rec.AOCODIGO = 7");
    const int parcelas = q.recordCount();
    ASSERT_GT(parcelas, 100);
    OpcoesOficializacao semPrevisao = opcoes();
    semPrevisao.bNaoGeraPrevisao = true;
    OficializarParcelaPesquisaLote(q, semPrevisao, &aviso);

    const QString total = QString::number(parcelas);
    EXPECT_EQ(rows("select count(*), count(distinct COD_PEDIDO) from ACEM1401"), QStringList{total + "|" + total});
    EXPECT_EQ(rows("select count(*) from AVEC8501 where IMPRESSO_NF = 'S'"), QStringList{total});
    EXPECT_EQ(rows("select count(*) from ACRC5001 r join ACEM1401 n on (n.COD_PEDIDO = r.PEDIDO"
                   " and n.DOCUMENTO = r.NUMERO_DOCUMENTO) where r.AOCODIGO = 7 and r.SITUACAO_DOCUMENTO = ' '"),
              QStringList{total})
        << "each receivable renumbered after its own order's invoice";
    EXPECT_TRUE(messages().last().startsWith("Operação efetuada com sucesso!")) << messages().last().toStdString();
}

// Each further instalment of a batch costs the same statements, and none of
// them is prepared again: what the passes run per row is kept prepared.
TEST_F(OficializarLoteTest, EachInstalmentCostsTheSameStatementsAndNoPrepare) {
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
         " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO) values (11, 'C0002', 'R', 'M', 10, 'S', 100, '01', "
         "4, 'A')");
    prever(7);
    prever(11, "C0002", 4, 100);
    OpcoesOficializacao semPrevisao = opcoes();
    semPrevisao.bNaoGeraPrevisao = true;
    OficializarParcelaPesquisaLote(selecionar("and Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO < '02/01/2031'"),
                                   semPrevisao, &aviso); // prepares what is kept

    testsupport::StatementCounter uma;
    OficializarParcelaPesquisaLote(selecionar("and Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO >= '02/01/2031' "
                                              "and Rec.DATA_VENCIMENTO < '03/01/2031'"),
                                   semPrevisao, &aviso);
    const int custoUma = uma.count(), preparosUma = uma.prepares();

    testsupport::StatementCounter duas;
    OficializarParcelaPesquisaLote(
        selecionar("and ((Rec.AOCODIGO = 7 and Rec.DATA_VENCIMENTO >= '03/01/2031' and"
                   " Rec.DATA_VENCIMENTO < '04/01/2031') or (Rec.AOCODIGO = 11 and"
                   " Rec.DATA_VENCIMENTO < '02/01/2031'))"),
        semPrevisao, &aviso);
    const int custoDuas = duas.count(), preparosDuas = duas.prepares();
    std::printf("[ cost ] batch of one instalment: %d statements, %d prepared; of two: %d, %d prepared\n",
                custoUma, preparosUma, custoDuas, preparosDuas);
    EXPECT_EQ(custoDuas - custoUma, 27)
        << "order 11 (the receivable held and its state read again, the billing object read once per batch, the"
           " contract once per order, the number taken and tested in one statement, one savepoint over the order"
           " and its number on the receivable), invoice 7,"
           " receivable 9 (held again) for each further instalment";
    EXPECT_LE(preparosDuas, preparosUma) << "no statement prepared per instalment";
    EXPECT_LE(preparosUma, 2) << "the run's own selection and list of invoices; the invoice pass lists its orders"
                                 " by one text in every run, prepared once";
    EXPECT_EQ(rows("select count(*) from ACEM1401"), QStringList{"4"});
}

}  // namespace
}  // namespace contractstest
