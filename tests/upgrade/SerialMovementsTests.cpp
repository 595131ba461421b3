// A database whose earlier version deleted a rental contract but kept its
// pieces' movements starts: the movements that named only that contract go,
// and nothing else does.

#include "UpgradeFixture.h"

namespace {

TEST_F(UpgradeTest, MovementsNamingOnlyADeletedContractGoAtTheStart)
{
    exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO) values (7, 'Locação')");
    const struct {
        int codigo;
        const char* colunas;
        const char* valores;
    } movimentos[] = {{1, "ACCODIGO", "99"},
                      {2, "ACCODIGO", "7"},
                      {3, "ACCODIGO, VECODIGO", "98, '000050'"},
                      {4, "NSMOVIMENTO, LECODIGO", "'E', '001'"}};
    for (const auto& m : movimentos)
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, %1) values (%2, 'GER-%2', 'L0001',"
                     " 'L', %3)")
                 .arg(m.colunas)
                 .arg(m.codigo)
                 .arg(m.valores));
    createDataModule();
    EXPECT_EQ(committed("select list(NSCODIGO, ',') from (select NSCODIGO from AUGC50NS order by NSCODIGO)")
                  .toString(),
              "2,3,4");
}

}  // namespace
