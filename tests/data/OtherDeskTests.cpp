// A row written back while another desk changed it since it was read: the
// write is refused, the row read again, and what the other desk stored
// stays; rows nobody else touched save as before whatever their nulls,
// fractions, texts and dates.

#include "tests/data/DataFixture.h"

#include "host/db/Database.h"

#include <gtest/gtest.h>

namespace {

using host::data::DatasetState;
using host::data::Query;
using host::data::RecordChangedError;
using host::data::UpdateSql;

class OtherDesk : public datatest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        makeItems(q, us);
        q.open();
    }
    void TearDown() override
    {
        q.close();
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    // Another attachment writes and commits, as another desk saving.
    void otherDesk(const QString& sql)
    {
        auto other = openSecondConnection();
        host::db::Transaction write(*other);
        ASSERT_EQ(int(host::db::executeSql(write, sql)), 1) << sql.toStdString();
        write.commit();
    }

    Query q;
    UpdateSql us;
};

TEST_F(OtherDesk, AnUpdateOfARowChangedElsewhereIsRefusedAndTheRowReadAgain)
{
    ASSERT_TRUE(q.locate("ID", 2));
    otherDesk("update ITEMS set QTY = 9 where ID = 2");
    q.edit();
    q.fieldByName("NAME")->setAsString("mine");
    EXPECT_THROW(q.post(), RecordChangedError);
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.fieldByName("QTY")->asInteger(), 9) << "the row as stored now";
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "item2");
    EXPECT_EQ(one("select QTY || NAME from ITEMS where ID = 2").toString(), "9item2");

    q.edit();
    q.fieldByName("NAME")->setAsString("mine");
    q.post();
    EXPECT_EQ(one("select QTY || NAME from ITEMS where ID = 2").toString(), "9mine");
}

TEST_F(OtherDesk, ADeleteOfARowChangedOrDeletedElsewhereIsRefused)
{
    ASSERT_TRUE(q.locate("ID", 1));
    otherDesk("update ITEMS set PRICE = 7.25 where ID = 1");
    EXPECT_THROW(q.remove(), RecordChangedError);
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 1").toInt(), 1);
    EXPECT_DOUBLE_EQ(q.fieldByName("PRICE")->asFloat(), 7.25);
    q.remove();
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 1").toInt(), 0);

    ASSERT_TRUE(q.locate("ID", 3));
    otherDesk("delete from ITEMS where ID = 3");
    q.edit();
    q.fieldByName("NAME")->setAsString("gone");
    EXPECT_THROW(q.post(), RecordChangedError) << "an update that touches no row is no success";
    EXPECT_FALSE(q.locate("ID", 3)) << "gone from here too";
    EXPECT_EQ(q.recordCount(), 1);
}

// Nulls, fractions, dates, texts and a text blob as read compare equal to
// themselves, post after post by the same desk; the other desk's change
// among them is still seen.
TEST_F(OtherDesk, RowsOnlyThisDeskChangedSaveAgainAndAgainUntilAnotherDeskWrites)
{
    ASSERT_TRUE(q.locate("ID", 1));
    const double prices[] = {0.1 + 0.2, 1.0 / 3.0, 1e-9, 123456789.987654321};
    for (double price : prices) {
        q.edit();
        q.fieldByName("PRICE")->setAsFloat(price);
        q.fieldByName("DT")->setAsDateTime(QDateTime(QDate(2026, 3, 8), QTime(10, 11, 12, 345)));
        q.fieldByName("NOTES")->setAsString(QString("nota %1").arg(price));
        q.fieldByName("NAME")->clear();
        q.post();
    }
    q.edit();
    q.fieldByName("QTY")->clear();
    q.fieldByName("NAME")->setAsString("ok ");
    q.post();
    q.close();
    q.open();
    ASSERT_TRUE(q.locate("ID", 1));
    q.edit();
    q.fieldByName("NAME")->setAsString("again");
    q.post();
    EXPECT_EQ(nameInDb(1), "again");
    tr().commitRetaining();   // saved, as the registers commit

    otherDesk("update ITEMS set QTY = 4 where ID = 1");
    q.edit();
    q.fieldByName("NAME")->setAsString("lost?");
    EXPECT_THROW(q.post(), RecordChangedError);
    EXPECT_EQ(one("select QTY || NAME from ITEMS where ID = 1").toString(), "4again");
}

// A midnight the local zone skipped (Brazil's daylight saving began at
// midnight) is read as the first hour that exists: the row still saves,
// and another desk's change of that date is still seen.
TEST_F(OtherDesk, ADateStoredAtASkippedMidnightSavesUntilAnotherDeskChangesIt)
{
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    exec("update ITEMS set DT = '2018-11-04 00:00' where ID = 2");
    tr().commitRetaining();
    q.close();
    q.open();
    ASSERT_TRUE(q.locate("ID", 2));
    q.edit();
    q.fieldByName("NAME")->setAsString("dst");
    EXPECT_NO_THROW(q.post());
    tr().commitRetaining();
    otherDesk("update ITEMS set DT = '2018-11-05 00:00' where ID = 2");
    q.edit();
    q.fieldByName("NAME")->setAsString("lost?");
    EXPECT_THROW(q.post(), RecordChangedError);
    qputenv("TZ", oldTz);
    tzset();
    EXPECT_EQ(nameInDb(2), "dst");
}

}  // namespace
