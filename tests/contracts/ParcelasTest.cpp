// Forecast instalments of a contract on a real database: the value rule,
// the withheld taxes, the generator's rows, numbers, replacements, cash
// forecast and observations, and what one instalment costs in statements.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"
#include "tests/support/TestDatabase.h"

#include <QPushButton>
#include <QRegularExpression>

namespace contractstest {
namespace {

class ParcelasTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0002', 'Dois')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, CXCODIGO)"
                 " values (4, 'Manutenção', 'Manutenção mensal', '2 - Objeto', '1.01')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
                 " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACVINCULO)"
                 " values (7, 'C0001', 'R', 'M', 10, 'N', 99, '01', 4, 'P')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (1, 'C0001', 'P1', 7, 30)",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (2, 'C0001', 'P2', 7, 20)",
             })
            exec(sql);
        global->SetParametro("ATPREVISAOCAIXA", "S");
        global->IBTransaction1->commitRetaining();
    }

    int gerar(const QString& inicio, const QString& fim, const QString& modalidade = "R", int contrato = 7,
              const QString& dia = "10", const QString& periodo = "M", QStringList* mensagens = nullptr)
    {
        int contador = 0;
        InserirParcelasContrato(modalidade, inicio, fim, "C0001", false, dia, contrato, 99, "01", "2", "001",
                                inicio, periodo, contador, 4, "01", "", false, "", true, mensagens, 0, 0);
        return contador;
    }

    QStringList rows(const QString& sql)
    {
        host::db::Statement st(*global->IBTransaction1, sql);
        st.execute();
        QStringList out;
        while (st.fetch()) {
            QStringList cols;
            for (int i = 0; i < st.columnCount(); ++i) {
                const QVariant v = st.value(i);
                cols << (v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString("yyyy-MM-dd")
                         : v.typeId() == QMetaType::Double  ? QString::number(v.toDouble(), 'f', 2)
                                                            : v.toString());
            }
            out << cols.join("|");
        }
        return out;
    }

    QStringList receivables()
    {
        return rows("select NUMERO_DOCUMENTO, SEQUENCIA, SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_VENCIMENTO"
                    " from ACRC5001 order by DATA_VENCIMENTO, NUMERO_DOCUMENTO, SEQUENCIA");
    }
};

TEST_F(ParcelasTest, MonthlySpanWritesReceivableCashAndObservation)
{
    EXPECT_EQ(gerar("10/01/2031", "10/04/2031"), 3);
    EXPECT_EQ(receivables(), (QStringList{"100131|1.00|V|50.00|2031-01-10", "100231|1.00|V|50.00|2031-02-10",
                                          "100331|1.00|V|50.00|2031-03-10"}));
    EXPECT_EQ(rows("select distinct CODIGO_CLIENTE, CODIGO_FILIAL, SERIE_DOCUMENTO, TIPO_PAGAMENTO, AOCODIGO,"
                   " OBSERVACAO, ORIGEM, NUMERO_DO_BANCO, DATA_EMISSAO, VALOR_ORIGINAL from ACRC5001"),
              QStringList{"C0001|01|01|2|7|Lancto. a Partir de Contas a Receber Gerado via Contrato.|C|001|"
                          "2031-01-10|50.00"});
    EXPECT_EQ(rows("select XPID, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA, XPLOCAL, XCCODIGO, XPVALOR from ACXC94XP"
                   " order by XPDOCUMENTO"),
              (QStringList{"R|100131|C0001|1|01|1.01|50.00", "R|100231|C0001|1|01|1.01|50.00",
                           "R|100331|C0001|1|01|1.01|50.00"}));
    EXPECT_EQ(rows("select OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO from AUGC70OB order by OBCODIGO").first(),
              "100131C00011|R|0|Manutenção mensal");
}

TEST_F(ParcelasTest, WindowsAndEmptySpans)
{
    EXPECT_EQ(gerar("10/01/2031", "20/01/2031", "A"), 0);
    EXPECT_EQ(gerar("10/01/2031", "10/04/2031", "A"), 3);
    EXPECT_EQ(one("select min(DATA_VENCIMENTO) from ACRC5001").toDateTime().date(), QDate(2031, 1, 10));
    exec("delete from ACRC5001");
    // "I": from the 15th of the month after the first period.
    EXPECT_EQ(gerar("10/01/2031", "10/04/2031", "I"), 3);
    EXPECT_EQ(one("select min(DATA_VENCIMENTO) from ACRC5001").toDateTime().date(), QDate(2031, 2, 10));
}

TEST_F(ParcelasTest, MissingDaysAndWeekdays)
{
    // Day 31 from January: Jan 31, Feb 28, Mar 31.
    EXPECT_EQ(gerar("10/01/2031", "10/04/2031", "R", 7, "31"), 3);
    EXPECT_EQ(rows("select DATA_VENCIMENTO from ACRC5001 order by 1"),
              (QStringList{"2031-01-31", "2031-02-28", "2031-03-31"}));
    exec("delete from ACRC5001");
    // Day 29 with a February start of a common year: the 28th, no failure.
    EXPECT_EQ(gerar("10/02/2031", "10/04/2031", "A", 7, "29"), 2);
    EXPECT_EQ(rows("select DATA_VENCIMENTO from ACRC5001 order by 1"), (QStringList{"2031-02-28", "2031-03-29"}));
    exec("delete from ACRC5001");
    // Day 30 from February: the 28th in February only.
    EXPECT_EQ(gerar("10/02/2031", "10/04/2031", "R", 7, "30"), 2);
    EXPECT_EQ(rows("select DATA_VENCIMENTO from ACRC5001 order by 1"), (QStringList{"2031-02-28", "2031-03-30"}));
    exec("delete from ACRC5001");
    // Weekly due day 2 (Monday) from the contract's day 10.
    exec("update AATC05AC set ACVENCIMENTOSEMANA = 2 where ACCODIGO = 7");
    EXPECT_EQ(gerar("10/03/2031", "10/05/2031"), 2);
    EXPECT_EQ(rows("select DATA_VENCIMENTO from ACRC5001 order by 1"), (QStringList{"2031-03-10", "2031-04-14"}));
}

TEST_F(ParcelasTest, AFailedInstalmentLeavesNothingOfItsOwn)
{
    exec("create exception E_CAIXA 'sem caixa'");
    exec("create trigger T_CAIXA for ACXC94XP before insert as begin"
         " if (new.XPDOCUMENTO = '100231') then exception E_CAIXA; end");
    int contador = 0;
    EXPECT_THROW(InserirParcelasContrato("R", "10/01/2031", "10/04/2031", "C0001", false, "10", 7, 99, "01", "2", "",
                                         "10/01/2031", "M", contador, 4, "01", "", false, "", true, nullptr, 0, 0),
                 host::db::DbError);
    EXPECT_EQ(contador, 1);
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(receivables(), QStringList{"100131|1.00|V|50.00|2031-01-10"});
    EXPECT_EQ(one("select count(*) from AUGC70OB").toInt(), 1);
}

// The cash template rebuilt from the items commits its own rows; that commit
// must not make the failing instalment's receivable, nor the deletion of the
// forecast it replaces, stay.
TEST_F(ParcelasTest, AFailedInstalmentLeavesNothingOfItsOwnAlsoWhenTheTemplateIsRebuilt)
{
    global->SetParametro("ATCONTAPREVISAOPRODUTO", "P");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, XCCODIGO) values ('P1', 'Um', '2.01')");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, XCCODIGO) values ('P2', 'Dois', '2.02')");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, AOCODIGO,"
         " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_VENCIMENTO) values ('100231', 'C0001', 1, '01', 7, 'V', 77,"
         " '2031-02-10')");
    exec("create exception E_CAIXA 'sem caixa'");
    exec("create trigger T_CAIXA for ACXC94XP before insert as begin"
         " if (new.XPDOCUMENTO = '100231') then exception E_CAIXA; end");
    EXPECT_THROW(gerar("10/01/2031", "10/04/2031"), host::db::DbError);
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(receivables(), (QStringList{"100131|1.00|V|50.00|2031-01-10", "100231|1.00|V|77.00|2031-02-10"}));
}

TEST_F(ParcelasTest, ADueDateAlreadyReachedMovesTheSpanAMonthOn)
{
    const QDate hoje = QDate::currentDate();
    const QString inicio = QDate(hoje.year(), hoje.month(), 1).toString("dd/MM/yyyy");
    const QString fim = QDate(hoje.year(), hoje.month(), 1).addMonths(2).toString("dd/MM/yyyy");
    EXPECT_EQ(gerar(inicio, fim, "A", 7, QString::number(std::min(hoje.day(), 28))), 2);
    const QDate primeiro = one("select min(DATA_VENCIMENTO) from ACRC5001").toDateTime().date();
    EXPECT_EQ(primeiro.month(), hoje.addMonths(1).month());
}

TEST_F(ParcelasTest, TracedStepsShowTheirDates)
{
    bDetectarErroSQL = true;
    gerar("10/01/2031", "10/02/2031");
    bDetectarErroSQL = false;
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages().first().split(QRegularExpression("[\r\n]")),
              (QStringList{" [InserirParcelasContrato] ",
                           " Data Corrente:31/01/2031  Data Vencimento:10/01/2031  Data Fim:28/02/2031"}));
}

TEST_F(ParcelasTest, InvoicingAtOnceIsRefusedBeforeAnyRow)
{
    gerar("10/01/2031", "10/02/2031");
    int contador = 0;
    EXPECT_ANY_THROW(InserirParcelasContrato("R", "10/01/2031", "10/03/2031", "C0001", true, "10", 7, 99, "01", "2",
                                             "", "10/01/2031", "M", contador, 4, "01", "", true, "", true, nullptr, 0,
                                             0));
    EXPECT_EQ(contador, 0);
    EXPECT_EQ(receivables(), QStringList{"100131|1.00|V|50.00|2031-01-10"});
}

TEST_F(ParcelasTest, InvalidDatesWriteNothing)
{
    int contador = 0;
    EXPECT_ANY_THROW(InserirParcelasContrato("R", "31/02/2031", "10/04/2031", "C0001", false, "10", 7, 99, "01", "2", "",
                                         "10/01/2031", "M", contador, 4, "01", "", false, "", true, nullptr, 0, 0));
    EXPECT_TRUE(messages().contains("Data Inicial/Final inválidas!"));
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 0);
}

TEST_F(ParcelasTest, RegenerationReplacesForecastsAndKeepsRealReceivables)
{
    gerar("10/01/2031", "10/04/2031");
    // February was officialised under its date number; March got a manual receivable of its own.
    exec("update ACRC5001 set SITUACAO_DOCUMENTO = null where NUMERO_DOCUMENTO = '100231'");
    exec("update AATC05ACIT set ACITVALOR = 40 where ACITCODIGO = 1");
    gerar("10/01/2031", "10/04/2031");
    EXPECT_EQ(receivables(), (QStringList{"100131|1.00|V|60.00|2031-01-10", "100231|1.00||50.00|2031-02-10",
                                          "100331|1.00|V|60.00|2031-03-10"}));
    // The replaced rows took their cash forecast and observation with them.
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 3);
    EXPECT_EQ(one("select count(*) from AUGC70OB").toInt(), 3);
}

TEST_F(ParcelasTest, OpenReceivablesNumberedByTheContract)
{
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    exec("update AATC05AC set ACCODIGO = 42 where ACCODIGO = 7");
    exec("update AATC05ACIT set ACCODIGO = 42");
    EXPECT_EQ(gerar("10/01/2031", "10/03/2031", "R", 42), 2);
    EXPECT_EQ(receivables(), (QStringList{"000042|1.00||50.00|2031-01-10", "000042|2.00||50.00|2031-02-10"}));
}

TEST_F(ParcelasTest, CashTemplateRescaledToTheInstalment)
{
    exec("update AATC05AC set ACVALORFIXO = 'S', ACVALORPARCELA = 150 where ACCODIGO = 7");
    global->InserirCXPrevisao({}, {}, "01", "C", {}, "1.01", {}, 0, 60, false, {}, 7, -1);
    global->InserirCXPrevisao({}, {}, "01", "C", {}, "1.02", {}, 0, 40, false, {}, 7, -1);
    exec("update AATC05AC set ACCODIGO = 7 where ACCODIGO = 7");
    QStringList mensagens;
    bool revisada = false;
    dialogs->modal("fmCXPrevisao", [&](host::ui::Form& form) {
        revisada = form.findChild<host::ui::DataGrid*>("dbgdCXPrev")->dataset()->recordCount() == 2;
        form.findChild<QPushButton*>("bbConfirmar")->click();
    });
    EXPECT_EQ(gerar("10/01/2031", "10/02/2031", "R", 7, "10", "M", &mensagens), 1);
    EXPECT_TRUE(revisada);
    EXPECT_EQ(rows("select XCCODIGO, XPVALOR from ACXC94XP where XPID = 'R' order by XPCHAVE"),
              (QStringList{"1.01|90.00", "1.02|60.00"}));
    EXPECT_EQ(mensagens, QStringList{"Previsão do Contrato 7 da Data 10/01/2031 foi alterada."});
}

TEST_F(ParcelasTest, TemplateRebuiltFromTheItemsProductAccounts)
{
    global->SetParametro("ATCONTAPREVISAOPRODUTO", "P");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, XCCODIGO) values ('P1', 'Um', '2.01')");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, XCCODIGO) values ('P2', 'Dois', '2.02')");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (3, 'C0001', 'P1', 7, 10)");
    EXPECT_EQ(gerar("10/01/2031", "10/03/2031"), 2);
    // Lines of 40 (P1) and 20 (P2) for an instalment of 60: one template row per account.
    EXPECT_EQ(rows("select XCCODIGO, XPVALOR from ACXC94XP where XPID = 'C' order by XCCODIGO"),
              (QStringList{"2.01|40.00", "2.02|20.00"}));
    EXPECT_EQ(rows("select XCCODIGO, sum(XPVALOR) from ACXC94XP where XPID = 'R' group by XCCODIGO"),
              (QStringList{"2.01|80.00", "2.02|40.00"}));
}

TEST_F(ParcelasTest, NoCashAccountIsToldAndTheInstalmentStays)
{
    exec("update AATC11AJ set CXCODIGO = null");
    EXPECT_EQ(gerar("10/01/2031", "10/02/2031"), 1);
    // Messages show their carriage returns as line breaks.
    EXPECT_EQ(messages().value(0).split(QRegularExpression("[\r\n]")),
              (QStringList{"Não foi possível lançar previsão de caixa da parcela 100131/1 do contrato 7.",
                           "Não foi encontrada conta relacionada no contrato e/ou objeto."}));
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 1);
}

TEST_F(ParcelasTest, AuxiliaryObjectTextIsAppended)
{
    exec("insert into AATC11AJ (AJCODIGO, AJOBJETO, AJCOMPLNF) values (5, 'Suporte', '2')");
    exec("update AATC05AC set AJCODIGOAUXILIAR = 5 where ACCODIGO = 7");
    gerar("10/01/2031", "10/02/2031");
    EXPECT_EQ(one("select OBTEXTO from AUGC70OB").toString(), "Manutenção mensal\rSuporte");
}

TEST_F(ParcelasTest, TextsAreReadAgainByTheNextRun)
{
    gerar("10/01/2031", "10/02/2031");
    exec("update AATC11AJ set AJOBJETO = 'Outro texto'");
    gerar("10/02/2031", "10/03/2031");
    EXPECT_EQ(rows("select OBTEXTO from AUGC70OB order by OBCODIGO"),
              (QStringList{"Manutenção mensal", "Outro texto"}));
    EXPECT_FALSE(dm->cacheTextos_);
}

// Two desks generating one contract's instalments: while the other desk's
// run has not ended (its first instalment written and the contract held, or
// between two instalments, the first committed), this desk is told so and
// writes nothing; run again once the other has ended, every month is
// forecast once.
TEST_F(ParcelasTest, TwoDesksGeneratingOneContractForecastEachMonthOnce)
{
    const QString janeiro = "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                            " AOCODIGO, SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_VENCIMENTO)"
                            " values ('100131', 'C0001', 1, '01', 7, 'V', 50, '2031-01-10')";
    struct Caso {
        const char* nome;
        QStringList naoComitado, comitado;
    };
    const Caso casos[] = {
        {"first instalment written", {"update AATC05AC set ACCODIGO = ACCODIGO where ACCODIGO = 7", janeiro}, {}},
        {"between two instalments", {"insert into TRAVAEXECUCAO (NOME) values ('parcelas do contrato 7')"}, {janeiro}},
    };
    for (const Caso& caso : casos) {
        exec("delete from ACRC5001");
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction feito(outra), emCurso(outra);
        for (const QString& sql : caso.comitado)
            host::db::executeSql(feito, sql);
        feito.commit();
        for (const QString& sql : caso.naoComitado)
            host::db::executeSql(emCurso, sql);
        clearMessages();
        EXPECT_THROW(gerar("10/01/2031", "10/04/2031"), host::Abort) << caso.nome;
        EXPECT_TRUE(messages().join('|').contains("O contrato 7 está sendo renovado ou tendo parcelas geradas"))
            << caso.nome << ": " << messages().join('|').toStdString();
        emCurso.commit();
        EXPECT_EQ(gerar("10/01/2031", "10/04/2031"), 3) << caso.nome;
        host::db::Transaction leitura(outra);
        EXPECT_EQ(host::db::selectValue(leitura, "select count(*) || '|' || count(distinct extract(month from"
                                                 " DATA_VENCIMENTO)) from ACRC5001 where AOCODIGO = 7")
                      .toString(),
                  "3|3")
            << caso.nome;
        leitura.commit();
    }
}

TEST_F(ParcelasTest, OneInstalmentCostsItsOwnWritesOnly)
{
    // What a run reads is paid once; each further instalment adds its own
    // three writes (its receivable, its cash row and its observation), the
    // savepoint that keeps it whole, released after its commit at no cost,
    // and the contract's row held again after the last one's commit.
    testsupport::StatementCounter um;
    gerar("10/01/2031", "10/02/2031");
    const int custoUm = um.count();
    exec("delete from ACRC5001");
    testsupport::StatementCounter doze;
    gerar("10/01/2031", "10/01/2032");
    const int porParcela = (doze.count() - custoUm) / 11;
    EXPECT_EQ(doze.count() - custoUm, 11 * porParcela);
    EXPECT_EQ(porParcela, 5);
}

// ---- the value rule on stored contracts ----

TEST_F(ParcelasTest, ValueModes)
{
    const QDateTime jan(QDate(2031, 1, 31), QTime(0, 0));
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 50);
    // Only active contractual customers count.
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (3, 'C0002', 'P', 7, 5)");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0002', 'N')");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 50);
    exec("update AATC05ACCL set ACCLATIVO = 'S'");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 55);
    // Complementary contracts add their instalment values, unless under "F".
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACVALORPARCELA) values (8, 'C0001', 12)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 8)");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 67);
    setOption("F");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 55);
    setOption("");
    // A divided complement adds one instalment of its whole, cut to cents
    // (86,58 in two is 43,29 exactly); one whose value an earlier save cut
    // still counts from the whole its contract value keeps.
    exec("update AATC05AC set ACVALORFIXO = 'D', ACVALORPARCELA = 86.58, ACQUANTIDADEPARCELA = 2 where ACCODIGO = 8");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 55 + 43.29);
    exec("update AATC05AC set ACVALORPARCELA = 11.11, ACVALOR = 100, ACQUANTIDADEPARCELA = 3 where ACCODIGO = 8");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 55 + 33.33);
    exec("update AATC05AC set ACVALORFIXO = 'S', ACVALORPARCELA = 12, ACVALOR = null where ACCODIGO = 8");
    // Quarterly: three months.
    exec("update AATC05AC set ACPERIODO = 'T' where ACCODIGO = 7");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, true), 201);
    exec("update AATC05AC set ACVALORFIXO = 'D', ACVALORPARCELA = 100, ACQUANTIDADEPARCELA = 3, ACPERIODO = 'M'"
         " where ACCODIGO = 7");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, true), 33.33);
    exec("update AATC05AC set ACVALORFIXO = 'S' where ACCODIGO = 7");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, true), 100);
    exec("update AATC05AC set ACVALORFIXO = 'P' where ACCODIGO = 7");
    exec("insert into ACOC81PM (ACCODIGO, PMDATA, PMVALORTOTAL) values (7, '2031-01-05', 10)");
    exec("insert into ACOC81PM (ACCODIGO, PMDATA, PMVALORTOTAL) values (7, '2031-01-25', 2.5)");
    exec("insert into ACOC81PM (ACCODIGO, PMDATA, PMVALORTOTAL) values (7, '2031-02-05', 99)");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 12.5);
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 7");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVSITUACAO, ACEVVALOR) values (1, 7, 'A', 15)");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVSITUACAO, ACEVVALOR) values (2, 7, 'I', 4)");
    global->SetParametro("ATSITUACAOPORITEM", "S");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 15);
    exec("update AATC11AJ set AJVALORDIARIO = 'S' where AJCODIGO = 4");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 19);
    exec("update AATC11AJ set AJVALORDIARIO = 'N' where AJCODIGO = 4");
    global->SetParametro("ATSITUACAOPORITEM", "I");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, false), 67 + 15);
    exec("update AATC05AC set ACVALOR = 321 where ACCODIGO = 7");
    setOption("E");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, jan, true), 321);
}

TEST_F(ParcelasTest, WarrantyReferenceDate)
{
    exec("update AATC05ACIT set ACITGARANTIA = 'S', ACITGARANTIADATA = '2031-03-20', ACITGARANTIAPERCENTUAL = 100"
         " where ACITCODIGO = 1");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, QDateTime(QDate(2031, 4, 10), QTime(0, 0)), false), 20);
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, QDateTime(QDate(2031, 4, 21), QTime(0, 0)), false), 50);
    exec("update AATC05AC set ACMODALIDADE = 'A' where ACCODIGO = 7");
    EXPECT_DOUBLE_EQ(dm->RetornaValorParcelaContrato(7, QDateTime(QDate(2031, 3, 21), QTime(0, 0)), false), 50);
}

TEST_F(ParcelasTest, WithheldTaxesAndTheFallbackValue)
{
    exec("insert into AFVC0901 (COD_OP, OFCALCISSQN, OFISSQN, OFCALCPIS, OFPIS) values ('5933', 'S', 5, 'S', 0.65)");
    EXPECT_DOUBLE_EQ(dm->VerificaValorISSQNContrato(1000, "5933"), 943.50);
    EXPECT_DOUBLE_EQ(dm->VerificaValorISSQNContrato(1000, "0000"), 1000);
    // No lines: the caller's value, net of the operation's taxes.
    exec("delete from AATC05ACIT");
    int contador = 0;
    InserirParcelasContrato("R", "10/01/2031", "10/02/2031", "C0001", false, "10", 7, 1000, "01", "2", "",
                            "10/01/2031", "M", contador, 4, "01", "5933", false, "", false, nullptr, 0, 0);
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001").toDouble(), 943.50);
}

}  // namespace
}  // namespace contractstest
