// Two desks saving one contract number: the other desk, under a login of
// its own, has saved rental contract "HZ-1" and not committed yet; this
// desk's new "HZ-1" is refused in words, and again once the other desk
// committed: the number stays one contract's.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTecNumeroContrato.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "rental/uAssContLocEquipCad.h"

#include <QPushButton>

#include <memory>
#include <utility>

namespace moduletest {
namespace {

using NumeroContratoDuasMesasTest = PrimeiroUsoTest;

TEST_F(NumeroContratoDuasMesasTest, TwoDesksSavingOneContractNumberStoreOneContract)
{
    host::db::Connection outra;
    outra.open({dbPath, "CLARA", "x"});
    auto mesa = std::make_unique<host::db::Transaction>(outra);
    std::swap(dmGlobal->IBTransaction1, mesa);
    ExigeNumeroContratoLivre("HZ-1", 9077);
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO) values (9077, 'HZ-1', '00004')");
    std::swap(dmGlobal->IBTransaction1, mesa);

    TfmAssContCadLocEquip& form = contratoDeLocacaoNovo("00004");
    EXPECT_TRUE(
        dialogs->texts().join('|').contains("Número do Contrato HZ-1 em gravação em outra estação neste momento."))
        << vistos();
    mesa->commit();
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('|').contains("Número do Contrato já cadastrado!")) << vistos();
    EXPECT_EQ(lido("select ACCODIGO from AATC05AC where ACNUMEROCONTRATO = 'HZ-1'"), QStringList{"9077"});
}

}  // namespace
}  // namespace moduletest
