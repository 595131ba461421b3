// The receivables' unique key on a database that lacks it, started by a
// user who may not change the schema: the start completes and the key is
// made at the next start of one who may.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

namespace moduletest {
namespace {

class ChaveReceberUsuarioTest : public ModuleTest {
protected:
    bool chaveUnica() const
    {
        return lido("select count(*) from rdb$indices where rdb$index_name = 'UQ_ACRC5001_CHAVE'") ==
               QStringList{"1"};
    }
    // A start: the host's schema completed, then the module's data module.
    void inicia()
    {
        host::createHostSchema(*dmGlobal->IBTransaction1);
        uPackageAss::CriarDataTec();
    }
};

TEST_F(ChaveReceberUsuarioTest, AUserWhoMayNotChangeTheSchemaStillStarts)
{
    exec("drop index UQ_ACRC5001_CHAVE");
    dmGlobal->IBTransaction1->commitRetaining();
    entrarComo("ANA");
    EXPECT_NO_THROW(inicia());
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_FALSE(chaveUnica());
    entrarComo("SYSDBA");
    inicia();
    EXPECT_TRUE(chaveUnica());
}

}  // namespace
}  // namespace moduletest
