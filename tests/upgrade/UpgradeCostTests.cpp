// What creating TdmTec costs in database statements.

#include "UpgradeFixture.h"

#include "tests/support/TestDatabase.h"

#include <cstdio>

TEST_F(UpgradeTest, CreatingOnAnUpToDateDatabaseIsAFewMetadataChecks)
{
    testsupport::StatementCounter onNew;
    createDataModule();
    const int newCount = onNew.count();

    testsupport::StatementCounter upToDate;
    createDataModule();
    const int upToDateCount = upToDate.count();
    std::printf("[ statements ] creating TdmTec: new database %d, up-to-date database %d (%d prepared)\n", newCount,
                upToDateCount, upToDate.prepares());
    EXPECT_LE(upToDateCount, 12);
    EXPECT_LE(upToDate.prepares(), 12);
}
