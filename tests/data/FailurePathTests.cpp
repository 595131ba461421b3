// Failure paths and lifetimes: a failing step must leave every dataset
// consistent (no row lost, no stale cursor, nothing run that was refused).
#include "tests/data/DataFixture.h"

#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/data/WriteErrors.h"

#include <memory>
#include <stdexcept>
#include <utility>

using namespace host::data;

namespace {

class FailurePaths : public datatest::DataTest {
protected:
    void TearDown() override
    {
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    Query q;
    UpdateSql us;
};

TEST_F(FailurePaths, OpeningAStatementThatReturnsNoRowsRunsNothing)
{
    q.setTransaction(&tr());
    q.setSql("delete from ITEMS");
    EXPECT_THROW(q.open(), DatasetError);
    EXPECT_FALSE(q.active());
    EXPECT_EQ(one("select count(*) from ITEMS").toInt(), 3);
}

TEST_F(FailurePaths, AFailedRereadLeavesAnEmptyConsistentDataset)
{
    q.setTransaction(&tr());
    q.setSql("select ID, NAME from ITEMS where ID >= :MINID order by ID");
    q.setUpdateObject(&us);   // no refresh statement: refresh reads every row again
    us.setInsertSql("insert into ITEMS (ID, NAME) values (:ID, :NAME)");
    q.paramByName("MINID")->setAsInteger(1);
    q.open();
    q.last();
    q.paramByName("MINID")->setAsString("not a number");
    EXPECT_THROW(q.refresh(), host::db::DbError);
    EXPECT_TRUE(q.isEmpty());
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.fieldByName("ID")->isNull());
    q.paramByName("MINID")->setAsInteger(1);
    q.insert();   // must not write past the empty row list
    q.fieldByName("ID")->setAsInteger(9);
    q.post();
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 9").toInt(), 1);
}

TEST_F(FailurePaths, AFailedDeleteTellsItsHandlerBeforeTheCallerAndKeepsTheRow)
{
    q.setTransaction(&tr());
    q.setSql("select ID, NAME from ITEMS order by ID");
    q.setUpdateObject(&us);
    us.setDeleteSql("delete from NO_SUCH_TABLE where ID = :OLD_ID");
    QStringList events;
    q.beforeDelete = [&](Dataset&) { events << "before-delete"; };
    q.onDeleteError = [&](Dataset& ds) { events << "delete-error " + ds.fieldByName("ID")->asString(); };
    q.afterDelete = [&](Dataset&) { events << "after-delete"; };
    q.open();
    EXPECT_THROW(q.remove(), host::db::DbError);
    EXPECT_EQ(events, (QStringList{"before-delete", "delete-error 1"}));
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 1);

    // A delete that goes through never reports an error.
    events.clear();
    us.setDeleteSql("delete from ITEMS where ID = :OLD_ID");
    q.remove();
    EXPECT_EQ(events, (QStringList{"before-delete", "after-delete"}));
}

TEST_F(FailurePaths, AFailedPostTellsItsHandlerBeforeTheCallerAndStaysInEdit)
{
    q.setTransaction(&tr());
    q.setSql("select ID, NAME from ITEMS order by ID");
    q.setUpdateObject(&us);
    us.setModifySql("update NO_SUCH_TABLE set NAME = :NAME where ID = :OLD_ID");
    QStringList events;
    q.beforePost = [&](Dataset&) { events << "before-post"; };
    q.onPostError = [&](Dataset& ds) { events << "post-error " + ds.fieldByName("NAME")->asString(); };
    q.afterPost = [&](Dataset&) { events << "after-post"; };
    q.open();
    q.edit();
    q.fieldByName("NAME")->setAsString("novo");
    EXPECT_THROW(q.post(), host::db::DbError);
    EXPECT_EQ(events, (QStringList{"before-post", "post-error novo"}));
    EXPECT_EQ(q.state(), host::data::DatasetState::Edit);

    events.clear();
    us.setModifySql("update ITEMS set NAME = :NAME where ID = :OLD_ID");
    q.post();
    EXPECT_EQ(events, (QStringList{"before-post", "after-post"}));
}

TEST_F(FailurePaths, AStateListenerRefusingANewRowTakesTheRowBack)
{
    q.setTransaction(&tr());
    q.setSql("select ID, NAME from ITEMS order by ID");
    q.setUpdateObject(&us);
    us.setInsertSql("insert into ITEMS (ID, NAME) values (:ID, :NAME)");
    DataSource fonte(nullptr, "fonte", &q);
    fonte.onStateChange = [](DataSource& ds) {
        if (ds.dataset()->state() == DatasetState::Insert)
            throw host::Abort{};
    };
    q.open();
    q.next();
    EXPECT_THROW(q.append(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.recNo(), 2);
    fonte.onStateChange = nullptr;
    q.post();   // nothing pending: nothing written
    EXPECT_EQ(one("select count(*) from ITEMS").toInt(), 3);

    // A listener that cancels the row itself ends the append the same way,
    // before any new-record rule runs on the cancelled row.
    bool regraNovoRegistro = false;
    q.onNewRecord = [&](Dataset&) { regraNovoRegistro = true; };
    fonte.onStateChange = [](DataSource& ds) {
        if (ds.dataset()->state() == DatasetState::Insert)
            ds.dataset()->cancel();
    };
    EXPECT_THROW(q.append(), host::Abort);
    EXPECT_FALSE(regraNovoRegistro);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.recordCount(), 3);
}

// A server gone away under a desk: every action says so, whatever it was.
TEST(ConnectionLost, EveryActionSaysTheProgramMustBeStartedAgain)
{
    for (const auto& [codigo, texto] : {std::pair<intptr_t, const char*>{335544726, "Error reading data from the connection."},
                                       {335544727, "Error writing data to the connection."},
                                       {335544721, "Unable to complete network request to host \"srv\"."},
                                       {335544648, "Connection lost to database"}}) {
        SCOPED_TRACE(texto);
        const host::db::DbError erro(texto, -902, codigo, "update T set A = 1");
        const QString mensagem = host::data::readableMessage(erro);
        EXPECT_TRUE(mensagem.contains("A conexão com o servidor do banco de dados foi perdida") &&
                    mensagem.contains("inicie-o novamente"))
            << mensagem.toStdString();
    }
}

TEST(MemFailurePaths, RefreshOfAnInMemoryDatasetKeepsItsRows)
{
    MemDataset ds;
    Field* name = ds.addField("NAME", FieldType::String, 10);
    ds.open();
    for (const char* text : {"a", "b", "c"}) {
        ds.append();
        name->setAsString(text);
        ds.post();
    }
    ds.setRecNo(2);
    ds.refresh();
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds.recNo(), 2);
    EXPECT_EQ(name->asString(), "b");
}

TEST(MemFailurePaths, AFailingCalculationWhileReadingAnotherRowLeavesTheCursorRow)
{
    MemDataset ds;
    Field* a = ds.addField("A", FieldType::Int32);
    Field* twice = ds.addCalculatedField("TWICE", FieldType::Int32);
    bool fail = false;
    ds.onCalcFields = [&](Dataset&) {
        if (fail)
            throw std::runtime_error("calc failed");
        twice->setAsInteger(a->asInteger() * 2);
    };
    ds.open();
    for (int v : {1, 2}) {
        ds.append();
        a->setAsInteger(v);
        ds.post();
    }
    ds.first();
    fail = true;
    EXPECT_THROW(Dataset::RowScope(ds, 2), std::runtime_error);
    EXPECT_THROW(ds.lookup("A", 2, "TWICE"), std::runtime_error);
    fail = false;
    EXPECT_EQ(a->asInteger(), 1);   // still the cursor's row, not row 2
    ds.next();
    EXPECT_EQ(a->asInteger(), 2);
    EXPECT_EQ(twice->asInteger(), 4);
}

TEST(MemFailurePaths, ALookupDatasetFreedFirstLeavesTheFieldEmpty)
{
    MemDataset orders;
    Field* key = orders.addField("ATCODIGO", FieldType::Int32);
    Field* desc;
    {
        MemDataset techs;   // another module's dataset, freed before this one
        Field* code = techs.addField("ATCODIGO", FieldType::Int32);
        Field* techName = techs.addField("ATNOME", FieldType::String, 20);
        techs.open();
        techs.append();
        code->setAsInteger(1);
        techName->setAsString("Ana");
        techs.post();
        desc = orders.addLookupField("DescTecnico", FieldType::String, 20, "ATCODIGO", &techs, "ATCODIGO",
                                     "ATNOME");
        orders.open();
        orders.append();
        key->setAsInteger(1);
        EXPECT_EQ(desc->asString(), "Ana");
    }
    EXPECT_EQ(desc->lookupDataset(), nullptr);
    key->setAsInteger(1);   // recalculates the look-up
    EXPECT_TRUE(desc->isNull());
    orders.post();
    EXPECT_EQ(orders.recordCount(), 1);
}

TEST(MemFailurePaths, AFieldOfAFreedDatasetNoLongerListensToItsLookupDataset)
{
    auto techs = std::make_unique<MemDataset>();
    techs->addField("ATCODIGO", FieldType::Int32);
    techs->open();
    MemDataset others;
    Field* kept = others.addLookupField("Outro", FieldType::String, 20, "ATCODIGO", techs.get(), "ATCODIGO", "ATCODIGO");
    {
        MemDataset orders;
        orders.addField("ATCODIGO", FieldType::Int32);
        Field* desc =
            orders.addLookupField("Desc", FieldType::String, 20, "ATCODIGO", techs.get(), "ATCODIGO", "ATCODIGO");
        EXPECT_EQ(techs->lookupFields(), std::vector<Field*>({kept, desc}));
    }
    // Only the living field is left for techs to reach when it goes.
    EXPECT_EQ(techs->lookupFields(), std::vector<Field*>({kept}));
    techs.reset();
    EXPECT_EQ(kept->lookupDataset(), nullptr);
}

// A control whose pending text, written before the post, runs a change rule
// that posts the row itself: the outer post then has nothing left to do.
struct PostingLink : DataLink {
    QString pendingText;
    void updateData() override
    {
        const QString text = std::exchange(pendingText, QString());
        if (!text.isEmpty())
            dataset()->fieldByName("NAME")->setAsString(text);
    }
};

TEST(MemFailurePaths, APostDoneWhileControlsWriteTheirTextIsNotRepeated)
{
    MemDataset ds;
    Field* name = ds.addField("NAME", FieldType::String, 20);
    ds.open();
    DataSource source(nullptr, "dsLines", &ds);
    PostingLink link;
    link.setDataSource(&source);
    name->onChange = [&](Field&) { ds.post(); };
    int beforePosts = 0;
    int afterPosts = 0;
    ds.beforePost = [&](Dataset&) { ++beforePosts; };
    ds.afterPost = [&](Dataset&) { ++afterPosts; };
    ds.append();
    link.pendingText = "typed";
    ds.post();
    EXPECT_EQ(ds.state(), DatasetState::Browse);
    EXPECT_EQ(name->asString(), "typed");
    EXPECT_EQ(beforePosts, 1);
    EXPECT_EQ(afterPosts, 1);
}

}  // namespace
