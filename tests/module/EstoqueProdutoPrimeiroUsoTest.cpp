// A new rental company's stock, on the database the first start leaves:
// the product register shows and edits the quantity on hand at each stock
// location, and under option "T" the rental lines of the equipment it owns
// pass the stock check.

#include "tests/module/LocacaoPropriaFixture.h"

namespace moduletest {
namespace {

using EstoqueProdutoPrimeiroUsoTest = LocacaoPropriaTest;

TEST_F(EstoqueProdutoPrimeiroUsoTest, TheStockRegisteredAtALocationLetsUnderOptionTTheOwnEquipmentBeRented)
{
    TfmCadastroHost& janela = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(janela, "Betoneira 400 L");
    ASSERT_FALSE(produto.isEmpty()) << vistos();
    ASSERT_TRUE(estoqueNoLocal(janela, "001", "2"));
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select LECODIGO || '|' || cast(POENTRADA as integer) from ACEC11PO where PRCODIGO = '" + produto +
                   "'"),
              QStringList{"001|2"});
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = '" + produto + "'"),
              QStringList{"2"});
    // The demonstration product's stock at the same location is its own.
    EXPECT_EQ(lido("select cast(POENTRADA as integer) from ACEC11PO where PRCODIGO = 'L0001'"), QStringList{"2"});

    // Two of the three it owns rented out on a contract line under option "T".
    janela.close();
    parametro("ATOPCAOCONTRATO", "T");
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento(false);
    ASSERT_NE(form, nullptr);
    host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipItens;
    novaLinhaNaGrade(grade, "PRCODIGO", produto);
    celula(grade, "ACITQUANTIDADE", "2");
    celula(grade, "ACITVALORUNITARIO", "300,00", Qt::Key_Return);
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select cast(ACITQUANTIDADE as integer) from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" +
                   produto + "'"),
              QStringList{"2"})
        << vistos();
}

// A product registered with no stock location yet holds 0, as the
// demonstration's do, never null.
TEST_F(EstoqueProdutoPrimeiroUsoTest, AProductRegisteredWithoutStockHoldsZero)
{
    TfmCadastroHost& janela = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(janela, "Andaime tubular");
    ASSERT_FALSE(produto.isEmpty()) << vistos();
    EXPECT_EQ(lido("select coalesce(cast(cast(ESTOQUE as integer) as varchar(20)), 'null') from ACEC1101"
                   " where CODIGO = '" + produto + "'"),
              QStringList{"0"});
}

// A product holds one stock row per location: a second row for a location
// it has, shown in the grid or saved by another desk since the grid was
// read, is refused, and its stock stays counted once.
TEST_F(EstoqueProdutoPrimeiroUsoTest, ALocationTheProductHasTakesNoSecondStockRow)
{
    TfmCadastroHost* janela = cadastroEm(principal->miCadastroProduto, "PR", "L0001");
    ASSERT_NE(janela, nullptr);
    outraMesa("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('L0001', '010', 1, 0)");
    QStringList esperadas;
    for (const QString local : {"001", "010"}) {
        ASSERT_TRUE(estoqueNoLocal(*janela, local, "5"));
        esperadas << "Local de estoque " + local + " já está cadastrado para o produto.";
        EXPECT_EQ(dialogs->texts(), esperadas);
        EXPECT_EQ(lido("select count(*) from ACEC11PO where PRCODIGO = 'L0001' and LECODIGO = '" + local + "'"),
                  QStringList{"1"});
        QTest::keyClick(detalheCom(*janela, "POENTRADA"), Qt::Key_Escape);
    }
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'L0001'"), QStringList{"2"});
}

}  // namespace
}  // namespace moduletest
