// Two desks booking serial-number movements at once on the database the
// first start leaves: each save takes a key of its own, so neither is
// refused and neither movement is lost.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/PilvOut70.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "rental/uAssContLocEquipCad.h"

#include <memory>
#include <utility>

namespace moduletest {
namespace {

class SerieDuasMesasTest : public LocacaoPropriaTest {
protected:
    // The other desk's attachment, its save of a piece left uncommitted: the
    // host's routine run on the other desk's own transaction.
    void outraMesaGravaSemConfirmar(const QString& series, int quantas = 1)
    {
        outra_.open({dbPath});
        transacao_ = std::make_unique<host::db::Transaction>(outra_);
        std::swap(dmGlobal->IBTransaction1, transacao_);
        int gravados = 0;
        try {
            gravados = InserirRegistroNumerosSerieProduto(series, "L0002", "L", {}, {}, {}, {}, "3", {}, {},
                                                          {}, 0, 0, 0, 0, 0);
        } catch (...) {
            std::swap(dmGlobal->IBTransaction1, transacao_);
            throw;
        }
        std::swap(dmGlobal->IBTransaction1, transacao_);
        EXPECT_EQ(gravados, quantas);
    }
    void outraMesaConfirma() { transacao_->commit(); }

    host::db::Connection outra_;
    std::unique_ptr<host::db::Transaction> transacao_;
};

TEST_F(SerieDuasMesasTest, ALineWithASerialSavedWhileAnotherDeskSavesOneIsStoredAndBothMovementsKept)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    outraMesaGravaSemConfirmar("'BT-0009'");

    linhaComSerie(*form, "L0002", "1", "BT-0001");
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    outraMesaConfirma();

    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 3 and ACITNUMEROSERIE = 'BT-0001'"),
              QStringList{"1"})
        << vistos();
    EXPECT_EQ(lido("select NSNUMERO from AUGC50NS where ACCODIGO = 3 and NSNUMERO starting with 'BT-'"
                   " order by NSNUMERO"),
              (QStringList{"BT-0001", "BT-0009"}));
    EXPECT_EQ(lido("select count(distinct NSCODIGO) - count(*) from AUGC50NS"), QStringList{"0"});
    form->close();
}

// A movement stored by other means with a larger key, then two desks each
// booking two pieces at once: each block of keys is above it and its own.
TEST_F(SerieDuasMesasTest, TwoDesksBookingSeveralPiecesAtOnceAfterALargerKeyStoredElsewhereKeepEveryMovement)
{
    outraMesa("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS) values (500, 'IMP-1', 'L0001', 'D')");
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    outraMesaGravaSemConfirmar("'BT-0008','BT-0009'", 2);

    linhaComSerie(*form, "L0002", "2", "BT-0001; BT-0002");
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    outraMesaConfirma();

    EXPECT_EQ(lido("select NSNUMERO from AUGC50NS where ACCODIGO = 3 and NSNUMERO starting with 'BT-'"
                   " and NSCODIGO > 500 order by NSNUMERO"),
              (QStringList{"BT-0001", "BT-0002", "BT-0008", "BT-0009"}))
        << vistos();
    EXPECT_EQ(lido("select count(distinct NSCODIGO) - count(*) from AUGC50NS"), QStringList{"0"});
    form->close();
}

}  // namespace
}  // namespace moduletest
