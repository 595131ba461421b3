// A complement added on the rental register's "Complementos" page by typing
// its product's code, as one picked through the product search: stored as a
// complement, so it stays on that page and prints among the complements.

#include "tests/module/LocacaoPropriaFixture.h"

#include "rental/uAssContLocEquipCad.h"

namespace moduletest {
namespace {

using LocacaoComplementoDigitadoTest = LocacaoPropriaTest;

TEST_F(LocacaoComplementoDigitadoTest, AComplementTypedByCodeIsStoredAsAComplementAndStaysOnItsPage)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    aba(*form, form->tsComplementos);
    host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipCompl;
    novaLinhaNaGrade(grade, "PRCODIGO", "P0005");
    celula(grade, "ACITQUANTIDADE", "1", Qt::Key_Return);
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select coalesce(ACITCOMPLEMENTO, '') from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = 'P0005'"),
              QStringList{"S"})
        << vistos();

    // Read again from another page: still a complement, not equipment.
    aba(*form, form->tsEquipamentos);
    EXPECT_FALSE(dmTecContrato->quCtrCadastroIt->locate("PRCODIGO", "P0005"));
    aba(*form, form->tsComplementos);
    EXPECT_TRUE(dmTecContrato->quCtrCadastroIt->locate("PRCODIGO", "P0005"));

    dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
    form->btImprimir->click();
    const QString impresso = paginasDoVisualizador();
    const qsizetype complementos = impresso.indexOf("Complementos |");
    ASSERT_GE(complementos, 0) << impresso.toStdString();
    EXPECT_GT(impresso.indexOf("| P0005 |"), complementos) << impresso.toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    form->close();
}

}  // namespace
}  // namespace moduletest
