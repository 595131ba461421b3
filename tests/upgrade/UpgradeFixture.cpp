#include "UpgradeFixture.h"

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

namespace {

// Built at the first test of the run; removed with the test folder.
QString hostSchemaTemplate()
{
    static const QString path = [] {
        const QString file = testsupport::uniqueFile("upgrade-template", ".fdb");
        QFile::remove(file);
        host::db::Connection connection;
        connection.create({file});
        {
            host::db::Transaction transaction(connection);
            host::createHostSchema(transaction);
            transaction.commit();
        }
        connection.close();
        return file;
    }();
    return path;
}

}  // namespace

void UpgradeTest::SetUp()
{
    dbPath = testsupport::uniqueFile("upgrade", ".fdb");
    QFile::remove(dbPath);
    ASSERT_TRUE(QFile::copy(hostSchemaTemplate(), dbPath));
    QFile::setPermissions(dbPath, QFile::ReadOwner | QFile::WriteOwner);
    global = std::make_unique<TdmGlobal>(dbPath);
}

void UpgradeTest::TearDown()
{
    uDataTecUpgrade::setOfferObserver({});
    dmTec.free();
    global.reset();
    QFile::remove(dbPath);
}

int UpgradeTest::exec(const QString& sql)
{
    const int rows = host::db::executeSql(tr(), sql);
    tr().commitRetaining();
    return rows;
}

QVariant UpgradeTest::one(const QString& sql)
{
    return host::db::selectValue(tr(), sql);
}

void UpgradeTest::createDataModule()
{
    dmTec.free();
    tec = nullptr;
    tec = dmTec.create(nullptr);
}

void UpgradeTest::upgradeAgain()
{
    tec->DataModuleCreate();
}

const char* const kConversionStatements[7] = {
    "Alter table aatc01ap add apAux doValor",
    "Update aatc01ap Set apAux = APQUANTIDADE",
    "Alter table aatc01ap drop APQUANTIDADE",
    "Alter table aatc01ap add APQUANTIDADE doValor",
    "Update aatc01ap Set  APQUANTIDADE = apAux",
    "Alter table aatc01ap drop apAux",
    "Alter table aatc01ap add APGARANTIA VarChar(1)",
};
