// The single-value routines: what they read, what they write, and which of
// them commit.

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "tests/support/HostDatabase.h"

#include "host/data/Query.h"
#include "host/db/Database.h"

#include <cstdio>

using testsupport::HostDatabaseTest;

class SingleValueTest : public HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('01', 'A vista', 1)");
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('02', 'O''Brien 30/60', 2)");
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('03', null, 3)");
        tr().commitRetaining();
    }
    // What another attachment sees: only committed work.
    QVariant committed(const QString& sql)
    {
        auto second = openSecondConnection();
        host::db::Transaction other(*second);
        return host::db::selectValue(other, sql);
    }
    std::unique_ptr<host::db::Connection> openSecondConnection()
    {
        auto second = std::make_unique<host::db::Connection>();
        second->open({dbPath});
        return second;
    }
};

TEST_F(SingleValueTest, ReadersGiveEmptyOrZeroWithoutARowOrValue)
{
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '99'"), "");
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '03'"), "");   // null value
    EXPECT_EQ(CarregaNumero("QUANTAS_VEZES", "AFVT0101", "where CODIGO = '99'"), 0.0);
    EXPECT_EQ(CarregaNumeroInteiro("QUANTAS_VEZES", "AFVT0101", "where CODIGO = '99'"), 0);
    EXPECT_FALSE(CarregaData("DATA_EMISSAO", "ACRC5001", "").isValid());
    EXPECT_EQ(CarregaNumero("sum(QUANTAS_VEZES)", "AFVT0101", "where CODIGO = '99'"), 0.0);   // null aggregate
}

TEST_F(SingleValueTest, ReadersGiveTheFirstRowOnATemporaryOrTheGivenQuery)
{
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '02'"), "O'Brien 30/60");
    EXPECT_EQ(CarregaNumeroInteiro("QUANTAS_VEZES", "AFVT0101", "order by CODIGO desc"), 3);
    EXPECT_EQ(CarregaNumero("count(*)", "AFVT0101", ""), 3.0);
    host::data::Query* aux = dmGlobal->quAuxiliar;
    EXPECT_EQ(CarregaDado("CODIGO", "AFVT0101", "where QUANTAS_VEZES = 2", aux), "02");
    EXPECT_FALSE(aux->active()) << "the shared query is left closed for the next user";
}

TEST_F(SingleValueTest, GeneratorValueThroughTheDatabaseRow)
{
    const int first = CarregaNumeroInteiro("gen_id(gen_aoitcodigo, 1)", "rdb$database", "");
    EXPECT_EQ(CarregaNumeroInteiro("gen_id(gen_aoitcodigo, 1)", "rdb$database", ""), first + 1);
}

TEST_F(SingleValueTest, SeveralValuesAreEachFollowedByTheSeparator)
{
    EXPECT_EQ(CarregaVariosDados("CODIGO", "AFVT0101", "order by CODIGO", ","), "01,02,03,");
    EXPECT_EQ(CarregaVariosDados("CODIGO", "AFVT0101", "where CODIGO > '01' order by CODIGO", dmGlobal->quAuxiliar,
                                 "; "),
              "02; 03; ");
    EXPECT_EQ(CarregaVariosDados("CODIGO", "AFVT0101", "where 1=0", ","), "");
    EXPECT_EQ(CarregaVariosDados("DESCRICAO", "AFVT0101", "where CODIGO = '03'", "|"), "|");   // a null is empty
}

TEST_F(SingleValueTest, MaximumAndCountByKeyWithExtraCondition)
{
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "CODIGO", "02"), 2.0);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "CODIGO", "99"), 0.0);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "1", "1", " and CODIGO <> '03'", true), 2.0);
    EXPECT_EQ(ContadorDados("CODIGO", "AFVT0101", "01"), 1);
    EXPECT_EQ(ContadorDados("CODIGO", "AFVT0101", "01", " and QUANTAS_VEZES > 1"), 0);
    EXPECT_EQ(ContadorDados("QUANTAS_VEZES", "AFVT0101", "3"), 1) << "a quoted number still matches a number column";
    EXPECT_EQ(ContadorDados("DESCRICAO", "AFVT0101", "O'Brien 30/60"), 1) << "quotes inside the key";
}

TEST_F(SingleValueTest, UnquotedKeyIsPastedOnlyWhenItIsANumber)
{
    EXPECT_EQ(ContadorDados("QUANTAS_VEZES", "AFVT0101", " 2 ", "", true), 1);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "QUANTAS_VEZES", "-3.5", "", true), 0.0);
    // Any other text is still a value, never SQL that widens the condition.
    EXPECT_EQ(ContadorDados("CODIGO", "AFVT0101", "'01' or 1=1", "", true), 0);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "CODIGO", "'01' or 1=1", "", true), 0.0);
}

TEST_F(SingleValueTest, WithoutAKeyColumnTheWholeTableCounts)
{
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "", ""), 3.0);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", " ", "", " and CODIGO <> '03'"), 2.0);
    EXPECT_EQ(ContadorDados("", "AFVT0101", ""), 3);
    EXPECT_EQ(MaximoDado("QUANTAS_VEZES", "AFVT0101", "", "", "and 1=0"), 0.0) << "an empty table gives 0";
}

TEST_F(SingleValueTest, PlainWritesDoNotCommitAndTheCommitFormsDo)
{
    UpdateCampo("AFVT0101", "DESCRICAO", "'Mudado'", "where CODIGO = '01'");
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '01'"), "Mudado");
    EXPECT_EQ(committed("select DESCRICAO from AFVT0101 where CODIGO = '01'").toString(), "A vista");

    UpdateCampoCommit("AFVT0101", "DESCRICAO", "'Gravado'", "where CODIGO = '01'");
    EXPECT_EQ(committed("select DESCRICAO from AFVT0101 where CODIGO = '01'").toString(), "Gravado");

    DeletaRegistros("AFVT0101", "where CODIGO = '03'");
    EXPECT_EQ(committed("select count(*) from AFVT0101").toInt(), 3);
    DeletaRegistrosCommit("AFVT0101", "where CODIGO = '02'");
    EXPECT_EQ(committed("select count(*) from AFVT0101").toInt(), 1);
}

TEST_F(SingleValueTest, NumberAndTypedWritesAreLocaleFree)
{
    UpdateCampoValor("AFVT0101", "DESCONTO", 1234.5, "where CODIGO = '01'");
    EXPECT_DOUBLE_EQ(CarregaNumero("DESCONTO", "AFVT0101", "where CODIGO = '01'"), 1234.5);
    UpdateCampoValorCommit("AFVT0101", "DESCONTO", -0.25, "where CODIGO = '02'");
    EXPECT_DOUBLE_EQ(committed("select DESCONTO from AFVT0101 where CODIGO = '02'").toDouble(), -0.25);
    UpdateCampoVariavelCommit("AFVT0101", "DESCRICAO", QString("it's typed"), "where CODIGO = '03'");
    EXPECT_EQ(committed("select DESCRICAO from AFVT0101 where CODIGO = '03'").toString(), "it's typed");
    UpdateCampoVariavelCommit("AFVT0101", "DESCRICAO", QVariant(), "where CODIGO = '03'");
    EXPECT_TRUE(committed("select DESCRICAO from AFVT0101 where CODIGO = '03'").isNull());
}

TEST_F(SingleValueTest, TwoColumnWritesTakeTheirValuesInTheirOwnOrder)
{
    Update2Campos("AFVT0101", "DESCRICAO", "'X'", "QUANTAS_VEZES", "7", "where CODIGO = '01'");
    EXPECT_EQ(CarregaDado("DESCRICAO || '-' || QUANTAS_VEZES", "AFVT0101", "where CODIGO = '01'"), "X-7");
    // The commit form names both columns first, then both values.
    Update2CampoValorCommit("AFVT0101", "DESCRICAO", "QUANTAS_VEZES", "'Y'", "8", "where CODIGO = '02'");
    EXPECT_EQ(committed("select DESCRICAO || '-' || QUANTAS_VEZES from AFVT0101 where CODIGO = '02'").toString(),
              "Y-8");
}

TEST_F(SingleValueTest, InsertTableTypedOrAsLiterals)
{
    InsertTable("AFVT0101", {"CODIGO", "DESCRICAO", "QUANTAS_VEZES", "DESCONTO"},
                {"10", "Com 'aspas'", 4, 2.5}, dmGlobal->quAuxiliar, true);
    InsertTable("AFVT0101", {"CODIGO", "DESCRICAO", "DESCONTO"}, {"11", "Literal 'x'", 0.1}, nullptr, false);
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '10'"), "Com 'aspas'");
    EXPECT_DOUBLE_EQ(CarregaNumero("DESCONTO", "AFVT0101", "where CODIGO = '10'"), 2.5);
    EXPECT_EQ(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = '11'"), "Literal 'x'");
    EXPECT_DOUBLE_EQ(CarregaNumero("DESCONTO", "AFVT0101", "where CODIGO = '11'"), 0.1);
    EXPECT_THROW(InsertTable("AFVT0101", {"CODIGO"}, {"12", "extra"}), std::invalid_argument);
}

TEST_F(SingleValueTest, TemporaryQueryWorksOnTheHostTransaction)
{
    auto query = CriarIbQuery("quTemp");
    query->setSql("select CODIGO from AFVT0101 where CODIGO = :C");
    query->paramByName("C")->setAsString("02");
    query->open();
    EXPECT_EQ(query->fieldByName("CODIGO")->asString(), "02");
}

// A statement is kept for a text written in the code by where the text is;
// a buffer of the caller's written over with another text gets that text's
// statement, and the same text asked again is prepared no more.
TEST_F(SingleValueTest, AKeptStatementAskedThroughABufferWrittenOverRunsTheNewText)
{
    char texto[128];
    std::snprintf(texto, sizeof texto, "select DESCRICAO from AFVT0101 where CODIGO = :C");
    host::db::Statement& descricao = dmGlobal->ComandoPreparado(texto);
    descricao.setParam("C", "01");
    descricao.execute();
    ASSERT_TRUE(descricao.fetch());
    EXPECT_EQ(descricao.value(0).toString().trimmed(), "A vista");
    std::snprintf(texto, sizeof texto, "select QUANTAS_VEZES from AFVT0101 where CODIGO = :C");
    host::db::Statement& vezes = dmGlobal->ComandoPreparado(texto);
    vezes.setParam("C", "02");
    vezes.execute();
    ASSERT_TRUE(vezes.fetch());
    EXPECT_EQ(vezes.value(0).toInt(), 2);
    const std::uint64_t preparados = host::db::prepareCount();
    for (int vez = 0; vez < 3; ++vez) {
        host::db::Statement& deNovo = dmGlobal->ComandoPreparado("select QUANTAS_VEZES from AFVT0101 where CODIGO = :C");
        deNovo.setParam("C", "03");
        deNovo.execute();
        ASSERT_TRUE(deNovo.fetch());
        EXPECT_EQ(deNovo.value(0).toInt(), 3);
    }
    EXPECT_EQ(host::db::prepareCount(), preparados);
}

// A condition over more values than the engine takes in one list matches
// the rows of every part of it, quotes and repeats included.
TEST_F(SingleValueTest, AListConditionOfAnySizeMatchesItsRows)
{
    QStringList textos{"01", "O'Brien", "03"};
    QList<int> numeros{1, 3};
    for (int i = 0; i < 4000; ++i) {
        textos << QString("X%1").arg(i);
        numeros << 1000 + i;
    }
    textos << "01";
    const auto codigos = [](const QString& condicao) {
        return CarregaVariosDados("CODIGO", "AFVT0101", "where " + condicao + " order by CODIGO", ",");
    };
    const struct {
        QString condicao, codigos;
    } casos[] = {
        {CondicaoEmLista("CODIGO", textos), "01,03,"},
        {CondicaoEmLista("QUANTAS_VEZES", numeros), "01,03,"},
        {CondicaoEmLista("QUANTAS_VEZES", QList<int>{2}), "02,"},
        {CondicaoEmLista("QUANTAS_VEZES", QList<int>{3, 1, 2, 2}), "01,02,03,"},
        {CondicaoEmLista("CODIGO", QStringList{}), ""},
        {CondicaoEmLista("DESCRICAO", ValoresDaListaSql("'x', 'O''Brien 30/60',")), "02,"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(codigos(c.condicao), c.codigos) << c.condicao.left(80).toStdString();
}
