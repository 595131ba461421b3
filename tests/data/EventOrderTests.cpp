// Event order of the dataset operations, Abort in the before-events, and the
// re-entrancy the rules rely on.
#include "tests/data/DataFixture.h"

#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"

using namespace host::data;
using datatest::EventLog;

namespace {

class EventOrder : public datatest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        makeItems(q, us);
        log.attach(q);
    }
    void TearDown() override
    {
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    Query q;
    UpdateSql us;
    EventLog log;
};

TEST_F(EventOrder, OpenCloseAndScroll)
{
    q.open();
    EXPECT_EQ(log.take(), "beforeOpen,afterOpen,afterScroll");
    q.next();
    EXPECT_EQ(log.take(), "beforeScroll,afterScroll");
    EXPECT_EQ(q.recNo(), 2);
    q.last();
    q.next();   // at the end: the cursor stays and eof is set
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recNo(), 3);
    log.take();
    q.close();
    EXPECT_EQ(log.take(), "beforeClose,afterClose");
}

TEST_F(EventOrder, OpenOfAnEmptyResultRunsNoScroll)
{
    q.setSql("select * from ITEMS where ID = -1");
    log.take();
    q.open();
    EXPECT_EQ(log.take(), "beforeOpen,afterOpen");
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.bof());
}

TEST_F(EventOrder, AppendEditPostCancelDelete)
{
    q.open();
    log.take();
    q.onNewRecord = [&](Dataset&) {
        log.events << "onNewRecord";
        q.fieldByName("ID")->setAsInteger(10);
    };
    q.fieldByName("ID")->onChange = [&](Field&) { log.events << "ID.change"; };
    q.append();
    EXPECT_EQ(log.take(), "beforeInsert,onNewRecord,ID.change,afterInsert,afterScroll");
    EXPECT_EQ(q.state(), DatasetState::Insert);
    EXPECT_FALSE(q.modified());   // defaults of the new row do not count as typing

    q.beforePost = [&](Dataset&) { log.events << (nameInDb(10).isEmpty() ? "beforePost(unwritten)" : "?"); };
    q.afterPost = [&](Dataset&) { log.events << (one("select count(*) from ITEMS where ID = 10").toInt() == 1 ? "afterPost(written)" : "?"); };
    q.fieldByName("NAME")->setAsString("new");
    q.post();
    EXPECT_EQ(log.take(), "beforePost(unwritten),afterPost(written)");

    q.edit();
    EXPECT_EQ(log.take(), "beforeEdit,afterEdit");
    q.fieldByName("NAME")->setAsString("changed");
    q.cancel();
    EXPECT_EQ(log.take(), "beforeCancel,afterCancel");
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "new");

    q.remove();
    EXPECT_EQ(log.take(), "beforeDelete,afterDelete,afterScroll");
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 10").toInt(), 0);
}

TEST_F(EventOrder, AbortInEachBeforeEventKeepsStateAndValues)
{
    q.open();
    auto refuse = [](Dataset&) { throw host::Abort{}; };

    q.beforeInsert = refuse;
    EXPECT_THROW(q.append(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.recordCount(), 3);

    q.beforeEdit = refuse;
    EXPECT_THROW(q.edit(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    q.beforeEdit = nullptr;

    q.edit();
    q.fieldByName("NAME")->setAsString("typed");
    q.beforePost = refuse;
    EXPECT_THROW(q.post(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Edit);
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "typed");
    EXPECT_EQ(nameInDb(1), "item1");

    q.beforeCancel = refuse;
    EXPECT_THROW(q.cancel(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Edit);
    q.beforeCancel = nullptr;
    q.cancel();

    q.beforeDelete = refuse;
    EXPECT_THROW(q.remove(), host::Abort);
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(one("select count(*) from ITEMS").toInt(), 3);

    q.beforeScroll = refuse;
    EXPECT_THROW(q.next(), host::Abort);
    EXPECT_EQ(q.recNo(), 1);

    q.beforeClose = refuse;
    EXPECT_THROW(q.close(), host::Abort);
    EXPECT_TRUE(q.active());
    q.beforeClose = nullptr;
    q.close();

    q.beforeOpen = refuse;
    EXPECT_THROW(q.open(), host::Abort);
    EXPECT_FALSE(q.active());
}

TEST_F(EventOrder, OtherExceptionsReachTheCallerUnchanged)
{
    q.open();
    q.beforePost = [](Dataset&) { throw std::logic_error("rule failed"); };
    q.edit();
    try {
        q.post();
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "rule failed");
    }
    EXPECT_EQ(q.state(), DatasetState::Edit);
}

TEST_F(EventOrder, AFailedWriteStaysInEditWithTheTypedValues)
{
    q.open();
    q.edit();
    q.fieldByName("ID")->setAsInteger(2);   // collides with the second row's key
    q.fieldByName("NAME")->setAsString("dup");
    EXPECT_THROW(q.post(), host::db::DbError);
    EXPECT_EQ(q.state(), DatasetState::Edit);
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "dup");
    q.cancel();
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 1);
}

TEST_F(EventOrder, EditOfAnEmptyDatasetStartsANewRow)
{
    q.setSql("select * from ITEMS where ID = -1");
    q.open();
    log.take();
    q.edit();
    EXPECT_EQ(q.state(), DatasetState::Insert);
    EXPECT_EQ(log.take(), "beforeInsert,onNewRecord,afterInsert,afterScroll");
}

TEST_F(EventOrder, AssigningInBrowseEditsOrRaises)
{
    q.open();
    q.fieldByName("NAME")->setAsString("auto");
    EXPECT_EQ(q.state(), DatasetState::Edit);
    q.cancel();
    q.setAutoEdit(false);
    EXPECT_THROW(q.fieldByName("NAME")->setAsString("x"), DatasetError);
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "item1");
}

TEST_F(EventOrder, MovingPostsAModifiedRowAndDropsAnUntouchedNewOne)
{
    q.open();
    q.edit();
    q.fieldByName("NAME")->setAsString("moved");
    q.next();
    EXPECT_EQ(nameInDb(1), "moved");
    q.append();
    q.first();
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.state(), DatasetState::Browse);
}

TEST_F(EventOrder, CancelInsideNewRecordEndsTheAppend)
{
    q.open();
    q.next();
    q.onNewRecord = [](Dataset& ds) { ds.cancel(); };
    log.take();
    EXPECT_THROW(q.append(), host::Abort);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.recNo(), 2);
    EXPECT_EQ(log.take(), "beforeInsert,beforeCancel,afterCancel");
}

TEST_F(EventOrder, CancelInsideBeforePostWritesNothing)
{
    q.open();
    q.beforePost = [](Dataset& ds) { ds.cancel(); };
    q.edit();
    q.fieldByName("NAME")->setAsString("never");
    log.take();
    q.post();
    EXPECT_EQ(log.take(), "beforeCancel,afterCancel");
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(nameInDb(1), "item1");
}

TEST_F(EventOrder, PostFromAFieldChangeRule)
{
    q.open();
    q.fieldByName("QTY")->onChange = [&](Field&) { q.post(); };
    q.fieldByName("QTY")->setAsInteger(9);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(one("select QTY from ITEMS where ID = 1").toInt(), 9);
}

TEST_F(EventOrder, PostAndCancelOtherDatasetsInsideHandlers)
{
    Query other;
    UpdateSql otherUs;
    makeItems(other, otherUs);
    other.open();
    other.last();
    other.edit();
    other.fieldByName("NAME")->setAsString("fromOther");
    q.open();
    q.beforePost = [&](Dataset&) { other.post(); };
    q.edit();
    q.fieldByName("NAME")->setAsString("mine");
    q.post();
    EXPECT_EQ(nameInDb(3), "fromOther");
    EXPECT_EQ(nameInDb(1), "mine");

    other.edit();
    other.fieldByName("NAME")->setAsString("dropped");
    q.beforePost = nullptr;
    q.afterPost = [&](Dataset&) { other.cancel(); };
    q.edit();
    q.post();
    EXPECT_EQ(other.state(), DatasetState::Browse);
    EXPECT_EQ(other.fieldByName("NAME")->asString(), "fromOther");
}

// A detail's after-post re-totals the master and posts it while the master's
// own before-post is still running: the nested post is absorbed and the row
// is written once, with the totals.
TEST_F(EventOrder, NestedPostFromOwnBeforePostIsAbsorbed)
{
    Query detail;
    UpdateSql detailUs;
    makeItems(detail, detailUs);
    detail.setName("quDetail");
    q.open();
    detail.setSql("select * from ITEMS where ID = 3");
    detail.open();

    int masterPosts = 0;
    q.afterPost = [&](Dataset&) { ++masterPosts; };
    detail.afterPost = [&](Dataset&) {
        q.edit();
        q.fieldByName("PRICE")->setAsFloat(99.0);   // the re-total
        q.post();                                   // nested: absorbed
    };
    q.beforePost = [&](Dataset&) { detail.post(); };   // pending details first

    detail.edit();
    detail.fieldByName("QTY")->setAsInteger(7);
    q.edit();
    q.fieldByName("NAME")->setAsString("master");
    testsupport::StatementCounter count;
    q.post();
    EXPECT_EQ(count.count(), 2);   // the detail's update and the master's, once
    EXPECT_EQ(count.prepares(), 2);
    EXPECT_EQ(masterPosts, 1);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(one("select PRICE from ITEMS where ID = 1").toDouble(), 99.0);
    EXPECT_EQ(nameInDb(1), "master");
    EXPECT_EQ(one("select QTY from ITEMS where ID = 3").toInt(), 7);
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_F(EventOrder, AfterPostMayEditAndPostAgain)
{
    q.open();
    int posts = 0;
    q.afterPost = [&](Dataset&) {
        if (++posts == 1) {
            q.edit();
            q.fieldByName("QTY")->setAsInteger(5);
            q.post();
        }
    };
    q.edit();
    q.fieldByName("NAME")->setAsString("twice");
    q.post();
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(one("select QTY from ITEMS where ID = 1").toInt(), 5);
}

TEST_F(EventOrder, DetachGuardRestoresOnEveryPath)
{
    int edits = 0;
    q.beforeEdit = [&](Dataset&) { ++edits; };
    q.open();
    {
        DetachHandler keep(q.beforeEdit);
        q.edit();
        q.cancel();
    }
    EXPECT_EQ(edits, 0);
    try {
        DetachHandler keep(q.beforeEdit);
        throw std::runtime_error("failure");
    } catch (const std::runtime_error&) {
    }
    q.edit();
    EXPECT_EQ(edits, 1);
    q.cancel();

    Field* name = q.fieldByName("NAME");
    int changes = 0;
    name->onChange = [&](Field&) { ++changes; };
    EXPECT_THROW(
        {
            DetachHandler keep(name->onChange);
            name->setAsString("quiet");
            throw host::Abort{};
        },
        host::Abort);
    name->setAsString("loud");
    EXPECT_EQ(changes, 1);
}

TEST_F(EventOrder, AHandlerMayDetachItselfWhileRunning)
{
    q.open();
    int runs = 0;
    q.afterScroll = [&](Dataset& ds) {
        ++runs;
        ds.afterScroll = nullptr;
    };
    q.next();
    q.next();
    EXPECT_EQ(runs, 1);
}

}  // namespace
