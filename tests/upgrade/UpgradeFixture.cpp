#include "UpgradeFixture.h"

#include "host/db/Database.h"

void UpgradeTest::TearDown()
{
    uDataTecUpgrade::setOfferObserver({});
    dmTec.free();
    HostDatabaseTest::TearDown();
}

int UpgradeTest::exec(const QString& sql)
{
    const int rows = HostDatabaseTest::exec(sql);
    tr().commitRetaining();
    return rows;
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
