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

// An order another desk released (its contract made, "L") or delivered
// ("S") while a line is typed here: what was released is what gets billed,
// so the line is refused in words and nothing is stored.
TEST_F(PedidoAssDuasMesasTest, AnOrderReleasedAtAnotherDeskTakesNoFurtherLine)
{
    const struct {
        const char *tabela, *status;
        host::ui::TabSheet* TfmAssVendas::*aba;
        host::ui::DataGrid* TfmAssVendas::*grade;
    } casos[] = {
        {"AVEC85IT", "L", &TfmAssVendas::tsEquipSolicitados, &TfmAssVendas::dbgdAssVendaItens},
        {"AVEC85LX", "S", &TfmAssVendas::tsEquipConfigurados, &TfmAssVendas::dbgdAssVendaCotado},
    };
    qsizetype recusadas = 0;
    for (const auto& caso : casos) {
        TfmAssVendas& venda = novoDocumentoDeAssistencia("Pedido");
        const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
        clicaAba(venda.pcPedido, venda.*caso.aba);
        host::ui::DataGrid* grade = venda.*caso.grade;
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        celula(grade, "CODIGO", "L0001");
        outraMesa(QString("update AVEC8501 set IMPRESSO_NF = '%1' where NUMERO_PEDIDO = '%2'").arg(caso.status, pedido));
        celula(grade, "QUANTIDADE", "1", Qt::Key_Return);
        venda.bbSalvar->click();
        EXPECT_EQ(dialogs->texts().filter("não está mais em aberto").size(), ++recusadas) << caso.tabela << ": "
                                                                                         << vistos();
        EXPECT_EQ(lido(QString("select count(*) from %1 where NUMERO_PEDIDO = '%2' union all select"
                               " cast(coalesce(VALOR_TOTAL, 0) * 100 as integer) || IMPRESSO_NF from AVEC8501"
                               " where NUMERO_PEDIDO = '%2'")
                           .arg(caso.tabela, pedido)),
                  (QStringList{"0", QString("0") + caso.status}))
            << caso.tabela << ": " << vistos();
        grade->dataSource()->dataset()->cancel();
        venda.close();
    }
}

}  // namespace
}  // namespace moduletest
