// Typing in the basic contract register's boxes: a value the field refuses
// ("950.50") stays in its box, selected, and is never stored; a click into
// an empty masked box puts the cursor at the first position to type.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/ui/DataEdit.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class CaixaDigitacaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO,"
             " PRCODIGO) values (901, '12-ABC', 'Manutenção de impressoras', '00003', 1500, 'Com Peça', 'S0003')");
        tr().commitRetaining();
    }
    TfmAssBasicoContratos& abrir()
    {
        TfmAssBasicoContratos& form = abrirJanela(fmAssBasicoContratos, "fmAssContratos");
        dmTec->CarregaContrato(901);
        return form;
    }
    double valorGuardado() const
    {
        return lido("select ACVALOR from AATC05AC where ACCODIGO = 901").value(0).toDouble();
    }
};

TEST_F(CaixaDigitacaoTest, AValueRefusedStaysInItsBoxSelectedAndIsNeverStored)
{
    TfmAssBasicoContratos& form = abrir();
    dialogs->acknowledge("'950.50' não é um valor numérico válido.");
    digita(form.dbedValor, "950.50");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.dbedValor->text(), "950.50") << "the box keeps what was typed";
    EXPECT_EQ(form.dbedValor->selectedText(), "950.50");
    EXPECT_DOUBLE_EQ(dmTec->quContrato->fieldByName("ACVALOR")->asFloat(), 1500);

    // "Salvar" over it stores nothing, and the refusal is not told twice:
    // the box holds the text, selected, to be mended.
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.dbedValor->selectedText(), "950.50");
    EXPECT_DOUBLE_EQ(valorGuardado(), 1500);

    digita(form.dbedValor, "950,50");
    form.bbSalvar->click();
    EXPECT_DOUBLE_EQ(valorGuardado(), 950.5);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

TEST_F(CaixaDigitacaoTest, AClickIntoAnEmptyMaskedBoxTypesFromItsFirstPosition)
{
    TfmAssBasicoContratos& form = abrir();
    host::ui::DataEdit* data = form.dbedDataImplantacao;
    ASSERT_EQ(data->text(), "//") << "no date yet";
    QTest::mouseClick(data, Qt::LeftButton, {}, QPoint(data->width() * 2 / 3, data->height() / 2));
    EXPECT_EQ(data->cursorPosition(), 0);
    QTest::keyClicks(data, "01012027");
    QTest::keyClick(data, Qt::Key_Tab);
    EXPECT_EQ(data->text(), "01/01/2027");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select cast(ACDATAIMPLANTACAO as date) from AATC05AC where ACCODIGO = 901").value(0).left(10),
              "2027-01-01");
}

}  // namespace
}  // namespace moduletest
