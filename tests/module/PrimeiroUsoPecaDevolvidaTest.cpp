// Amounts are read in cents. A returned part on a new installation: the order typed in the
// service-order window with two lines of one part, the second marked
// "Devolvido", is billed (its total, which the billing of orders takes) at
// what its sales order sells, the first line only.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoPecaDevolvidaTest : public PrimeiroUsoOrdemTest {
protected:
    // A part line typed in the grid: the part, its price and its discount.
    static void linhaDePeca(TfmAssOrdemServico& form)
    {
        novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "P0005");
        celula(form.dbgdOrdemServicoPecas, "APVALUNITARIO", "950,50");
        celula(form.dbgdOrdemServicoPecas, "APDESCONTO", "10", Qt::Key_Return);
    }
};

TEST_F(PrimeiroUsoPecaDevolvidaTest, AReturnedPartIsNeitherBilledNorSold)
{
    TfmAssOrdemServico* janela = nullptr;
    const QString os = ordemNova(janela);
    ASSERT_FALSE(os.isEmpty());
    TfmAssOrdemServico& form = *janela;
    clicaAba(form.pcOrdemServico, form.tsPecasOS);
    linhaDePeca(form);
    linhaDePeca(form);
    celula(form.dbgdOrdemServicoPecas, "APAUTORIZADO", "Devolvido", Qt::Key_Return);
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_EQ(lido("select cast(APVALTOTAL * 100 as integer) || ' ' || APAUTORIZADO from AATC01AP where AOCODIGO = " + os +
                   " order by APSEQUENCIA"),
              (QStringList{"85545 S", "85545 D"}))
        << "the lines as typed";

    EXPECT_EQ(lido("select cast(AOVALORTOTAL * 100 as integer) from AATC01AO where AOCODIGO = " + os),
              QStringList{"85545"})
        << "the order's total, which its billing takes, leaves the returned line out";

    dialogs->answer("1)Venda", "Selecione a opção desejada");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select cast(sum(it.QUANTIDADE * it.VALOR * (100 - it.DESCONTO)) as integer)"
                   " from AVEC85IT it join AVEC8501 pv on pv.NUMERO_PEDIDO = it.NUMERO_PEDIDO where pv.AOCODIGO = " +
                   os),
              QStringList{"85545"})
        << "the sales order sells what the order bills";
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

}  // namespace
}  // namespace moduletest
