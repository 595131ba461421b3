// An order billed in "Faturamento de OS" while its own window stays open:
// the window shows it billed and its sale goes through at the first press,
// the billing being this desk's own change, not another user's.

#include "tests/module/OrdemServicoFaturadaFixture.h"

#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class FaturadaComJanelaAbertaTest : public OrdemServicoFaturadaTest {
protected:
    FaturadaComJanelaAbertaTest() : OrdemServicoFaturadaTest(0, "Nenhuma") {}
};

TEST_F(FaturadaComJanelaAbertaTest, TheSaleAfterTheBillingGoesThroughAtTheFirstPress)
{
    TfmAssOrdemServico& form = abrir();
    const QString documento = fatura();
    ASSERT_EQ(dialogs->pending(), 0);
    ASSERT_FALSE(documento.isEmpty());

    form.activateWindow();
    dialogs->answer("1)Venda", kMenuDocumentosVenda);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where AOCODIGO = 42"), QStringList{"1"});
    EXPECT_EQ(lido("select AOBAIXA || '|' || CRDOCUMENTO from AATC01AO where AOCODIGO = 42"),
              QStringList{"S|" + documento})
        << "the sale keeps the billing";
}

}  // namespace
}  // namespace moduletest
