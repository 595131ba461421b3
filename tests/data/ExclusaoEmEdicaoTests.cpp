// Deleting a row the user has typed over: the delete's rules read the row as
// stored, a refusal leaves the typing in place, and the delete that goes
// takes the stored row, whatever key was typed over it.
#include "tests/data/DataFixture.h"

#include "host/data/Abort.h"

using namespace host::data;

namespace {

class ExclusaoEmEdicao : public datatest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        q.setTransaction(&tr());
        q.setSql("select ID, NAME from ITEMS order by ID");
        q.setUpdateObject(&us);
        us.setDeleteSql("delete from ITEMS where ID = :OLD_ID");
        q.open();
    }
    void TearDown() override
    {
        q.setTransaction(nullptr);
        DataTest::TearDown();
    }
    Query q;
    UpdateSql us;
};

TEST_F(ExclusaoEmEdicao, TheRulesReadTheStoredRowAndARefusalKeepsTheTyping)
{
    QStringList lidos;
    bool recusa = true;
    q.beforeDelete = [&](Dataset& ds) {
        lidos << ds.fieldByName("ID")->asString() + "/" + ds.fieldByName("NAME")->asString();
        if (recusa)
            host::abortOperation();
    };
    q.edit();
    q.fieldByName("ID")->setAsInteger(7);
    q.fieldByName("NAME")->setAsString("digitado");
    EXPECT_THROW(q.remove(), host::Abort);
    EXPECT_EQ(lidos, QStringList{"1/item1"});
    EXPECT_EQ(q.state(), DatasetState::Edit);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 7);
    EXPECT_EQ(q.fieldByName("NAME")->asString(), "digitado");

    recusa = false;
    q.remove();
    EXPECT_EQ(lidos, (QStringList{"1/item1", "1/item1"}));
    EXPECT_EQ(q.state(), DatasetState::Browse);
    EXPECT_EQ(q.fieldByName("ID")->asInteger(), 2) << "the next row is current";
    EXPECT_EQ(one("select count(*) from ITEMS where ID = 1").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ITEMS").toInt(), 2);
}

}  // namespace
