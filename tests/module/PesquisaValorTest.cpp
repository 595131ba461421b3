// Amounts in the pickers read as money: the requested line chosen for a
// configured line shows its value "321,00", not "321".

#include "tests/module/AssVendasFixture.h"

#include "data/uDataTec.h"
#include "host/Upesq.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "rental/uAssVendas.h"

#include <QAbstractItemModel>
#include <QPushButton>

namespace moduletest {
namespace {

class PesquisaValorTest : public AssVendasJanelaTest {};

TEST_F(PesquisaValorTest, TheRequestedLinesPickerShowsValuesAsMoney)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");   // a configured line names the requested one it fulfils
    TfmAssVendas& form = abrir();
    pedido("000950", "1");
    linhas("000950", 1);
    exec("update AVEC85IT set VALOR = 321, TOTAL_UNIT = 321 where NUMERO_PEDIDO = '000950'");
    tr().commitRetaining();
    CarregaPedidoAssVenda("000950", "");
    aba(form.pcPedido, form.tsEquipConfigurados);
    host::ui::DataGrid* grade = form.dbgdAssVendaCotado;
    grade->setFocus();
    grade->setSelectedIndex(grade->columnByField("CODIGO")->index());
    pesquisa("CODIGO", "P0001");
    QString valor;
    dialogs->modal("fmPesquisa", [&valor](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        host::ui::DataGrid* lista = p.grid();
        ASSERT_TRUE(p.dataSource()->dataset()->locate("COD", 1));
        const int coluna = lista->columnByField("VALOR")->index();
        valor = lista->model()->index(0, coluna).data().toString();
        QTest::keyClick(lista, Qt::Key_Return);
    });
    grade->editButtonClick();
    if (dmTec->quAssVendaCotado->editing())
        form.bbSalvar->click();
    EXPECT_EQ(valor, "321,00");
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
