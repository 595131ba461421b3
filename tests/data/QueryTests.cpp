// Queries over the database: parameters, lazy fetching, update statements,
// refresh, search, statement counts.
#include "tests/data/DataFixture.h"

#include "host/data/Abort.h"

using namespace host::data;
using testsupport::StatementCounter;

namespace {

class Queries : public datatest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        makeItems(q, us);
    }
    void TearDown() override
    {
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    Query q;
    UpdateSql us;
};

TEST_F(Queries, FieldsComeFromTheColumnsWithTheirTypes)
{
    q.open();
    ASSERT_EQ(q.fieldCount(), 8);
    const std::vector<std::pair<QString, FieldType>> expected = {
        {"ID", FieldType::Int32},   {"NAME", FieldType::String},    {"PRICE", FieldType::Float},
        {"QTY", FieldType::Int16},  {"DT", FieldType::DateTime},    {"NOTES", FieldType::Memo},
        {"CATID", FieldType::Int32}, {"CATNAME", FieldType::String}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(q.field(int(i))->fieldName(), expected[i].first);
        EXPECT_EQ(q.field(int(i))->dataType(), expected[i].second) << i;
    }
    EXPECT_EQ(q.fieldByName("NAME")->size(), 10);
    EXPECT_EQ(q.fieldByName("CATNAME")->asString(), "Tools");
    q.close();
    EXPECT_EQ(q.fieldCount(), 0);   // default fields live while open
}

TEST_F(Queries, PersistentFieldsBindByNameAndMustExist)
{
    Field* id = q.addField("ID", FieldType::Int32);
    Field* name = q.addField("NAME", FieldType::String, 10);
    EXPECT_EQ(id->name(), "quItemsID");
    q.open();
    EXPECT_EQ(q.fieldCount(), 2);
    EXPECT_EQ(name->asString(), "item1");
    q.close();
    q.addField("MISSING", FieldType::Int32);
    EXPECT_THROW(q.open(), DatasetError);
    EXPECT_FALSE(q.active());
}

TEST_F(Queries, ManyNumberedParametersAreEachFoundByTheirNameInAnyCase)
{
    QString sql = "select * from ITEMS where ID in (-1";
    for (int i = 1; i <= 30; ++i)
        sql += QString(", :Id%1").arg(i);
    q.setSql(sql + ") order by ID");
    ASSERT_EQ(q.paramCount(), 30);
    q.paramByName("ID3")->setAsInteger(3);
    q.paramByName("id12")->setAsInteger(12);
    q.paramByName("Id21")->setAsInteger(1);
    EXPECT_EQ(q.paramByName("Id3")->asInteger(), 3);
    EXPECT_EQ(q.paramByName("iD12")->asInteger(), 12);
    EXPECT_TRUE(q.paramByName("ID2")->isNull());
    EXPECT_TRUE(q.paramByName("ID1")->isNull()) << "not the parameter whose name begins alike";
    EXPECT_THROW(q.paramByName("ID31"), DatasetError);
    EXPECT_THROW(q.paramByName("ID"), DatasetError);
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 1);
    q.next();
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 3);
}

TEST_F(Queries, ParametersBindNullUntilAssignedAndSurviveNewText)
{
    q.setSql("select * from ITEMS where ID = :ID or (:ID is null and ID = 3)");
    ASSERT_EQ(q.paramCount(), 1);
    q.open();
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 3);
    q.paramByName("id")->setAsInteger(2);
    q.close();
    q.open();
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 2);
    q.setSql("select * from ITEMS where ID = :ID and NAME <> :NAME");   // closes, keeps :ID
    EXPECT_FALSE(q.active());
    EXPECT_EQ(q.paramByName("ID")->asInteger(), 2);
    EXPECT_TRUE(q.paramByName("NAME")->isNull());
    EXPECT_THROW(q.paramByName("OTHER"), DatasetError);
    q.paramByName("NAME")->setAsString("it'em");
    EXPECT_EQ(q.sqlWithParams(), "select * from ITEMS where ID = 2 and NAME <> 'it''em'");
}

TEST_F(Queries, SqlIsBuiltLineByLine)
{
    q.clearSql();
    q.addSql("select * from ITEMS");
    q.addSql("where ID > 1");
    q.addSql("order by ID desc");
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 3);
}

TEST_F(Queries, RowsAreFetchedAsTheCursorNeedsThem)
{
    for (int i = 4; i <= 40; ++i)
        exec(QString("insert into ITEMS (ID, NAME) values (%1, 'n%1')").arg(i));
    q.open();
    EXPECT_EQ(q.fetchedCount(), 1);
    q.next();
    EXPECT_EQ(q.fetchedCount(), 2);
    EXPECT_EQ(q.recordCount(), 40);
    EXPECT_EQ(q.recNo(), 2);
    q.setRecNo(30);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 30);
    EXPECT_EQ(q.moveBy(20), 10);
    EXPECT_TRUE(q.eof());
    q.first();
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.moveBy(-1), 0);
}

// A look-up by the key of a keyed read: a row not read yet comes from its
// one statement, once while the query stays open; the rows are read no further.
TEST_F(Queries, ALookUpByTheKeyedReadsKeyReadsNoRowsBeforeIt)
{
    for (int i = 4; i <= 40; ++i)
        exec(QString("insert into ITEMS (ID, NAME) values (%1, 'n%1')").arg(i));
    q.setKeyedRead("ID", "select ID, NAME from ITEMS where ID = :ID");
    q.open();
    StatementCounter instrucoes;
    EXPECT_EQ(q.lookup("ID", 35, "NAME").toString(), "n35");
    EXPECT_EQ(q.lookup("ID", 35, "ID;NAME"), QVariant(QVariantList{35, "n35"}));
    EXPECT_TRUE(q.lookup("ID", 99, "NAME").isNull());
    EXPECT_EQ(instrucoes.count(), 2);
    EXPECT_EQ(q.fetchedCount(), 1);
    EXPECT_EQ(q.lookup("NAME", "n35", "ID").toInt(), 35) << "another field reads on";
    EXPECT_EQ(q.fetchedCount(), 35);
}

TEST_F(Queries, UpdateStatementsWriteOnlyTheirColumnsWithOldKeys)
{
    q.open();
    q.edit();
    q.fieldByName("ID")->setAsInteger(100);   // the key changes through edit
    q.fieldByName("CATNAME")->setAsString("Renamed");   // joined: never written
    q.fieldByName("NOTES")->setAsString("a long note");
    q.fieldByName("DT")->setAsDateTime(QDateTime(QDate(2026, 1, 2), QTime(10, 30)));
    q.post();
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 1").toInt(), 0);
    EXPECT_EQ(nameInDb(100), "item1");
    EXPECT_EQ(one("select NOTES from ITEMS where ID = 100").toString(), "a long note");
    EXPECT_EQ(one("select DT from ITEMS where ID = 100").toDateTime(), QDateTime(QDate(2026, 1, 2), QTime(10, 30)));
    EXPECT_EQ(one("select CATNAME from CATS where CATID = 1").toString(), "Tools");
    EXPECT_EQ(q.fieldByName("ID")->oldValue().toInt(), 100);

    q.append();
    q.fieldByName("ID")->setAsInteger(50);
    q.fieldByName("PRICE")->setAsFloat(2.25);
    q.post();
    EXPECT_EQ(one("select PRICE from ITEMS where ID = 50").toDouble(), 2.25);
    EXPECT_TRUE(one("select NAME from ITEMS where ID = 50").isNull());

    ASSERT_TRUE(q.locate("ID", 2));
    q.remove();
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 2").toInt(), 0);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 3);   // the next row becomes current
}

// Where each parameter takes its value is found once per statement, not per
// row: a query reopened on other columns, or a statement given another text,
// binds from the fields as they are now.
TEST_F(Queries, UpdateStatementsFollowTheFieldsAfterAReopenOrANewText)
{
    q.open();
    ASSERT_TRUE(q.locate("ID", 2));
    q.edit();
    q.fieldByName("NAME")->setAsString("first");
    q.post();
    EXPECT_EQ(nameInDb(2), "first");

    q.close();
    q.setSql("select NAME, QTY, ID from ITEMS order by ID");   // other slots, fewer columns
    q.open();
    ASSERT_TRUE(q.locate("ID", 2));
    q.edit();
    q.fieldByName("NAME")->setAsString("second");
    q.fieldByName("QTY")->setAsInteger(7);
    q.post();
    EXPECT_EQ(nameInDb(2), "second");
    EXPECT_EQ(one("select QTY from ITEMS where ID = 2").toInt(), 7);
    EXPECT_TRUE(one("select PRICE from ITEMS where ID = 2").isNull());   // no such field: NULL

    us.setModifySql("update ITEMS set QTY = :QTY, NAME = :NAME where ID = :OLD_ID");
    q.edit();
    q.fieldByName("ID")->setAsInteger(2);
    q.fieldByName("NAME")->setAsString("third");
    q.post();
    EXPECT_EQ(nameInDb(2), "third");
    EXPECT_EQ(one("select QTY from ITEMS where ID = 2").toInt(), 7);
}

// Insert texts replaced between rows, the same text made anew or another of
// the same length (where the one before was, once that one is gone): each
// row is written by the text set for it.
TEST_F(Queries, EachRowIsWrittenByTheTextSetForItWhateverTheTextsBefore)
{
    auto insertWithQty = [](int qty) {
        return QString("insert into ITEMS (ID, NAME, QTY) values (:ID, :NAME, %1)").arg(qty);
    };
    q.open();
    const int qtys[] = {1, 1, 2, 2, 3, 1, 1, 4};
    int id = 100;
    for (int qty : qtys) {
        us.setInsertSql(QString());   // the text before goes first
        us.setInsertSql(insertWithQty(qty));
        q.append();
        q.fieldByName("ID")->setAsInteger(++id);
        q.fieldByName("NAME")->setAsString("row");
        q.post();
    }
    id = 100;
    for (int qty : qtys)
        EXPECT_EQ(one("select QTY from ITEMS where ID = :ID", {{"ID", ++id}}).toInt(), qty) << id;
}

// A text that fails to prepare, then the text before it set again: the row
// is written by a statement prepared anew, not by the one let go before the
// failure.
TEST_F(Queries, ATextSetAgainAfterOneThatFailedToPrepareWritesItsRow)
{
    const QString boa = "insert into ITEMS (ID, NAME, QTY) values (:ID, :NAME, 5)";
    auto insere = [&](int id) {
        q.append();
        q.fieldByName("ID")->setAsInteger(id);
        q.fieldByName("NAME")->setAsString("row");
        q.post();
    };
    q.open();
    us.setInsertSql(boa);
    insere(201);
    us.setInsertSql("insert into TABELA_QUE_NAO_EXISTE (ID) values (:ID)");
    EXPECT_ANY_THROW(insere(202));
    q.cancel();
    us.setInsertSql(boa);
    insere(203);
    EXPECT_EQ(one("select QTY from ITEMS where ID = 201").toInt(), 5);
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 202").toInt(), 0);
    EXPECT_EQ(one("select QTY from ITEMS where ID = 203").toInt(), 5);
}

// An update object handed to another query takes its parameters from that
// query's fields, even when both bound their fields as often.
TEST_F(Queries, UpdateObjectMovedToAnotherQueryFollowsItsFields)
{
    q.open();
    ASSERT_TRUE(q.locate("ID", 2));
    q.edit();
    q.fieldByName("NAME")->setAsString("first");
    q.post();
    q.close();

    Query outra;
    outra.setTransaction(&tr());
    outra.setSql("select NAME, QTY, ID from ITEMS order by ID");   // other slots
    outra.setUpdateObject(&us);   // the same statements, already prepared
    EXPECT_EQ(q.updateObject(), nullptr);   // one query at a time; q outlives us
    outra.open();
    ASSERT_TRUE(outra.locate("ID", 2));
    outra.edit();
    outra.fieldByName("NAME")->setAsString("second");
    outra.fieldByName("QTY")->setAsInteger(7);
    outra.post();
    EXPECT_EQ(nameInDb(2), "second");
    EXPECT_EQ(one("select QTY from ITEMS where ID = 2").toInt(), 7);
    outra.setTransaction(nullptr);
}

TEST_F(Queries, WithoutAnUpdateObjectTheQueryIsReadOnly)
{
    q.setUpdateObject(nullptr);
    q.open();
    EXPECT_FALSE(q.canModify());
    EXPECT_THROW(q.edit(), DatasetError);
    EXPECT_THROW(q.append(), DatasetError);
    EXPECT_THROW(q.fieldByName("NAME")->setAsString("x"), DatasetError);
    EXPECT_EQ(q.state(), DatasetState::Browse);
}

TEST_F(Queries, MissingStatementIsAnErrorNotASilentSuccess)
{
    us.setDeleteSql("");
    q.open();
    EXPECT_THROW(q.remove(), DatasetError);
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_F(Queries, RefreshRereadsTheCurrentRowWithItsJoinedColumns)
{
    q.open();
    q.edit();
    q.fieldByName("CATID")->setAsInteger(2);
    q.post();
    EXPECT_EQ(q.fieldByName("CATNAME")->asString(), "Tools");   // not re-read yet
    StatementCounter count;
    q.refresh();
    EXPECT_EQ(count.count(), 1);
    EXPECT_EQ(count.prepares(), 1);
    q.refresh();
    EXPECT_EQ(count.count(), 2);
    EXPECT_EQ(count.prepares(), 1);   // kept for the next refresh
    EXPECT_EQ(q.fieldByName("CATNAME")->asString(), "Parts");
    EXPECT_EQ(q.recNo(), 1);

    // the refresh statement may be replaced at run time
    us.setRefreshSql("select 'fixed' as NAME from rdb$database");
    q.refresh();
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "fixed");

    // without one, the rows are read again and the cursor keeps its place
    us.setRefreshSql("");
    exec("update ITEMS set NAME = 'outside' where ID = 2");
    q.next();
    q.refresh();
    EXPECT_EQ(q.recNo(), 2);
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "outside");
}

// A rule that reads the new row again while its post is pending writes into
// that row's own cells: what it read is the row's, never the next new row's.
TEST_F(Queries, ARowReadAgainWhileItsInsertIsPostedLeavesNothingInTheNextNewRow)
{
    q.open();
    us.setRefreshSql("select 'fixed' as NAME, 7 as QTY from rdb$database");
    q.beforePost = [](Dataset& ds) { ds.refresh(); };
    q.append();
    q.fieldByName("ID")->setAsInteger(50);
    q.post();
    q.beforePost = nullptr;
    q.append();
    EXPECT_TRUE(q.fieldByName("NAME")->isNull());
    EXPECT_TRUE(q.fieldByName("QTY")->isNull());
    q.fieldByName("ID")->setAsInteger(51);
    q.post();
    EXPECT_TRUE(one("select QTY from ITEMS where ID = 51").isNull());
}

TEST_F(Queries, StatementCountsOfOpenPostAndDelete)
{
    StatementCounter open;
    q.open();
    q.recordCount();
    EXPECT_EQ(open.count(), 1);
    EXPECT_EQ(open.prepares(), 1);
    // Each update statement is prepared on its first use and kept.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        StatementCounter post;
        q.edit();
        q.fieldByName("NAME")->setAsString("x" + QString::number(round));
        q.post();
        EXPECT_EQ(post.count(), 1);
        EXPECT_EQ(post.prepares(), 1 - round);
        StatementCounter del;
        q.remove();
        EXPECT_EQ(del.count(), 1);
        EXPECT_EQ(del.prepares(), 1 - round);
    }
    StatementCounter reopen;
    q.close();
    q.open();
    EXPECT_EQ(reopen.count(), 1);
    EXPECT_EQ(reopen.prepares(), 0);   // the text did not change
}

// A query made again with the text of one that went (a window opened
// again) finds its statement prepared; two live queries of one text each
// read with a cursor of their own.
TEST_F(Queries, AQueryMadeAgainFindsItsTextPrepared)
{
    const QString sql = "select ID, NAME from ITEMS where ID >= 2 order by ID";
    auto abre = [&] {
        auto query = std::make_unique<Query>();
        query->setTransaction(&tr());
        query->setSql(sql);
        query->open();
        return query;
    };
    abre().reset();
    abre().reset();
    StatementCounter again;
    auto primeira = abre();
    EXPECT_EQ(again.prepares(), 0);
    EXPECT_EQ(primeira->fieldByName("ID")->asInteger(), 2);
    auto segunda = abre();
    EXPECT_EQ(again.prepares(), 1);
    segunda->next();
    EXPECT_EQ(segunda->fieldByName("ID")->asInteger(), 3);
    EXPECT_EQ(primeira->fieldByName("ID")->asInteger(), 2);
    primeira->next();
    EXPECT_EQ(primeira->fieldByName("ID")->asInteger(), 3);
    EXPECT_EQ(primeira->recordCount(), segunda->recordCount());
    segunda.reset();
    primeira.reset();
    exec("delete from ITEMS where ID = 3");
    StatementCounter after;
    auto depois = abre();
    EXPECT_EQ(after.prepares(), 0);
    EXPECT_EQ(depois->recordCount(), 1) << "the rows of now, not those read before";
}

TEST_F(Queries, LocateWithSeveralFieldsAndOptions)
{
    q.open();
    EXPECT_TRUE(q.locate("CATID;NAME", QVariantList{1, "item2"}));
    EXPECT_EQ(q.recNo(), 2);
    EXPECT_FALSE(q.locate("NAME", "ITEM3"));
    EXPECT_EQ(q.recNo(), 2);   // a failed search does not move
    EXPECT_TRUE(q.locate("NAME", "ITEM3", LocateCaseInsensitive));
    EXPECT_EQ(q.recNo(), 3);
    EXPECT_TRUE(q.locate("NAME", "ite", LocatePartialKey));
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_TRUE(q.locate("ID", "2"));   // text is converted to the field's type
    EXPECT_FALSE(q.locate("ID", "two"));
    EXPECT_EQ(q.lookup("ID", 3, "NAME;CATNAME"), QVariant(QVariantList{"item3", "Parts"}));
    EXPECT_TRUE(q.lookup("ID", 9, "NAME").isNull());
    EXPECT_EQ(q.recNo(), 2);
}

TEST_F(Queries, BookmarksSurviveInsertsAndDeletes)
{
    q.open();
    q.last();
    const Bookmark third = q.bookmark();
    q.first();
    const Bookmark first = q.bookmark();
    q.insert();
    q.fieldByName("ID")->setAsInteger(0);
    q.post();
    EXPECT_EQ(q.recNo(), 1);
    q.gotoBookmark(third);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 3);
    q.gotoBookmark(first);
    q.remove();
    EXPECT_FALSE(q.bookmarkValid(first));
    EXPECT_THROW(q.gotoBookmark(first), DatasetError);
    EXPECT_TRUE(q.bookmarkValid(third));
}

TEST_F(Queries, ExecSqlRunsStatementsWithoutRows)
{
    Query upd;
    upd.setTransaction(&tr());
    upd.setSql("update ITEMS set QTY = :QTY where CATID = :CAT");
    upd.paramByName("QTY")->setAsInteger(0);
    upd.paramByName("CAT")->setAsInteger(1);
    EXPECT_EQ(upd.execSql(), 2);
    EXPECT_THROW(upd.open(), DatasetError);
}

// A query opened again on the same text keeps its fields, but as new ones:
// what a rule set on them while open does not outlive the close.
TEST_F(Queries, FieldsOfAReopenOnTheSameTextAreAsNew)
{
    q.open();
    Field* name = q.fieldByName("NAME");
    int changes = 0;
    name->onChange = [&](Field&) { ++changes; };
    name->setRequired(true);
    name->setReadOnly(true);
    name->setDisplayLabel("Nome");
    name->setDisplayFormat("@");
    name->setSize(3);
    q.fieldByName("QTY")->setVisible(false);
    q.close();

    q.setName("quOther");
    q.open();
    name = q.fieldByName("NAME");
    EXPECT_FALSE(name->required());
    EXPECT_FALSE(name->readOnly());
    EXPECT_EQ(name->displayLabel(), "NAME");
    EXPECT_TRUE(name->displayFormat().isEmpty());
    EXPECT_EQ(name->size(), 10);
    EXPECT_TRUE(q.fieldByName("QTY")->visible());
    EXPECT_EQ(name->name(), "quOtherNAME");
    EXPECT_EQ(q.fieldCount(), 8);
    q.append();
    q.fieldByName("ID")->setAsInteger(50);
    name->setAsString("a long name");   // cut to the column's size, not the 3 set before
    q.post();                           // NAME no longer required, no handler left
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(nameInDb(50), "a long nam");
    q.close();
    EXPECT_EQ(q.fieldCount(), 0);
    EXPECT_EQ(q.findField("NAME"), nullptr);
}

// The columns kept by a close are those of the statement that made them: a
// text run in between (another statement) and opened gives its own columns.
// A post refuses the empty fields marked required at that time: the marks
// of a closed query's fields do not outlive its reopen, new ones count.
TEST_F(Queries, RequiredMarksFollowTheFieldsThroughAReopen)
{
    q.open();
    q.fieldByName("NAME")->setRequired(true);
    q.append();
    q.fieldByName("ID")->setAsInteger(60);
    EXPECT_THROW(q.post(), DatasetError);
    q.cancel();
    q.close();
    q.open();
    q.append();
    q.fieldByName("ID")->setAsInteger(60);
    q.post();
    q.fieldByName("QTY")->setRequired(true);
    q.append();
    q.fieldByName("ID")->setAsInteger(61);
    q.fieldByName("NAME")->setAsString("x");
    EXPECT_THROW(q.post(), DatasetError) << "QTY is required";
    q.fieldByName("QTY")->setAsInteger(2);
    q.fieldByName("NAME")->setRequired(true);
    q.fieldByName("NAME")->clear();
    EXPECT_THROW(q.post(), DatasetError) << "NAME is required again";
    q.cancel();
    EXPECT_EQ(one("select count(*) from ITEMS where ID in (60, 61)").toInt(), 1);
}

TEST_F(Queries, AReopenOnAnotherStatementMakesItsOwnFields)
{
    q.open();
    q.close();
    q.setSql("select NAME, ID from ITEMS where ID = :ID");
    q.paramByName("ID")->setAsInteger(2);
    q.execSql();   // prepares the new text without opening it
    q.open();
    ASSERT_EQ(q.fieldCount(), 2);
    EXPECT_EQ(q.field(0)->fieldName(), "NAME");
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 2);
    EXPECT_EQ(q.findField("PRICE"), nullptr);
    q.close();
    q.setSql("select ID, QTY from ITEMS where ID = :ID");
    q.open();
    ASSERT_EQ(q.fieldCount(), 2);
    EXPECT_EQ(q.field(1)->fieldName(), "QTY");
    EXPECT_EQ(q.findField("NAME"), nullptr);
}

// Persistent fields: one added or switched while closed is bound at the next open.
TEST_F(Queries, PersistentFieldsChangedWhileClosedBindAgain)
{
    Field* id = q.addField("ID", FieldType::Int32);
    Field* calc = q.addCalculatedField("TWICE", FieldType::Int32);
    q.onCalcFields = [&](Dataset&) { calc->setAsInteger(id->asInteger() * 2); };
    q.open();
    EXPECT_EQ(calc->asInteger(), 2);
    q.close();
    Field* name = q.addField("NAME", FieldType::String, 10);
    q.open();
    EXPECT_EQ(q.fieldCount(), 3);
    EXPECT_EQ(name->asString(), "item1");
    EXPECT_EQ(calc->asInteger(), 2);
    q.next();
    EXPECT_EQ(name->asString(), "item2");
    EXPECT_EQ(calc->asInteger(), 4);
    q.close();
    calc->setKind(FieldKind::Lookup);   // no look-up dataset: shows nothing
    q.open();
    EXPECT_EQ(id->asInteger(), 1);
    EXPECT_EQ(name->asString(), "item1");
}

TEST_F(Queries, ComponentsAreFoundByNameInAnyCase)
{
    host::Component module(nullptr, "dmTec");
    Query quOS(&module, "quOS");
    UpdateSql usOS(&module, "usOS");
    EXPECT_EQ(module.findComponent("QUOS"), &quOS);
    EXPECT_EQ(module.find<UpdateSql>("usos"), &usOS);
    EXPECT_EQ(module.find<Query>("usos"), nullptr);
    EXPECT_EQ(module.components().size(), 2u);
    auto* made = module.adopt(std::make_unique<Query>(nullptr, "quRuntime"));
    EXPECT_EQ(module.findComponent("qURUNTIME"), made);
}

}  // namespace
