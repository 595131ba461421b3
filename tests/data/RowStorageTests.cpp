// Buffered rows kept in shared blocks of cells: values across many blocks,
// rows inserted and deleted among them, cells of removed rows and of closed
// datasets handed out again empty, and field value references.
#include "tests/data/DataFixture.h"

#include "host/data/MemDataset.h"

using namespace host::data;

namespace {

// Rows enough for many blocks of cells, whatever their size.
constexpr int kRows = 3000;

class RowStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        id = ds.addField("ID", FieldType::Int32);
        name = ds.addField("NAME", FieldType::String, 20);
        note = ds.addField("NOTE", FieldType::String, 20);
        ds.open();
        for (int i = 1; i <= kRows; ++i) {
            ds.append();
            id->setAsInteger(i);
            name->setAsString(QString("n%1").arg(i));
            if (i % 2 == 0)
                note->setAsString(QString("note %1").arg(i));
            ds.post();
        }
    }

    // Every row in order: ids as given, names and notes as written in SetUp.
    void expectRows(const std::vector<int>& ids)
    {
        ASSERT_EQ(ds.recordCount(), int(ids.size()));
        ds.first();
        for (int expected : ids) {
            ASSERT_FALSE(ds.eof());
            ASSERT_EQ(id->asInteger(), expected);
            if (expected > 0) {
                ASSERT_EQ(name->asString(), QString("n%1").arg(expected));
                ASSERT_EQ(note->isNull(), expected % 2 != 0) << expected;
            }
            ds.next();
        }
    }

    MemDataset ds;
    Field* id;
    Field* name;
    Field* note;
};

std::vector<int> oneTo(int last)
{
    std::vector<int> ids;
    for (int i = 1; i <= last; ++i)
        ids.push_back(i);
    return ids;
}

TEST_F(RowStorage, RowsInsertedAndDeletedAmongManyKeepEveryOtherRowsValues)
{
    expectRows(oneTo(kRows));

    std::vector<int> ids = oneTo(kRows);
    ds.setRecNo(1500);
    ds.insert();
    id->setAsInteger(-1);
    ds.post();
    ids.insert(ids.begin() + 1499, -1);
    ds.setRecNo(10);
    ds.remove();
    ids.erase(ids.begin() + 9);
    ds.last();
    ds.remove();
    ids.pop_back();
    expectRows(ids);

    // An edit changes its row's cells only.
    ds.setRecNo(2000);
    const int edited = id->asInteger();
    name->setAsString("edited");
    ds.post();
    EXPECT_EQ(ds.lookup("ID", edited, "NAME"), QVariant("edited"));
    EXPECT_EQ(ds.lookup("ID", edited + 1, "NAME"), QVariant(QString("n%1").arg(edited + 1)));
}

TEST_F(RowStorage, ANewRowAfterADeleteOrACancelStartsEmpty)
{
    ds.setRecNo(2);   // a row with a note
    ds.remove();
    ds.append();
    EXPECT_TRUE(name->isNull());
    EXPECT_TRUE(note->isNull());
    // The new row is among the rows searched while it waits for its post.
    EXPECT_TRUE(ds.lookup("NAME", "n2", "ID").isNull());
    EXPECT_TRUE(ds.lookup("NOTE", "note 2", "ID").isNull());
    id->setAsInteger(-1);
    ds.post();
    EXPECT_TRUE(name->isNull());
    EXPECT_TRUE(note->isNull());

    ds.setRecNo(4);
    ds.insert();
    name->setAsString("dropped");
    note->setAsString("dropped");
    ds.cancel();
    ds.append();
    id->setAsInteger(-2);
    ds.post();
    EXPECT_TRUE(name->isNull());
    EXPECT_TRUE(note->isNull());
    EXPECT_FALSE(ds.locate("NAME", "dropped"));
}

TEST_F(RowStorage, ANewRowAfterAnEditedOrAnAppendedOneStartsEmpty)
{
    ds.setRecNo(2);   // a row with a note
    ds.edit();
    name->setAsString("edited");
    ds.post();
    ds.append();
    EXPECT_TRUE(id->isNull());
    EXPECT_TRUE(name->isNull()) << "nothing of the row edited before";
    EXPECT_TRUE(note->isNull());
    id->setAsInteger(-1);
    note->setAsString("only a note");
    ds.post();
    ds.append();
    EXPECT_TRUE(id->isNull()) << "nothing of the row appended before";
    EXPECT_TRUE(note->isNull());
    id->setAsInteger(-2);
    ds.post();

    ds.setRecNo(2);
    EXPECT_EQ(name->asString(), "edited");
    EXPECT_EQ(note->asString(), "note 2");
    ASSERT_TRUE(ds.locate("ID", -1));
    EXPECT_TRUE(name->isNull());
    EXPECT_EQ(note->asString(), "only a note");
    ASSERT_TRUE(ds.locate("ID", -2));
    EXPECT_TRUE(name->isNull());
    EXPECT_TRUE(note->isNull());
    // An edit of a row appended starts from that row's own values.
    ds.edit();
    EXPECT_EQ(id->asInteger(), -2);
    EXPECT_TRUE(note->isNull());
    ds.cancel();
}

TEST_F(RowStorage, ADatasetOpenedAfterAnotherClosesFindsNoValuesOfThatOne)
{
    ds.close();
    MemDataset other;
    Field* otherId = other.addField("ID", FieldType::Int32);
    Field* otherName = other.addField("NAME", FieldType::String, 20);
    Field* otherNote = other.addField("NOTE", FieldType::String, 20);
    other.open();
    for (int i = 1; i <= kRows; ++i) {
        other.append();
        otherId->setAsInteger(i);
        other.post();
    }
    other.first();
    for (; !other.eof(); other.next())
        ASSERT_TRUE(otherName->isNull() && otherNote->isNull()) << otherId->asInteger();

    ds.open();
    EXPECT_TRUE(ds.isEmpty());
    ds.append();
    EXPECT_TRUE(name->isNull());
}

// The store itself: released rows and blocks of a store reset come back empty.
TEST(RowStore, CellsHandedOutAgainAreNull)
{
    constexpr int kWidth = 3;
    auto fill = [](RowStore& store, int rows) {
        std::vector<QVariant*> added;
        for (int r = 0; r < rows; ++r) {
            QVariant* row = store.add();
            for (int c = 0; c < kWidth; ++c)
                row[c] = QString("r%1c%2").arg(r).arg(c);
            added.push_back(row);
        }
        return added;
    };
    auto allNull = [](const std::vector<QVariant*>& rows) {
        for (QVariant* row : rows)
            for (int c = 0; c < kWidth; ++c)
                if (!row[c].isNull())
                    return false;
        return true;
    };
    {
        RowStore first;
        first.reset(kWidth);
        std::vector<QVariant*> rows = fill(first, kRows);
        EXPECT_EQ(rows[10][2], QVariant("r10c2"));
        first.release(rows[10]);
        EXPECT_EQ(first.add(), rows[10]);
        EXPECT_TRUE(allNull({rows[10]}));
        EXPECT_EQ(rows[11][0], QVariant("r11c0"));

        std::vector<QVariant*> again;
        first.reset(kWidth);
        for (int r = 0; r < kRows; ++r)
            again.push_back(first.add());
        EXPECT_TRUE(allNull(again));
        fill(first, kRows);
    }   // a store that ends passes its blocks on, values and all
    RowStore next;
    next.reset(kWidth);
    std::vector<QVariant*> rows;
    for (int r = 0; r < 2 * kRows; ++r)
        rows.push_back(next.add());
    EXPECT_TRUE(allNull(rows));
}

TEST_F(RowStorage, AValueReferenceHoldsItsRowsValueUntilThatRowChanges)
{
    ds.setRecNo(2);
    const QVariant& second = name->value();
    const QVariant& secondNote = note->value();
    ds.last();   // past many blocks of rows
    ds.first();
    ds.locate("ID", 1000);
    EXPECT_EQ(second, QVariant("n2"));
    EXPECT_EQ(secondNote, QVariant("note 2"));
    EXPECT_EQ(name->value(), QVariant("n1000"));

    // While a row is edited the fields read the edit buffer.
    ds.edit();
    name->setAsString("typed");
    const QVariant& typed = name->value();
    EXPECT_EQ(typed, QVariant("typed"));
    EXPECT_EQ(second, QVariant("n2"));
    ds.post();
    EXPECT_EQ(name->value(), QVariant("typed"));

    ds.setRecNo(2);
    name->setAsString("changed");
    ds.post();
    EXPECT_EQ(second, QVariant("changed"));   // the row's own cell
}

// Bookmarks name rows, not cells: a deleted row's cells serving a new row do
// not bring its bookmark back, and rows inserted before others keep theirs.
TEST_F(RowStorage, BookmarksFollowTheirRowsWhenCellsAreUsedAgain)
{
    ds.setRecNo(2);
    const Bookmark deleted = ds.bookmark();
    ds.setRecNo(2500);
    const Bookmark kept = ds.bookmark();
    ds.setRecNo(2);
    ds.remove();
    ds.setRecNo(1);
    ds.insert();
    id->setAsInteger(-1);
    ds.post();
    EXPECT_FALSE(ds.bookmarkValid(deleted));
    EXPECT_THROW(ds.gotoBookmark(deleted), DatasetError);
    ds.gotoBookmark(kept);
    EXPECT_EQ(id->asInteger(), 2500);
    EXPECT_EQ(name->asString(), "n2500");
}

// A search for the value a field shows while its row is edited: the search
// posts the row first, and that post empties the edit buffer the value was in.
TEST_F(RowStorage, ASearchForTheEditedRowsOwnValueFindsThatRowOnceItIsPosted)
{
    ds.setRecNo(2);
    name->setAsString("typed");
    ASSERT_TRUE(ds.locate("NAME", name->value()));
    EXPECT_EQ(ds.state(), DatasetState::Browse);
    EXPECT_EQ(ds.recNo(), 2);

    ds.setRecNo(5);
    ds.insert();
    id->setAsInteger(-1);
    name->setAsString("new row");
    ASSERT_TRUE(ds.locate("NAME", name->value()));
    EXPECT_EQ(ds.recNo(), 5);
    EXPECT_EQ(id->asInteger(), -1);
}

// A row whose reading fails halfway leaves nothing behind: the next row read
// into those cells shows none of the failed row's values.
class FailingRows : public Dataset {
public:
    bool canModify() const override { return false; }
    int failAt = 0;

protected:
    void openData() override
    {
        defineColumn("ID", FieldType::Int32, 0);
        defineColumn("NAME", FieldType::String, 20);
        next_ = 1;
    }
    bool fetchRow(MutableRowValues columns) override
    {
        if (next_ > 3)
            return false;
        if (next_ == failAt) {
            failAt = 0;
            columns[1] = "partial";
            throw DatasetError("leitura interrompida");
        }
        columns[0] = next_;
        if (next_ != 2)
            columns[1] = QString("n%1").arg(next_);   // the second row has no name
        ++next_;
        return true;
    }
    void closeData() override {}
    void writeInsert(RowValues) override {}
    void writeModify(RowValues, RowValues) override {}
    void writeDelete(RowValues) override {}

private:
    int next_ = 1;
};

TEST(RowStoreFetch, ARowWhoseReadFailsHalfwayLeavesNoValueForTheNextRow)
{
    for (bool reordered : {false, true}) {
        FailingRows rows;
        if (reordered) {   // fields in another order than the columns
            rows.addField("NAME", FieldType::String, 20);
            rows.addField("ID", FieldType::Int32);
        }
        rows.failAt = 2;
        rows.open();
        EXPECT_THROW(rows.next(), DatasetError);
        EXPECT_EQ(rows.fetchedCount(), 1);
        rows.next();
        EXPECT_EQ(rows.fieldByName("ID")->asInteger(), 2);
        EXPECT_TRUE(rows.fieldByName("NAME")->isNull()) << reordered;
        EXPECT_EQ(rows.recordCount(), 3);
    }
}

// A query's rows across many blocks, fields in the columns' order (read
// straight into the row) and in another order (through the columns).
class QueryRows : public datatest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        for (int i = 4; i <= kLast; ++i)
            exec(QString("insert into ITEMS (ID, NAME, PRICE) values (%1, 'n%1', %1.25)").arg(i));
        q.setTransaction(&tr());
        q.setSql("select ID, NAME, PRICE from ITEMS order by ID");
    }
    void TearDown() override
    {
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    // Walks the open query: every row's id and price (and name when asked).
    void expectEveryRow(Field* id, Field* price, Field* name)
    {
        int expected = 1;
        for (; !q.eof(); q.next(), ++expected) {
            ASSERT_EQ(id->asInteger(), expected);
            ASSERT_EQ(price->asFloat(), expected <= 3 ? expected + 0.5 : expected + 0.25);
            if (name) {
                ASSERT_EQ(name->asString(),
                          expected <= 3 ? QString("item%1").arg(expected) : QString("n%1").arg(expected));
            }
        }
        EXPECT_EQ(expected, kLast + 1);
    }
    static constexpr int kLast = 1200;
    Query q;
};

TEST_F(QueryRows, EveryRowReadsBackInTheColumnsOrderAndInAnother)
{
    q.open();
    expectEveryRow(q.fieldByName("ID"), q.fieldByName("PRICE"), q.fieldByName("NAME"));
    q.close();

    // Persistent fields in another order, one column left out.
    Field* price = q.addField("PRICE", FieldType::Float);
    Field* id = q.addField("ID", FieldType::Int32);
    q.open();
    expectEveryRow(id, price, nullptr);
    q.close();
}

}  // namespace
