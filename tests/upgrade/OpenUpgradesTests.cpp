// The two upgrades that run before a query opens.

#include "UpgradeFixture.h"

#include "tests/schema/SchemaMetadata.h"

#include "host/data/Query.h"

TEST_F(UpgradeTest, ContractQueryAddsItsServiceCodeBeforeReadingRows)
{
    createDataModule();
    exec("alter table AATC05AC drop PRCODIGO");
    exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO) values (3, 'Básico')");
    tec->quContrato->paramByName("accodigo")->setValue(3);
    tec->quContrato->open();
    const StoredColumn stored = storedColumns(tr(), "AATC05AC").value("PRCODIGO");
    EXPECT_EQ(stored.fieldType, fieldtype::VarChar);
    EXPECT_EQ(stored.charLength, 11);
    EXPECT_EQ(tec->quContrato->recordCount(), 1);
    EXPECT_TRUE(tec->quContrato->fieldByName("PRCODIGO")->isNull());
}

TEST_F(UpgradeTest, ContactQueryCreatesAContactTableItCanOpen)
{
    createDataModule();
    exec("drop table CADCOM");
    tec->quOSContato->paramByName("contrato")->setValue(25);
    tec->quOSContato->open();
    EXPECT_EQ(primaryKey(tr(), "CADCOM"), QStringList({"COD_CLI", "SEQUENCIA"}));
    const auto columns = storedColumns(tr(), "CADCOM");
    EXPECT_EQ(columns.value("COD_CLI").charsetId, fieldtype::CharsetLatin1);
    EXPECT_EQ(columns.value("OBSERVACAO").charLength, 800);
    for (const char* progress : {"IDORIGEM", "ASCODIGO", "ASCODIGOATUAL", "AOITCODIGO", "CTHORAFINAL", "CTTEMPOTOTAL"})
        EXPECT_TRUE(columns.contains(progress)) << progress;
    EXPECT_EQ(tec->quOSContato->recordCount(), 0);
}

TEST_F(UpgradeTest, OpeningOnAnUpToDateDatabaseChangesNothing)
{
    createDataModule();
    const QString before = schemaSnapshot(tr());
    tec->quContrato->open();
    tec->quOSContato->open();
    EXPECT_EQ(schemaSnapshot(tr()), before);
}
