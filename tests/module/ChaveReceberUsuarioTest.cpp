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

// Another desk stores a receivable under a key already held while a start
// makes the key unique: the start completes without the key, and once that
// desk has committed, the repeated key is told for the upgrade to show.
TEST_F(ChaveReceberUsuarioTest, AKeyRepeatedByAnotherDeskDuringTheStartLeavesTheKeyUnmade)
{
    exec("drop index UQ_ACRC5001_CHAVE");
    const QString receber = "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL,"
                            " VALOR_DOCUMENTO) values ('00001', '000020', 1, '01', %1)";
    exec(receber.arg(10));
    dmGlobal->IBTransaction1->commitRetaining();
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction outraMesa(outra);
    host::db::executeSql(outraMesa, receber.arg(20));

    EXPECT_NO_THROW(inicia());
    EXPECT_NE(dmTec.get(), nullptr);
    EXPECT_FALSE(chaveUnica());
    EXPECT_EQ(lido("select count(*) from ACRC5001"), QStringList{"1"}) << "the start's own work is kept";

    outraMesa.commit();
    EXPECT_EQ(host::ensureUniqueReceivableKey(*dmGlobal->IBTransaction1), QStringList{"00001|000020|1|01 (2)"})
        << "what the upgrade shows";
    EXPECT_FALSE(chaveUnica());
    EXPECT_EQ(lido("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000020'"), QStringList{"2"});
}

}  // namespace
}  // namespace moduletest
