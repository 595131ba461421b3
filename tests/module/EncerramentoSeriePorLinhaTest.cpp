// Two pieces of one product rented on two lines of the demonstration rental
// contract, each known by the serial number typed on its line; one comes
// back and its line is closed: only that line's piece moves to the closed
// equipment's location.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/ui/DataTextControls.h"
#include "rental/uAssContLocEquipCad.h"

namespace moduletest {
namespace {

class EncerramentoSeriePorLinhaTest : public LocacaoPropriaTest {
protected:
    // The numbers moved by a closing, as another desk reads them.
    QStringList encerrados() const
    {
        return lido("select NSNUMERO from AUGC50NS where NSOBSERVACAO = 'Movimento' order by NSNUMERO");
    }
};

TEST_F(EncerramentoSeriePorLinhaTest, ClosingOneReturnedLineMovesOnlyItsOwnPiece)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    for (const char* serie : {"BT-0001", "BT-0002"})
        linhaComSerie(*form, "L0002", "1", serie);
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    form->close();

    // BT-0001 comes back through the check-in.
    EXPECT_EQ(entradaListada("BT-0001"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    fmAssEntradaEquip->close();
    EXPECT_EQ(lido("select ACITRETORNO from AATC05ACIT where ACITNUMEROSERIE = 'BT-0001'"), QStringList{"S"});

    form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITNUMEROSERIE", "BT-0001"));
    dialogs->answer("Selecionado", "Deseja Encerrar o(s) Equipamento(s)?")
        .enter("Devolvido pelo cliente")
        .answer("Não", "Deseja alterar valor das provisões?");
    QTest::mouseClick(form->laEncerrarEquipamento, Qt::LeftButton);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select coalesce(ACITENCERRADO, 'N') from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = 'L0002'"
                   " order by ACITCODIGO"),
              (QStringList{"N", "S", "N"}))
        << vistos();
    EXPECT_EQ(encerrados(), QStringList{"BT-0001"}) << vistos();
    form->close();
}

}  // namespace
}  // namespace moduletest
