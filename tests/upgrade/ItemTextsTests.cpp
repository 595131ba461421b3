// A database of an earlier version that kept both old texts of one rental
// item (the complement's under the contract, the line's under the item)
// starts: both texts end in the item's one text, and the next start finds
// nothing left to move.

#include "UpgradeFixture.h"

namespace {

TEST_F(UpgradeTest, AnItemWithBothOldTextsKeepsThemJoinedInItsOneText)
{
    exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO) values (7, 'Locação')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (31, 7, '00001', 'P1')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (32, 7, '00001', 'P1')");
    const struct {
        const char* codigo;
        int sequencia;
        const char* texto;
    } antigos[] = {{"7", 31, "Correia extra"}, {"31", 31, "Entregue na obra"}, {"32", 32, "Só a linha"}};
    for (const auto& t : antigos)
        exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('%1', 'U', %2, '%3')")
                 .arg(t.codigo)
                 .arg(t.sequencia)
                 .arg(t.texto));
    const QString textos = "select list(OBCODIGO || '|' || OBID || '|' || OBSEQUENCIA || '|' || OBTEXTO, ';')"
                           " from (select * from AUGC70OB where OBSEQUENCIA in (31, 32) order by OBSEQUENCIA)";
    const QString esperado = "7|Y|31|Correia extra\r\nEntregue na obra;7|Y|32|Só a linha";
    createDataModule();
    EXPECT_EQ(committed(textos).toString(), esperado);
    upgradeAgain();
    EXPECT_EQ(committed(textos).toString(), esperado);
}

}  // namespace
