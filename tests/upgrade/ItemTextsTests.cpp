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

// An item that has its text already: a line note of the earlier version, a
// complement a desk not yet updated writes after the update and a text that
// is already the item's all end in its one text, once.
TEST_F(UpgradeTest, OldTextsOfAnItemWithItsTextJoinItOnceAtEveryStart)
{
    exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO) values (8, 'Locação')");
    for (int item : {41, 42, 43})
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (%1, 8, '00001', 'P1')")
                 .arg(item));
    const struct {
        const char* codigo;
        const char* id;
        int sequencia;
        const char* texto;
        bool depoisDaAtualizacao;
    } textos[] = {{"8", "Y", 41, "Gerador revisado", false}, {"41", "U", 41, "Nota da linha", false},
                  {"8", "Y", 42, "Compressor", false},       {"8", "U", 42, "Complemento novo", true},
                  {"8", "Y", 43, "Mesmo texto", false},      {"8", "U", 43, "Mesmo texto", false}};
    auto grava = [this, &textos](bool depois) {
        for (const auto& t : textos)
            if (t.depoisDaAtualizacao == depois)
                exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('%1', '%2', %3, '%4')")
                         .arg(t.codigo, t.id)
                         .arg(t.sequencia)
                         .arg(t.texto));
    };
    const QString lidos = "select list(OBCODIGO || '|' || OBID || '|' || OBSEQUENCIA || '|' || OBTEXTO, ';')"
                          " from (select * from AUGC70OB where OBSEQUENCIA in (41, 42, 43) order by OBSEQUENCIA)";
    const QString esperado =
        "8|Y|41|Gerador revisado\r\nNota da linha;8|Y|42|Compressor\r\nComplemento novo;8|Y|43|Mesmo texto";
    grava(false);
    createDataModule();
    grava(true);
    upgradeAgain();
    EXPECT_EQ(committed(lidos).toString(), esperado);
    upgradeAgain();
    EXPECT_EQ(committed(lidos).toString(), esperado);
}

}  // namespace
