// What creating TdmTec costs in database statements (deterministic), and the
// data-module variable: set before the creation handler, emptied when it fails.

#include "tests/tec/TecFixture.h"

#include "host/Udmglobal.h"
#include "host/data/DataModule.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <stdexcept>

namespace tectest {
namespace {

class TdmTecCostTest : public TecTest {
protected:
    bool upgradedTemplate() const override { return false; }
};

TEST_F(TdmTecCostTest, CreationOnAnUpToDateDatabaseCostsAtMostTwelveStatements)
{
    int onNew = 0;
    {
        testsupport::StatementCounter counter;
        createTec();   // the first creation brings the module's tables up to date
        onNew = counter.count();
    }
    std::printf("[ cost ] creating dmTec on a new database: %d statements\n", onNew);
    dmTec.free();

    for (int vez = 0; vez < 2; ++vez) {
        testsupport::StatementCounter counter;
        createTec();
        std::printf("[ cost ] creating dmTec on an up-to-date database: %d statements, %d prepared\n",
                    counter.count(), counter.prepares());
        EXPECT_LE(counter.count(), 12);
        if (vez == 1) {
            EXPECT_EQ(counter.prepares(), 0) << "the connection kept what the data module before prepared";
        }
        dmTec.free();
    }
}


struct Seen;
extern host::data::DataModuleVar<Seen> dmSeen;

struct Seen : host::data::DataModule {
    explicit Seen(host::Component* owner) : host::data::DataModule(owner)
    {
        onCreate = [this] { sawItself = dmSeen.get() == this; };
    }
    bool sawItself = false;
};
host::data::DataModuleVar<Seen> dmSeen("dmSeen");

TEST(DataModuleVarTest, VariableIsSetBeforeTheCreationHandlerRuns)
{
    host::Component owner;
    Seen* module = dmSeen.create(&owner);
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->sawItself);
    EXPECT_EQ(module->name(), "dmSeen");
    EXPECT_EQ(owner.findComponent("dmSeen"), module);
    dmSeen.free();
    EXPECT_EQ(owner.findComponent("dmSeen"), nullptr);
}

// The module's data module runs on the host's connection: when the host's
// data module (and its connection) goes, the module's goes first, newest
// first, so nothing later reaches a dataset on a transaction that is gone.
TEST_F(TdmTecCostTest, TheModulesDataModulesGoBeforeTheHostsConnection)
{
    createTec();
    ASSERT_TRUE(dmTec);
    host::Component owner;
    dmSeen.create(&owner);
    global.reset();
    EXPECT_FALSE(dmSeen);
    EXPECT_FALSE(dmTec) << "freed while its transaction was still there";
}

TEST(DataModuleVarTest, FailingCreationHandlerLeavesTheVariableEmpty)
{
    struct Failing : host::data::DataModule {
        explicit Failing(host::Component* owner) : host::data::DataModule(owner)
        {
            onCreate = [] { throw std::runtime_error("sem banco"); };
        }
    };
    host::data::DataModuleVar<Failing> failing("dmFailing");
    host::Component owner;
    EXPECT_THROW(failing.create(&owner), std::runtime_error);
    EXPECT_FALSE(failing);
    EXPECT_TRUE(owner.components().empty());
}

TEST(DataModuleVarTest, WithAnApplicationHandlerAFailingCreationIsReportedAndTheModuleKept)
{
    struct Failing : host::data::DataModule {
        explicit Failing(host::Component* owner) : host::data::DataModule(owner)
        {
            onCreate = [] { throw std::runtime_error("coluna não criada"); };
        }
    };
    QString reported;
    host::data::setCreateFailureHandler([&](std::exception_ptr failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            reported = QString::fromUtf8(e.what());
        }
    });
    host::data::DataModuleVar<Failing> failing("dmFailing");
    host::Component owner;
    Failing* module = failing.create(&owner);
    host::data::setCreateFailureHandler({});
    EXPECT_EQ(reported, QString("coluna não criada"));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(failing.get(), module);
    failing.free();
}

}  // namespace
}  // namespace tectest
