// Deleting the assistance order on screen: its line grids empty with the
// header, nothing of it stays editable, and leaving asks nothing.

#include "tests/module/AssVendasFixture.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "rental/uAssVendas.h"

#include <QAbstractItemModel>
#include <QPushButton>

namespace moduletest {
namespace {

class AssVendasExclusaoTest : public AssVendasJanelaTest {};

TEST_F(AssVendasExclusaoTest, TheLineGridsEmptyWithTheDeletedOrderAndLeavingAsksNothing)
{
    TfmAssVendas& form = abrir();
    pedido("000900", "1");
    linhas("000900", 2);
    CarregaPedidoAssVenda("000900", "");
    aba(form.pcPedido, form.tsEquipConfigurados);
    ASSERT_EQ(form.dbgdAssVendaCotado->model()->rowCount(), 2);
    aba(form.pcPedido, form.tsEquipSolicitados);
    ASSERT_EQ(form.dbgdAssVendaItens->model()->rowCount(), 2);

    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000900'").toInt(), 0);

    for (host::ui::DataGrid* grade : {form.dbgdAssVendaItens, form.dbgdAssVendaCotado}) {
        EXPECT_EQ(grade->model()->rowCount(), 0) << grade->objectName().toStdString();
        EXPECT_FALSE(grade->dataset() && grade->dataset()->active() && grade->dataset()->canModify())
            << grade->objectName().toStdString() << " takes no typing for an order no longer stored";
    }

    // Leaving asks nothing: there is nothing to save.
    fechar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000900'").toInt(), 0);
}

// A line being typed when the order is deleted goes with it: Sair asks nothing.
TEST_F(AssVendasExclusaoTest, ALineBeingTypedGoesWithTheDeletedOrder)
{
    TfmAssVendas& form = abrir();
    pedido("000901", "1");
    linhas("000901", 1);
    CarregaPedidoAssVenda("000901", "");
    aba(form.pcPedido, form.tsEquipSolicitados);
    form.dbgdAssVendaItens->setFocus();
    dmTec->quAssVendaItem->edit();
    dmTec->campoItem("OBS").setAsString("mudada");
    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    form.bbExcluir->click();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000901'").toInt(), 0);
    EXPECT_EQ(form.dbgdAssVendaItens->model()->rowCount(), 0);
    fechar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000901'").toInt(), 0);
}

}  // namespace
}  // namespace moduletest
