// Two desks adding lines to one assistance order, on the database the first
// start leaves: a line typed here while another desk saved one under the
// number this line was given is stored under the next, as typed, and the
// order's total counts both desks' lines.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "rental/uAssVendas.h"

namespace moduletest {
namespace {

using PedidoAssDuasMesasTest = PrimeiroUsoTest;

TEST_F(PedidoAssDuasMesasTest, ALineTypedWhileAnotherDeskSavedOneIsKeptUnderTheNextNumberAndCounted)
{
    // The product's text copied to the requested line as its product is
    // typed: the line is numbered then.
    parametro("ATOBSPRODUTOITEM", "P");
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Pedido");
    const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    ASSERT_FALSE(pedido.isEmpty()) << vistos();
    for (const LinhasDoPedido& caso : kLinhasDoPedido) {
        host::ui::DataGrid* grade = linhaNoPedido(venda, caso, "L0001");
        outraMesa(QString("insert into %1 (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
                          " values ('%2', 1, 'L0001', 1, 150, 150)")
                      .arg(caso.tabela, pedido));
        celula(grade, "QUANTIDADE", "1", Qt::Key_Return);
        venda.bbSalvar->click();
        EXPECT_EQ(recusas(), QStringList{}) << caso.tabela << ": " << vistos();
        EXPECT_EQ(lido(QString("select COD || '|' || cast(VALOR * 100 as integer) from %1 where NUMERO_PEDIDO = '%2' order by COD")
                           .arg(caso.tabela, pedido)),
                  (QStringList{"1|15000", "2|30000"}))
            << caso.tabela;
    }
    EXPECT_EQ(lido("select cast(VALOR_TOTAL * 100 as integer) from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'"),
              QStringList{"45000"})
        << "300,00 typed here and 150,00 of the other desk";
    venda.close();
}

}  // namespace
}  // namespace moduletest
