// A discount beyond 100 %, a quantity of 0 or less or a price below zero
// typed on a line of the service order, or an order's discount beyond its
// value: refused where typed, naming the column, and the line and the order
// keep totals that are not negative.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/OnScreenDialogs.h"

#include <QLineEdit>
#include <QPushButton>

#include <span>

namespace moduletest {
namespace {

struct ForaDaFaixa {
    const char* campo;
    const char* texto;
    const char* recusa;
};

const ForaDaFaixa kPecas[] = {
    {"APDESCONTO", "150", "Desconto %: informe um valor de 0 a 100."},
    {"APDESCONTO", "-5", "Desconto %: informe um valor de 0 a 100."},
    {"APQUANTIDADE", "-2", "Quantidade: informe um valor maior que zero."},
    {"APQUANTIDADE", "0", "Quantidade: informe um valor maior que zero."},
    {"APVALUNITARIO", "-5,00", "Valor Unitário: informe um valor maior ou igual a zero."},
};
const ForaDaFaixa kDespesas[] = {
    {"AQDESCONTO", "1.001", "% Desconto: informe um valor de 0 a 100."},
    {"AQQUANTIDADE", "-1", "Quantidade: informe um valor maior que zero."},
    {"AQVALOR", "-5,00", "Valor Unitário: informe um valor maior ou igual a zero."},
};

class LinhaForaDaFaixaTest : public OrdemServicoEntradaTest {
protected:
    // Each text typed into its cell of a new line of P0001: the
    // refusal shown on screen, then a valid 2 and 10 % stored with Enter.
    void digitaForaDaFaixa(host::ui::DataGrid* grade, const char* quantidade, const char* desconto,
                           std::span<const ForaDaFaixa> casos)
    {
        novaLinhaNaGrade(grade, "PRCODIGO", "P0001");
        host::data::Dataset& linhas = *grade->dataSource()->dataset();
        for (const ForaDaFaixa& caso : casos) {
            SCOPED_TRACE(std::string(caso.campo) + " <- " + caso.texto);
            testsupport::OnScreenDialogs naTela;
            celula(grade, caso.campo, caso.texto, Qt::Key_Return);
            QCoreApplication::processEvents();
            EXPECT_EQ(naTela.texts(), QStringList{caso.recusa});
            QTest::keyClick(grade->focusWidget() ? grade->focusWidget() : grade, Qt::Key_Escape);
        }
        celula(grade, quantidade, "2");
        celula(grade, desconto, "10", Qt::Key_Return);
        if (linhas.editing())
            linhas.post();
    }
};

TEST_F(LinhaForaDaFaixaTest, PartsAndExpenseLinesRefuseADiscountBeyond100AndNoQuantity)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");

    aba(form, form.tsPecasOS);
    digitaForaDaFaixa(form.dbgdOrdemServicoPecas, "APQUANTIDADE", "APDESCONTO", kPecas);
    aba(form, form.tsProjeto);
    digitaForaDaFaixa(form.dbgdOrdemServicoProjeto, "AQQUANTIDADE", "AQDESCONTO", kDespesas);

    EXPECT_EQ(lido("select cast(APQUANTIDADE as integer) || ' ' || cast(APDESCONTO as integer) from AATC01AP where AOCODIGO = 42"),
              QStringList{"2 10"});
    EXPECT_EQ(lido("select cast(AQQUANTIDADE as integer) || ' ' || cast(AQDESCONTO as integer) from AATC01AQ where AOCODIGO = 42"),
              QStringList{"2 10"});
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOCODIGO = 42 and AOVALORTOTAL < 0"), QStringList{"0"});
}

// The order's discount beyond its one saved part (35,50): refused where
// typed, and "Salvar" stores no total below zero.
TEST_F(LinhaForaDaFaixaTest, AnOrdersDiscountBeyondWhatItDiscountsIsRefused)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    aba(form, form.tsPecasOS);
    novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "P0005");
    form.bbSalvar->click();
    testsupport::OnScreenDialogs naTela;
    digita(form.findChild<QLineEdit*>("dbedTotalDESCONTO"), "100,00");
    form.bbSalvar->click();
    const QString recusa = "Desconto: o desconto (100,00) é maior que o valor que ele desconta (35,50).";
    EXPECT_EQ(naTela.texts(), (QStringList{recusa, recusa})) << "told on leaving the box, then by \"Salvar\"";
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOCODIGO = 42 and AOVALORTOTAL < 0"), QStringList{"0"});
}

// The same amounts typed in the quantity and price dialog of the parts line:
// refused, and the dialog stays until they fit.
TEST_F(LinhaForaDaFaixaTest, TheQuantityAndPriceDialogRefusesThemToo)
{
    TfmAssOrdemServico& form = abrirOrdemComItem("Impressora");
    aba(form, form.tsPecasOS);
    host::ui::DataGrid* pecas = form.dbgdOrdemServicoPecas;
    novaLinhaNaGrade(pecas, "PRCODIGO", "P0001");
    dialogs->modal("fmProdutoQuantidade", [](host::ui::Form& janela) {
        auto digita = [&janela](const char* caixa, const char* texto) {
            janela.findChild<QLineEdit*>(caixa)->setText(texto);
            janela.findChild<QPushButton*>("bbOk")->click();
        };
        digita("edQuantidade", "-2");
        digita("edQuantidade", "2");
        digita("edDesconto", "150");
        digita("edDesconto", "10");
    });
    dialogs->acknowledge("Quantidade: informe um valor maior que zero.");
    dialogs->acknowledge("% Desconto: informe um valor de 0 a 100.");
    pecas->setSelectedIndex(pecas->columnByField("APVALUNITARIO")->index());
    pecas->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPQUANTIDADE->asFloat(), 2);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPDESCONTO->asFloat(), 10);
}

}  // namespace
}  // namespace moduletest
