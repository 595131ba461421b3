// A new line of the service order's grids typed as a user does: Insert, then
// the product's code at once, on real dialogs (the focus taken, their own
// event loop); and a refused text is told again to the save that reads it.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QPushButton>

namespace moduletest {
namespace {

class LinhaNovaDigitadaTest : public OrdemServicoEntradaTest {
protected:
    // Insert pressed in the grid, then the text typed at once and Enter,
    // each key to the widget holding the focus (the cell's editor once the
    // first key opened it).
    static void insereDigitando(host::ui::DataGrid* grade, const QString& texto)
    {
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        auto foco = [grade] { return QApplication::focusWidget() ? QApplication::focusWidget() : grade; };
        for (const QChar c : texto)
            QTest::keyClick(foco(), c.toLatin1());
        QTest::keyClick(foco(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

TEST_F(LinhaNovaDigitadaTest, InsertOpensTheLineInTheProductsCode)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    struct Caso {
        host::ui::TabSheet* aba;
        host::ui::DataGrid* grade;
        host::data::Query* linhas;
        const char* produto;
    };
    const Caso casos[] = {
        {form.tsPecasOS, form.dbgdOrdemServicoPecas, dmTec->quOSPecas, "P0005"},
        {form.tsServico, form.dbgdOrdemServicoServicos, dmTec->quOSAndamento, "S0002"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.produto);
        aba(form, caso.aba);
        testsupport::OnScreenDialogs naTela;
        insereDigitando(caso.grade, caso.produto);
        EXPECT_EQ(naTela.texts(), QStringList{});
        EXPECT_EQ(caso.linhas->fieldByName("PRCODIGO")->asString(), caso.produto);
    }
}

// A second row started while the first row's later column is current opens
// in the column its user types first, in the items' grid and the parts
// settlement's grid alike.
TEST_F(LinhaNovaDigitadaTest, ANewRowOfTheItemsAndSettlementGridsOpensInTheColumnTypedFirst)
{
    // Another column of the current row chosen, then Insert and the text typed at once.
    auto novaLinha = [this](host::ui::DataGrid* grade, const char* outraColuna, const QString& texto) {
        grade->setSelectedIndex(grade->columnByField(outraColuna)->index());
        testsupport::OnScreenDialogs naTela;
        insereDigitando(grade, texto);
        EXPECT_EQ(naTela.texts(), QStringList{});
    };
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    aba(form, form.tsItens);
    novaLinha(form.dbgdOrdemServicoItens, "AOITSERIE", "1");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPCODIGO->asString(), "1");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Impressora laser");

    TfmAssBaixaPecas& acerto = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
    host::ui::DataGrid* linhas = acerto.dbgdOrdemServicoBaixaPecas;
    insereDigitando(linhas, "P0005");
    celula(linhas, "prQuantidade", "2", Qt::Key_Return);
    novaLinha(linhas, "prQuantidade", "P0001");
    EXPECT_EQ(acerto.cdsBaixaprCodigo->asString(), "P0001");
}

// A text the cell refuses, then "Salvar" with the text still there: the
// save is refused in words, the refusal told again, and nothing stored.
TEST_F(LinhaNovaDigitadaTest, ARefusedCellRefusesTheSaveInWords)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    aba(form, form.tsPecasOS);
    host::ui::DataGrid* pecas = form.dbgdOrdemServicoPecas;
    testsupport::OnScreenDialogs naTela;
    pecas->setFocus();
    QTest::keyClick(pecas, Qt::Key_Insert);
    celula(pecas, "AOITCODIGO", "P0005", Qt::Key_Return);
    form.bbSalvar->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(naTela.texts(), QStringList(2, "'P0005' não é um valor inteiro válido."));
    EXPECT_EQ(lido("select count(*) from AATC01AP where AOCODIGO = 42"), QStringList{"0"});
}

}  // namespace
}  // namespace moduletest
