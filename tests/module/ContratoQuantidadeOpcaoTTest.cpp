// Under option "T" the contract register's items grid offers no quantity: a
// line typed there is one piece, on the database the first start leaves.
// It is checked against the stock (what the company does not own is
// refused) and its shipment invoice ships that piece.

#include "tests/module/LocacaoPropriaFixture.h"

#include "contracts/uAssContCad.h"

#include <QPushButton>

namespace moduletest {
namespace {

class ContratoQuantidadeOpcaoTTest : public LocacaoPropriaTest {
protected:
    // A new line of the product typed in the register's items grid with its
    // value and monthly period, then "Salvar".
    void linhaDigitada(TfmAssContCad& form, const QString& produto)
    {
        host::ui::DataGrid* grade = novoItem(form, produto);
        celula(grade, "ACITVALOR", "300,00");
        escolheNaLista(grade, "ACITPERIODO", "M");
    }
};

TEST_F(ContratoQuantidadeOpcaoTTest, ALineTypedWithoutQuantityIsOnePieceShippedByTheShipmentInvoice)
{
    TfmAssContCad& form = registroDeContratosNoItens();
    linhaDigitada(form, "L0001");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString linha =
        lido("select ACITCODIGO from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = 'L0001' and ACITCODIGO <> 5").value(0);
    ASSERT_FALSE(linha.isEmpty()) << vistos();
    EXPECT_EQ(lido("select cast(ACITQUANTIDADE as integer) || '|' || cast(ACITVALOR * 100 as integer)"
                   " from AATC05ACIT where ACITCODIGO = " + linha),
              QStringList{"1|30000"});

    dialogs->answer("Sim", "Deseja emitir nota fiscal de remessa?");
    dialogs->acknowledge("gerado com Sucesso!");
    form.btRemessaIten->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select cast(QUNATIDADEPRODUTO as integer) from ACEM14IT where VEITSEQUENCIA = " + linha),
              QStringList{"1"})
        << vistos();
}

TEST_F(ContratoQuantidadeOpcaoTTest, AProductTheCompanyHasNoneOfInStockIsRefusedAndNothingStored)
{
    TfmCadastroHost& produtos = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(produtos, "Betoneira 400 L");
    produtos.close();
    ASSERT_FALSE(produto.isEmpty()) << vistos();

    TfmAssContCad& form = registroDeContratosNoItens();
    linhaDigitada(form, produto);
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('\n').contains("Quantidade insuficiente disponível de \"Betoneira 400 L\"."))
        << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where PRCODIGO = '" + produto + "'"), QStringList{"0"});
    dmTecContrato->quCtrCadastroIt->cancel();
}

}  // namespace
}  // namespace moduletest
