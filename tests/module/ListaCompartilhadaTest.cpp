// Printing a rental receipt while the rental register shows the contract's
// instalments: the register's list keeps every instalment of the contract,
// as the database holds them (the printing reads the receipt's own rows).

#include "tests/module/ContLocFaturamentoFixture.h"

#include "rental/uAssContLocEquipCad.h"

#include <QAbstractItemModel>

namespace moduletest {
namespace {

class ListaCompartilhadaTest : public ContLocFatTest {
protected:
    // The documents the register's instalments grid shows, in its order.
    static QStringList documentosNaGrade(host::ui::DataGrid* grade)
    {
        return coluna(grade, "NUMERO_DOCUMENTO");
    }
};

TEST_F(ListaCompartilhadaTest, PrintingAReceiptLeavesTheRegistersInstalmentsWhole)
{
    // Two more instalments of the principal contract, due in later months.
    parcela("000107", "V", 200, 801, "2024-04-10");
    parcela("000108", "V", 200, 801, "2024-05-10");
    dmGlobal->IBTransaction1->commitRetaining();

    TfmAssContCadLocEquip& registro = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    CarregaContrato(801);
    aba(registro, registro.tsParcelas);
    const QStringList antes = documentosNaGrade(registro.dbgdAssContCadLocEquiParcelas);
    ASSERT_EQ(antes, (QStringList{"000101", "000107", "000108"}));

    TfmAssContFatLocEquip& faturamento = pesquisado();
    gerar(faturamento);
    ASSERT_EQ(receber(801), (QStringList{"000101|35000|", "000107|20000|", "000108|20000|"}));
    // One receipt per instalment billed.
    const QStringList dumps = previas([&] { faturamento.bbImprimir->click(); }, 3);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dumps.join("\n").contains("000101/1 | 10/03/2024 | 350,00")) << dumps.join("\n").toStdString();

    EXPECT_EQ(documentosNaGrade(registro.dbgdAssContCadLocEquiParcelas), antes)
        << "the register still lists the contract's instalments";
    EXPECT_EQ(registro.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 3);
}

}  // namespace
}  // namespace moduletest
