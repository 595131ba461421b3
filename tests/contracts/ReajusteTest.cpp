// Readjustment of contract values on a real database: the rate applied to
// items, instalment, hour value and value splits; the index kinds and the
// base month; complementary contracts raised first; forecasts generated
// again; the item-price kind; and the undo of the level kept.

#include "tests/contracts/ContractsFixture.h"

#include "contract_data/uDataTecContReajuste.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace contractstest {
namespace {

namespace R = uDataTecContReajuste;

TEST(ReajusteCentesimos, RateAndValuesAreRoundedToHundredthsHalfAwayFromZero)
{
    EXPECT_EQ(R::Centesimos(5.125), 513);
    EXPECT_EQ(R::Centesimos(5.124), 512);
    EXPECT_EQ(R::Centesimos(0), 0);
    EXPECT_EQ(R::Centesimos(100), 10000);
    EXPECT_EQ(R::Centesimos(-1.005), -101);
}

class ReajusteTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        const QString hoje = QDate::currentDate().toString("yyyy-MM-dd");
        const QString outroMes = QDate::currentDate().addMonths(-3).toString("yyyy-MM-dd");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')");
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO) values (4, 'Manutenção', 'Manutenção mensal')");
        contrato(7, "S", 100, hoje, "P");
        contrato(8, "S", 200, outroMes, "P");
        exec("update AATC05AC set ACVALORPARCELALIQUIDO = 100, ACHORAVALOR = 40 where ACCODIGO = 7");
        exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALORUNITARIO, ACITQUANTIDADE,"
             " ACITVALOR) values (1, 'C0001', 'P1', 7, 10, 3, 30)");
    }

    void contrato(int codigo, const char* fixo, double valor, const QString& base, const char* vinculo)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, CLCODIGO, ACSITUACAO, ACINDICEREAJUSTE, ACLOCAL, ACVALORFIXO,"
                     " ACVALORPARCELA, ACDATABASE, ACMULTAINDICE, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, AJCODIGO,"
                     " ACVINCULO, ACNUMEROCONTRATO) values (%1, 'C0001', 'A', 'S', '01', '%2', %3, '%4', 'IGPM', 'R',"
                     " 'M', 10, 4, '%5', 'N%1')")
                 .arg(codigo)
                 .arg(fixo)
                 .arg(valor)
                 .arg(base, vinculo));
    }

    // The selection of the window over the given contracts.
    host::data::Query& selecao(const QString& de, const QString& ate, bool bPrincipal = false)
    {
        R::FiltrosReajuste filtros;
        filtros.filial = "01";
        filtros.contratoIni = de;
        filtros.contratoFim = ate;
        contratos_.setTransaction(global->IBTransaction1.get());
        contratos_.close();
        contratos_.setSql(R::SqlPesquisaReajuste(filtros, bPrincipal));
        contratos_.open();
        return contratos_;
    }

    void reajusta(const R::OpcoesReajuste& opcoes, host::data::Query& contratos, bool bComplementares = false)
    {
        vinculados_.setTransaction(global->IBTransaction1.get());
        R::Reajuste(opcoes, vinculados_, avisos).ReajusteContrato(contratos, false, bComplementares);
    }
    void desfaz(const R::OpcoesReajuste& opcoes, host::data::Query& contratos)
    {
        vinculados_.setTransaction(global->IBTransaction1.get());
        R::Reajuste(opcoes, vinculados_, avisos).DesfazerReajusteContrato(contratos);
    }
    static R::OpcoesReajuste percentual(double taxa)
    {
        R::OpcoesReajuste o;
        o.percentual = taxa;
        return o;
    }

    double valor(const QString& sql) { return one(sql).toDouble(); }
    // The values of the statement's rows and columns, money with two places, null as "-".
    QString linhas(const QString& sql)
    {
        host::db::Statement st(*global->IBTransaction1, sql);
        st.execute();
        QStringList valores;
        while (st.fetch())
            for (int i = 0; i < st.columnCount(); ++i)
                valores << (st.isNull(i) ? QString("-") : QString::number(st.value(i).toDouble(), 'f', 2));
        return valores.join(' ');
    }
    QString item()
    {
        return linhas("select ACITVALORUNITARIO, ACITVALOR, ACITVALORUNITARIO_ANTERIOR, ACITVALOR_ANTERIOR"
                      " from AATC05ACIT where ACITCODIGO = 1");
    }
    QString texto(const QString& sql) { return one(sql).toString(); }
    void previsoes(int contrato, int meses)
    {
        const QDate inicio = QDate::currentDate().addMonths(1);
        int contador = 0;
        InserirParcelasContrato("R", inicio.toString("dd/MM/yyyy"), inicio.addMonths(meses).toString("dd/MM/yyyy"),
                                "C0001", false, "10", contrato, 1, "01", "2", "", inicio.toString("dd/MM/yyyy"), "M",
                                contador, 4, "01", "", false, "", false, nullptr, 0, 0);
    }

    QStringList avisos;
    host::data::Query contratos_{nullptr, "quPesq"};
    host::data::Query vinculados_{nullptr, "quPesqVinc"};
};

TEST_F(ReajusteTest, PercentageRaisesItemsAndHourValueByHundredthsAndCutsTheFixedValue)
{
    reajusta(percentual(5.125), selecao("7", "7"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 105.12);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELALIQUIDO from AATC05AC where ACCODIGO = 7"), 105.12);
    EXPECT_DOUBLE_EQ(valor("select ACVALORANTERIOR from AATC05AC where ACCODIGO = 7"), 100);
    EXPECT_NEAR(valor("select ACHORAVALOR from AATC05AC where ACCODIGO = 7"), 40 * 1.0513, 1e-9);
    EXPECT_EQ(item(), "10.51 31.54 10.00 30.00");
    EXPECT_EQ(messages(), QStringList{"Operação efetuada com sucesso! Total de contratos reajustados: 1"});
    EXPECT_EQ(texto("select ACDATABASEANTERIOR from AATC05AC where ACCODIGO = 7"),
              texto("select ACDATABASE from AATC05AC where ACCODIGO = 7"))
        << "the base date stays, and is this run's level to undo";
}

TEST_F(ReajusteTest, RateOfZeroStillKeepsThePreviousValuesOfThatMoment)
{
    exec("update AATC05AC set ACVALORANTERIOR = 77 where ACCODIGO = 7");
    reajusta(percentual(0), selecao("7", "7"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORANTERIOR from AATC05AC where ACCODIGO = 7"), 100);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 100);
}

TEST_F(ReajusteTest, IndexKindsSkipAContractWhoseBaseMonthIsNotTheCurrentOneButCountIt)
{
    exec("insert into AGPC7601 (MOEDA, ANO_MES, MEDIA) values ('IGPM', '" +
         QDate::currentDate().toString("yyyyMM") + "', 2.5)");
    R::OpcoesReajuste indice;
    indice.tipo = R::PorIndice;
    reajusta(indice, selecao("7", "8"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 102.5);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 8"), 200);
    EXPECT_TRUE(texto("select ACVALORANTERIOR from AATC05AC where ACCODIGO = 8").isEmpty());
    const QString mesBase = QDate::currentDate().addMonths(-3).toString("MMyy");
    EXPECT_EQ(messages(), (QStringList{"Não foi possível reajustar contrato codigo '8' devido sua data base " + mesBase,
                                       "Operação efetuada com sucesso! Total de contratos reajustados: 2"}));

    clearMessages();
    R::OpcoesReajuste media;
    media.tipo = R::PorMediaIndice;
    reajusta(media, selecao("8", "8"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 8"), 200);
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(ReajusteTest, IndexSumTakesTheMonthsStrictlyBeforeTheCurrentOne)
{
    for (const auto& [mes, media] : std::initializer_list<std::pair<const char*, double>>{
             {"203102", 0.5}, {"203103", 1}, {"203104", 2}, {"203105", 3}, {"203106", 10}})
        exec(QString("insert into AGPC7601 (MOEDA, ANO_MES, MEDIA) values ('IGPM', '%1', %2)").arg(mes).arg(media));
    exec("insert into AGPC7601 (MOEDA, ANO_MES, MEDIA) values ('INPC', '203105', 99)");
    EXPECT_DOUBLE_EQ(R::CarregaMediaIndice("IGPM", QDate(2031, 6, 15), 3), 6);
    EXPECT_DOUBLE_EQ(R::CarregaMediaIndice("IGPM", QDate(2031, 6, 15), 12), 6.5);
    EXPECT_DOUBLE_EQ(R::CarregaMediaIndice("IGPM", QDate(2031, 2, 1), 12), 0);
}

TEST_F(ReajusteTest, ComplementaryContractsAreRaisedFirstOneLevelOnly)
{
    const QString hoje = QDate::currentDate().toString("yyyy-MM-dd");
    contrato(20, "S", 50, hoje, "C");
    contrato(21, "S", 20, hoje, "C");
    contrato(22, "S", 10, hoje, "C");
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 7");
    for (const char* vinculo : {"(20, 7)", "(21, 7)", "(22, 20)"})
        exec(QString("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values ") + vinculo);
    reajusta(percentual(5.125), selecao("7", "7", true), true);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 20"), 52.56);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 21"), 21.02);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 22"), 10) << "one level only";
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 31.54 + 52.56 + 21.02)
        << "the principal's value counts its complementary contracts already raised";
    EXPECT_EQ(avisos, (QStringList{"Atualizado contrato vinculado 20", "Atualizado contrato vinculado 21"}));
    EXPECT_EQ(messages(), QStringList{"Operação efetuada com sucesso! Total de contratos reajustados: 1"});
}

TEST_F(ReajusteTest, ValueSplitsFollowTheNetValueAndAreKeptWithoutABase)
{
    for (const char* sql : {"insert into ACXC94XP (XPCHAVE, XPID, ACCODIGO, XPLOCAL, XCCODIGO, XPVALOR)"
                            " values (1, 'C', 7, '01', '1.01', 60)",
                            "insert into ACXC94XP (XPCHAVE, XPID, ACCODIGO, XPLOCAL, XCCODIGO, XPVALOR)"
                            " values (2, 'C', 7, '01', '1.02', 40)",
                            "insert into ACXC94XP (XPCHAVE, XPID, ACCODIGO, XPLOCAL, XCCODIGO, XPVALOR)"
                            " values (3, 'C', 8, '01', '1.02', 40)"})
        exec(sql);
    exec("update AATC05AC set ACVALORPARCELA = 0, ACDATABASE = '" + QDate::currentDate().toString("yyyy-MM-dd") +
         "' where ACCODIGO = 8");
    reajusta(percentual(5.125), selecao("7", "8"));
    EXPECT_EQ(linhas("select XPVALOR from ACXC94XP order by XPCHAVE"), "63.07 42.05 40.00");
}

TEST_F(ReajusteTest, ForecastsAreGeneratedAgainAtTheNewValueAndAContractWithoutThemGetsNone)
{
    previsoes(7, 5);
    const int antes = one("select count(*) from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'").toInt();
    ASSERT_GT(antes, 0);
    R::OpcoesReajuste opcoes = percentual(5.125);
    opcoes.novasProvisoes = false;
    reajusta(opcoes, selecao("7", "8"));
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'").toInt(), antes);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and VALOR_DOCUMENTO <> 105.12").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 8").toInt(), 0);
}

// An item's own receivables (monthly forecasts of the item, at its value and
// possibly for its own customer) are not the contract's instalments: the
// readjustment neither deletes them, nor counts them as months to forecast,
// nor rewrites them at the contract's value.
TEST_F(ReajusteTest, TheItemsOwnReceivablesAreNeitherDeletedCountedNorRevalued)
{
    previsoes(7, 3);
    const QString doContrato = "select count(*) from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'"
                               " and ACITCODIGO is null";
    ASSERT_EQ(one(doContrato).toInt(), 3);
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, ACITCODIGO, VALOR_DOCUMENTO, DATA_VENCIMENTO) values ('000777', 'C0001', 1, '01', 'V', 7, 1, 30,"
         " '2031-03-05')");
    R::OpcoesReajuste opcoes = percentual(10);
    opcoes.novasProvisoes = false;
    reajusta(opcoes, selecao("7", "7"));
    EXPECT_EQ(linhas("select VALOR_DOCUMENTO, PAG10 from ACRC5001 where ACITCODIGO = 1"), "30.00 -");
    EXPECT_EQ(one(doContrato).toInt(), 3) << "as many months as the contract had";

    clearMessages();
    setOption("I");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PRPRECOCONTRATO) values ('P1', 'Produto', 12.5)");
    R::OpcoesReajuste itens;
    itens.tipo = R::PorItemContrato;
    dialogs->answer("Sim", "Tem certeza de que deseja continuar?");
    reajusta(itens, selecao("7", "7"));
    EXPECT_EQ(linhas("select VALOR_DOCUMENTO, PAG10 from ACRC5001 where ACITCODIGO = 1"), "30.00 -");
}

// The forecasts of a contract without a due day fall on the 1st, as the
// register's forecast gives them, also after a readjustment.
TEST_F(ReajusteTest, AContractWithoutADueDayKeepsItsForecastsOnTheFirst)
{
    exec("update AATC05AC set ACVENCIMENTO = null where ACCODIGO = 7");
    const QDate inicio = QDate::currentDate().addMonths(1);
    int contador = 0;
    InserirParcelasContrato("R", inicio.toString("dd/MM/yyyy"), inicio.addMonths(3).toString("dd/MM/yyyy"), "C0001",
                            false, "", 7, 1, "01", "2", "", inicio.toString("dd/MM/yyyy"), "M", contador, 4, "01", "",
                            false, "", false, nullptr, 0, 0);
    const QString foraDoDia1 = "select count(*) from ACRC5001 where AOCODIGO = 7"
                               " and extract(day from DATA_VENCIMENTO) <> 1";
    ASSERT_EQ(one(foraDoDia1).toInt(), 0);
    reajusta(percentual(10), selecao("7", "7"));
    EXPECT_GT(one("select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 0);
    EXPECT_EQ(one(foraDoDia1).toInt(), 0);
}

TEST_F(ReajusteTest, UndoRestoresValueItemsAndBaseDateAndRegeneratesTheForecasts)
{
    previsoes(7, 3);
    const QString base = texto("select ACDATABASE from AATC05AC where ACCODIGO = 7");
    R::OpcoesReajuste opcoes = percentual(10);
    opcoes.atualizaDataBase = true;
    opcoes.novaDataBase = "01/03/2040";
    opcoes.novasProvisoes = false;
    reajusta(opcoes, selecao("7", "7"));
    ASSERT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 110);
    ASSERT_EQ(one("select ACDATABASE from AATC05AC where ACCODIGO = 7").toDateTime().date(), QDate(2040, 3, 1));

    clearMessages();
    desfaz(opcoes, selecao("7", "7"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 100);
    EXPECT_EQ(item(), "10.00 30.00 10.00 30.00");
    EXPECT_EQ(texto("select ACDATABASE from AATC05AC where ACCODIGO = 7"), base);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and VALOR_DOCUMENTO <> 100").toInt(), 0);
    EXPECT_GT(one("select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 0);
    EXPECT_EQ(messages(), QStringList{"Operação efetuada com sucesso! Total de contratos desfeitos: 1"});
}

TEST_F(ReajusteTest, UndoWithoutPreviousValuesLeavesTheContractAsItIs)
{
    desfaz(percentual(0), selecao("8", "8"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 8"), 200);
    EXPECT_EQ(messages(), QStringList{"Operação efetuada com sucesso! Total de contratos desfeitos: 1"});
}

// The forecasts the undo writes again fall back, where the value rule gives
// nothing, to the instalment value the undo leaves: a contract never
// readjusted keeps its own, its forecasts are not written at 0.00.
TEST_F(ReajusteTest, UndoWithoutPreviousValuesRegeneratesTheForecastsAtTheInstalmentValue)
{
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 8");
    const QDate inicio = QDate::currentDate().addMonths(1);
    int contador = 0;
    InserirParcelasContrato("R", inicio.toString("dd/MM/yyyy"), inicio.addMonths(2).toString("dd/MM/yyyy"), "C0001",
                            false, "10", 8, 200, "01", "2", "", inicio.toString("dd/MM/yyyy"), "M", contador, 4, "01",
                            "", false, "", false, nullptr, 0, 0);
    ASSERT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 8 and VALOR_DOCUMENTO = 200").toInt(), 2);
    desfaz(percentual(0), selecao("8", "8"));
    EXPECT_GT(one("select count(*) from ACRC5001 where AOCODIGO = 8").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 8 and VALOR_DOCUMENTO <> 200").toInt(), 0);
}

TEST_F(ReajusteTest, ItemPricesKindRepricesItemsAndRewritesTheForecastsInPlace)
{
    setOption("I");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PRPRECOCONTRATO) values ('P1', 'Produto', 12.5)");
    previsoes(7, 2);
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 7");
    R::OpcoesReajuste opcoes;
    opcoes.tipo = R::PorItemContrato;
    opcoes.atualizaDataBase = true;
    opcoes.novaDataBase = "01/03/2040";
    dialogs->answer("Sim", "Tem certeza de que deseja continuar?");
    reajusta(opcoes, selecao("7", "7"));
    EXPECT_EQ(item(), "12.50 37.50 10.00 30.00") << "this run's level to undo";
    EXPECT_DOUBLE_EQ(valor("select ACVALORANTERIOR from AATC05AC where ACCODIGO = 7"), 100);
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 37.5);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and (VALOR_DOCUMENTO <> 37.5 or PAG10 <> 100)")
                  .toInt(),
              0);
    EXPECT_NE(one("select ACDATABASE from AATC05AC where ACCODIGO = 7").toDateTime().date(), QDate(2040, 3, 1));

    clearMessages();
    dialogs->answer("Não");
    reajusta(opcoes, selecao("7", "7"));
    EXPECT_EQ(messages().size(), 1) << "only the question: nothing runs after \"Não\"";
}

// Re-pricing by the items keeps the instalment value gross, as the other
// kinds do: the net value (after the taxes the operation withholds) goes to
// the forecasts only. A fixed value taken net would lose the taxes again at
// every later forecast.
TEST_F(ReajusteTest, ItemPricesKindKeepsTheInstalmentValueGrossAndWritesTheForecastsNet)
{
    exec("insert into AFVC0901 (COD_OP, OFCALCISSQN, OFISSQN) values ('5933', 'S', 5)");
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 4");
    previsoes(7, 2);
    R::OpcoesReajuste opcoes;
    opcoes.tipo = R::PorItemContrato;
    dialogs->answer("Sim", "Tem certeza de que deseja continuar?");
    reajusta(opcoes, selecao("7", "7"));
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 100);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and VALOR_DOCUMENTO <> 95").toInt(), 0);
}

TEST_F(ReajusteTest, InvalidNewBaseDateChangesNothing)
{
    R::OpcoesReajuste opcoes = percentual(5);
    opcoes.atualizaDataBase = true;
    opcoes.novaDataBase = "31/02/2040";
    EXPECT_THROW(reajusta(opcoes, selecao("7", "7")), host::Abort);
    EXPECT_EQ(messages(), QStringList{"Data informada inválida."});
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 100);
}

TEST_F(ReajusteTest, AFailingContractIsLeftAsItWasAndTheEarlierOnesStayRaised)
{
    previsoes(8, 2);
    const int previsoesAntes = one("select count(*) from ACRC5001 where AOCODIGO = 8").toInt();
    ASSERT_GT(previsoesAntes, 0);
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALORUNITARIO, ACITQUANTIDADE,"
         " ACITVALOR) values (2, 'C0001', 'P1', 8, 20, 1, 20)");
    exec("create exception E_REAJUSTE_RECUSADO 'recusado'");
    // Refuses the forecasts of contract 8 only: its items, header and splits
    // are written before, its forecasts deleted before the new ones fail.
    exec("create trigger T_REAJUSTE_RECUSADO for ACRC5001 active before insert position 0 as begin"
         " if (new.AOCODIGO = 8) then exception E_REAJUSTE_RECUSADO; end");
    EXPECT_ANY_THROW(reajusta(percentual(10), selecao("7", "8")));

    global->IBTransaction1->commitRetaining();   // whatever was kept would now be stored
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 110) << "done before: kept";
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 8"), 200);
    EXPECT_TRUE(texto("select ACVALORANTERIOR from AATC05AC where ACCODIGO = 8").isEmpty());
    EXPECT_EQ(linhas("select ACITVALORUNITARIO, ACITVALOR from AATC05ACIT where ACITCODIGO = 2"), "20.00 20.00");
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 8").toInt(), previsoesAntes)
        << "its forecasts are not lost";
    EXPECT_FALSE(messages().contains("Operação efetuada com sucesso! Total de contratos reajustados: 2"));
}

TEST_F(ReajusteTest, AFailingUndoLeavesTheContractAsItWas)
{
    previsoes(7, 2);
    R::OpcoesReajuste opcoes = percentual(10);
    opcoes.novasProvisoes = false;
    reajusta(opcoes, selecao("7", "7"));
    ASSERT_EQ(item(), "11.00 33.00 10.00 30.00");
    exec("create exception E_DESFAZ_RECUSADO 'recusado'");
    exec("create trigger T_DESFAZ_RECUSADO for ACRC5001 active before insert position 0 as begin"
         " exception E_DESFAZ_RECUSADO; end");
    EXPECT_ANY_THROW(desfaz(opcoes, selecao("7", "7")));

    global->IBTransaction1->commitRetaining();
    EXPECT_DOUBLE_EQ(valor("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7"), 110);
    EXPECT_EQ(item(), "11.00 33.00 10.00 30.00");
    EXPECT_GT(one("select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 0) << "its forecasts are not lost";
}

}  // namespace
}  // namespace contractstest
