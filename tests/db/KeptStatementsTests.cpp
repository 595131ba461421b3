// Statements kept prepared by the transaction: what a routine runs row after
// row is prepared once, never handed to two holders at once, and let go
// before a schema change or when the connection closes.

#include "tests/support/TestDatabase.h"

#include <memory>

using host::db::DbError;
using testsupport::DatabaseTest;
using testsupport::StatementCounter;

namespace {

class Kept : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        exec("create table K (ID integer not null primary key, V varchar(20))");
        tr().commitRetaining();
    }

    // K's rows as another connection reads them: "ID V", a null V as "(nulo)".
    QStringList rowsReadAnew() {
        auto outra = openSecondConnection();
        host::db::Transaction leitura(*outra);
        host::db::Statement linhas(leitura, "select ID, coalesce(V, '(nulo)') from K order by ID");
        linhas.execute();
        QStringList lidas;
        while (linhas.fetch())
            lidas << linhas.value(0).toString() + " " + linhas.value(1).toString();
        return lidas;
    }
};

TEST_F(Kept, TextWithParametersIsPreparedOnceTextWithoutIsNot) {
    StatementCounter counter;
    for (int i = 1; i <= 5; ++i)
        exec("insert into K (ID, V) values (:ID, :V)", {{"ID", i}, {"V", QString("v%1").arg(i)}});
    EXPECT_EQ(counter.count(), 5);
    EXPECT_EQ(counter.prepares(), 1);
    EXPECT_EQ(one("select V from K where ID = :ID", {{"ID", 3}}).toString(), "v3");
    EXPECT_EQ(one("select V from K where ID = :ID", {{"ID", 4}}).toString(), "v4");
    EXPECT_EQ(counter.prepares(), 2);
    // Literal text is usually built for one row: prepared for its first
    // call, and kept only when the same text comes again.
    exec("update K set V = 'x' where ID = 1");
    exec("update K set V = 'x' where ID = 2");
    EXPECT_EQ(counter.prepares(), 4);
    exec("update K set V = 'x' where ID = 1");
    exec("update K set V = 'x' where ID = 1");
    EXPECT_EQ(counter.prepares(), 4);
}

// Texts made row by row (a literal each) never push out what a routine keeps.
TEST_F(Kept, TextsAskedOnceLeaveTheKeptOnesInPlace) {
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 1}, {"V", "um"}});
    const int many = host::db::Transaction::kPreparedKept + 10;
    for (int i = 0; i < many; ++i)
        EXPECT_EQ(one(QString("select count(*) from K where ID <> %1").arg(i + 100)).toInt(), 1);
    StatementCounter counter;
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 2}, {"V", "dois"}});
    EXPECT_EQ(counter.prepares(), 0);
    // The fixed read asked again takes the preparation the connection kept,
    // is kept from then on, and reads the rows of now.
    EXPECT_EQ(one("select count(*) from K where ID <> 100").toInt(), 2);
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 3}, {"V", "tres"}});
    EXPECT_EQ(one("select count(*) from K where ID <> 100").toInt(), 3);
    EXPECT_EQ(counter.prepares(), 0);
}

TEST_F(Kept, AStatementStillHeldIsNeverHandedOutTwice) {
    exec("insert into K (ID, V) values (1, 'um')");
    exec("insert into K (ID, V) values (2, 'dois')");
    const QString sql = "select V from K where ID >= :ID order by ID";
    auto outer = tr().prepared(sql);
    outer->setParam("ID", 1);
    outer->execute();
    ASSERT_TRUE(outer->fetch());
    // A nested routine asking for the same text gets a statement of its own
    // and leaves the outer cursor where it was.
    auto inner = tr().prepared(sql);
    EXPECT_NE(inner.get(), outer.get());
    inner->setParam("ID", 2);
    inner->execute();
    ASSERT_TRUE(inner->fetch());
    EXPECT_EQ(inner->value(0).toString(), "dois");
    EXPECT_EQ(outer->value(0).toString(), "um");
    ASSERT_TRUE(outer->fetch());
    EXPECT_EQ(outer->value(0).toString(), "dois");
    inner.reset();
    outer.reset();
    // Released, the kept one comes back with its cursor closed and no values.
    auto again = tr().prepared(sql);
    EXPECT_FALSE(again->cursorOpen());
    EXPECT_TRUE(again->param("ID").isNull());
}

// The rows a write affected are asked of the engine only when read; a
// count kept for later keeps its statement, so a second run of the same text
// meanwhile does not change it.
TEST_F(Kept, AffectedRowsKeptForLaterStayThoseOfTheirOwnRun) {
    exec("insert into K (ID, V) values (1, 'um')");
    exec("insert into K (ID, V) values (2, 'dois')");
    const QString sql = "update K set V = V where ID >= :ID";
    const host::db::AffectedRows duas = host::db::executeSql(tr(), sql, {{"ID", 1}});
    const host::db::AffectedRows uma = host::db::executeSql(tr(), sql, {{"ID", 2}});
    EXPECT_EQ(int(uma), 1);
    EXPECT_EQ(int(duas), 2);
    EXPECT_EQ(int(host::db::executeSql(tr(), sql, {{"ID", 3}})), 0);
}

// Parameters listed in place and parameters in a map bind alike: each name in
// any letter case and order, a null as null, a name listed twice by its last
// value, a name the text lacks refused with nothing written; a text without
// parameters runs from either form.
TEST_F(Kept, ParametersListedInPlaceBindAsThoseOfAMap) {
    const QString sql = "insert into K (ID, V) values (:ID, :V)";
    host::db::executeSql(tr(), sql, {{"v", "lista"}, {"Id", 1}});
    const QVariantMap mapa{{"v", "mapa"}, {"Id", 2}};
    host::db::executeSql(tr(), sql, mapa);
    host::db::executeSql(tr(), sql, {{"ID", 3}, {"V", QVariant()}});
    host::db::executeSql(tr(), sql, {{"ID", 4}, {"V", "primeiro"}, {"V", "último"}});
    EXPECT_THROW(host::db::executeSql(tr(), sql, {{"ID", 5}, {"VALOR", "x"}}), DbError);
    EXPECT_EQ(host::db::selectValue(tr(), "select V from K where ID = :ID", {{"id", 2}}).toString(), "mapa");
    EXPECT_EQ(host::db::selectValue(tr(), "select count(*) from K", {}).toInt(), 4);
    tr().commit();

    EXPECT_EQ(rowsReadAnew(), QStringList({"1 lista", "2 mapa", "3 (nulo)", "4 último"}));
}

// A kept statement is handed out with the values of its last use gone: a
// name not given this time binds null, never the row before's value.
TEST_F(Kept, AKeptStatementForgetsTheValuesOfItsLastUse) {
    const QString sql = "insert into K (ID, V) values (:ID, :V)";
    host::db::executeSql(tr(), sql, {{"ID", 1}, {"V", "um"}});
    host::db::executeSql(tr(), sql, {{"ID", 2}});
    host::db::executeSql(tr(), sql, {{"ID", 3}, {"V", "três"}});
    host::db::executeSql(tr(), sql, QVariantMap{{"ID", 4}});
    EXPECT_FALSE(host::db::selectValue(tr(), "select V from K where ID = :ID and V is not null", {{"ID", 4}})
                     .isValid());
    tr().commit();

    EXPECT_EQ(rowsReadAnew(), QStringList({"1 um", "2 (nulo)", "3 três", "4 (nulo)"}));
}

TEST_F(Kept, SchemaChangesLetTheKeptStatementsGo) {
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 1}, {"V", "um"}});
    EXPECT_EQ(one("select count(*) from K where ID = :ID", {{"ID", 1}}).toInt(), 1);
    // A read waiting for its second asking holds K as well.
    EXPECT_EQ(one("select count(*) from K").toInt(), 1);
    tr().commitRetaining();
    // The kept statements name K: dropping it must not meet them in use.
    EXPECT_NO_THROW(exec("drop table K"));
    tr().commitRetaining();
    exec("create table K (ID integer not null primary key, V varchar(20), W integer)");
    tr().commitRetaining();
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 2}, {"V", "dois"}});
    EXPECT_EQ(one("select count(*) from K where ID = :ID", {{"ID", 2}}).toInt(), 1);
}

// The transaction keeps the most recently used; the connection keeps the
// preparations of those it let go, the most recent ones too.
TEST_F(Kept, OnlyTheMostRecentlyUsedAreKept) {
    const int many = host::db::Transaction::kPreparedKept + host::db::Connection::kPreparationsKept + 10;
    for (int i = 0; i < many; ++i)
        one(QString("select %1 from rdb$database where 1 = :UM").arg(i), {{"UM", 1}});
    StatementCounter counter;
    one(QString("select %1 from rdb$database where 1 = :UM").arg(many - 1), {{"UM", 1}});
    EXPECT_EQ(counter.prepares(), 0) << "the newest is kept";
    one(QString("select %1 from rdb$database where 1 = :UM").arg(many - host::db::Transaction::kPreparedKept - 5),
        {{"UM", 1}});
    EXPECT_EQ(counter.prepares(), 0) << "let go by the transaction, kept by the connection";
    one("select 0 from rdb$database where 1 = :UM", {{"UM", 1}});
    EXPECT_EQ(counter.prepares(), 1) << "the oldest was let go";
}

// A statement made for one call (a routine's own, a window's) and let go
// leaves its preparation to the connection: the same text made again, in
// this transaction or another, is not prepared again, and comes with no
// value or row of its last use. Two held at once each have their own.
TEST_F(Kept, AStatementLetGoIsNotPreparedAgainByAnyTransactionOfTheConnection) {
    const QString sql = "insert into K (ID, V) values (:ID, :V)";
    StatementCounter counter;
    {
        host::db::Statement primeira(tr(), sql), segunda(tr(), sql);
        primeira.setParam("ID", 1);
        primeira.setParam("V", "um");
        primeira.execute();
        segunda.setParam("ID", 2);
        segunda.execute();
    }
    EXPECT_EQ(counter.prepares(), 2);
    tr().commit();
    host::db::Transaction outra(*connection);
    for (int id : {3, 4}) {
        host::db::Statement insercao(outra, sql);
        insercao.setParam("ID", id);
        insercao.execute();
    }
    host::db::Statement leitura(outra, "select V from K where ID >= :ID order by ID");
    leitura.setParam("ID", 1);
    leitura.execute();
    ASSERT_TRUE(leitura.fetch());
    outra.commit();
    EXPECT_EQ(counter.prepares(), 3) << "the inserts of the other transaction took a kept preparation";
    EXPECT_EQ(rowsReadAnew(), QStringList({"1 um", "2 (nulo)", "3 (nulo)", "4 (nulo)"}));
}

// A schema change lets go of what the connection kept, and of what was
// prepared before it and let go after it: the table's new column is read.
TEST_F(Kept, AfterASchemaChangeNoStatementRunsAsPreparedBeforeIt) {
    exec("insert into K (ID, V) values (1, 'um')");
    const QString sql = "select * from K where ID = :ID";
    { host::db::Statement deixada(tr(), sql); }
    auto mantida = std::make_unique<host::db::Statement>(tr(), sql);
    tr().commitRetaining();
    EXPECT_NO_THROW(exec("alter table K add W integer"));
    tr().commitRetaining();
    exec("insert into K (ID, V, W) values (2, 'dois', 7)");
    mantida.reset();
    for (int vez = 0; vez < 2; ++vez) {
        host::db::Statement nova(tr(), sql);
        nova.setParam("ID", 2);
        nova.execute();
        ASSERT_TRUE(nova.fetch());
        EXPECT_EQ(nova.columnCount(), 3) << vez;
        EXPECT_EQ(nova.value("W").toInt(), 7) << vez;
    }
}

TEST_F(Kept, ClosingTheConnectionUnpreparesThemAndTheyPrepareAgain) {
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 1}, {"V", "um"}});
    tr().commit();
    connection->close();
    connection->open({dbPath});
    StatementCounter counter;
    exec("insert into K (ID, V) values (:ID, :V)", {{"ID", 2}, {"V", "dois"}});
    EXPECT_EQ(counter.prepares(), 1);
    EXPECT_EQ(one("select count(*) from K where ID > :ID", {{"ID", 0}}).toInt(), 2);
}

} // namespace
