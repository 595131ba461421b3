// The receivables' key (customer, document, sequence, branch) is unique in
// the database: a new database refuses a repeated key from the start; a
// database that already holds repeated keys still starts, the repeated rows
// are kept and shown to the user, and the key becomes unique on the first
// start after they were mended.

#include "UpgradeFixture.h"

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

namespace {

class ReceivableKeyTest : public UpgradeTest {
protected:
    void receber(const QString& documento, const QString& filial, double valor)
    {
        exec(QString("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL,"
                     " VALOR_DOCUMENTO) values ('00001', '%1', 1, %2, %3)")
                 .arg(documento, filial)
                 .arg(valor));
    }
    bool chaveUnica()
    {
        return committed("select count(*) from rdb$indices where rdb$index_name = 'UQ_ACRC5001_CHAVE'").toInt() == 1;
    }
    // A start of the application: the host's schema completed, then the module's data module.
    void inicia()
    {
        host::createHostSchema(tr());
        createDataModule();
    }
};

TEST_F(ReceivableKeyTest, ANewDatabaseRefusesARepeatedKeyAlsoWithAnEmptyBranch)
{
    ASSERT_TRUE(chaveUnica());
    receber("000010", "'01'", 10);
    EXPECT_THROW(receber("000010", "'01'", 20), std::exception);
    tr().rollbackRetaining();
    receber("000010", "'02'", 20);
    receber("000011", "null", 30);
    EXPECT_THROW(receber("000011", "null", 40), std::exception);
    tr().rollbackRetaining();
    EXPECT_EQ(committed("select count(*) from ACRC5001").toInt(), 3) << "the refused rows are not there";
}

TEST_F(ReceivableKeyTest, RepeatedKeysOfAnOlderDatabaseAreShownKeptAndTheStartCompletes)
{
    // A database from before the key: two rows share one.
    exec("drop index UQ_ACRC5001_CHAVE");
    receber("000010", "'01'", 10);
    receber("000010", "'01'", 20);
    receber("000011", "'01'", 30);
    receber("000013", "null", 40);
    receber("000013", "null", 50);
    dialogs->acknowledge("00001|000010|1|01 (2)\n00001|000013|1| (2)");
    inicia();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->texts().join('\n').contains("mesma chave")) << dialogs->texts().join('\n').toStdString();
    ASSERT_NE(tec, nullptr);
    EXPECT_TRUE(uDataTecUpgrade::columnGroupsDone()) << "the rest of the upgrade ran";
    EXPECT_EQ(committed("select count(*) from ACRC5001").toInt(), 5) << "nothing is lost";
    EXPECT_EQ(committed("select cast(sum(VALOR_DOCUMENTO) as integer) from ACRC5001 where NUMERO_DOCUMENTO = '000010'")
                  .toInt(),
              30);
    EXPECT_FALSE(chaveUnica());

    // Mended by the user: the next start makes the key unique, silently.
    exec("update ACRC5001 set NUMERO_DOCUMENTO = '000012' where VALOR_DOCUMENTO = 20");
    exec("update ACRC5001 set CODIGO_FILIAL = '01' where VALOR_DOCUMENTO = 50");
    tr().commit();   // saved, and this session ended, as before a next start
    const int mostradas = int(dialogs->shown().size());
    inicia();
    EXPECT_EQ(int(dialogs->shown().size()), mostradas);
    EXPECT_TRUE(chaveUnica());
    EXPECT_THROW(receber("000011", "'01'", 40), std::exception);
}

}  // namespace
