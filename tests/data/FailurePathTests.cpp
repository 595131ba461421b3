// Failure paths and lifetimes: a failing step must leave every dataset
// consistent (no row lost, no stale cursor, nothing run that was refused).
#include "tests/data/DataFixture.h"

#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"

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

}  // namespace
