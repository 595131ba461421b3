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
    // One of them asks what tables and generators are not yet every user's.
    EXPECT_LE(upToDateCount, 13);
    EXPECT_LE(upToDate.prepares(), 12);
}
