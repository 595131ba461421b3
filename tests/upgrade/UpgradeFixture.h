#pragma once
// The host's test database (host schema, the module's tables in their base
// form) with dmGlobal open on it; dmTec is created by the test.

#include "data/uDataTec.h"
#include "data/uDataTecUpgrade.h"
#include "tests/support/HostDatabase.h"

class UpgradeTest : public testsupport::HostDatabaseTest {
protected:
    void TearDown() override;

    // Runs SQL and commits it, so that DDL is seen by what follows.
    int exec(const QString& sql);
    // Creates dmTec, whose creation handler runs the upgrade; frees it first
    // when it exists.
    void createDataModule();
    // The creation handler again, on the data module already created.
    void upgradeAgain();

    TdmTec* tec = nullptr;
};

// The seven statements of the quantity conversion, in their order.
extern const char* const kConversionStatements[7];
