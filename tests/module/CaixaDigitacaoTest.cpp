// Typing in the basic contract register's boxes: a value the field refuses
// ("950.50") stays in its box, selected, and is never stored ("Salvar" tells
// the refusal again); a click into
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
    struct Caso {
        host::ui::DataEdit* caixa;
        const char* campo;
        QString recusado, aceito;
        double antes, depois;
    };
    const Caso casos[] = {
        {form.dbedValor, "ACVALOR", "950.50", "950,50", 1500, 950.5},
        {form.dbedLimiteHora, "ACLIMITEHORA", "3.5", "3,5", 0, 3.5},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.campo);
        const QString recusa = "'" + caso.recusado + "' não é um valor numérico válido.";
        const auto guardado = [&] {
            return lido(QString("select coalesce(%1, 0) from AATC05AC where ACCODIGO = 901").arg(caso.campo))
                .value(0)
                .toDouble();
        };
        dialogs->acknowledge(recusa);
        digita(caso.caixa, caso.recusado);
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(caso.caixa->text(), caso.recusado) << "the box keeps what was typed";
        EXPECT_EQ(caso.caixa->selectedText(), caso.recusado);

        // "Salvar" over it stores nothing and says why: the box holds the
        // text, selected, to be mended.
        dialogs->acknowledge(recusa);
        form.bbSalvar->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(caso.caixa->selectedText(), caso.recusado);
        EXPECT_DOUBLE_EQ(guardado(), caso.antes);

        digita(caso.caixa, caso.aceito);
        form.bbSalvar->click();
        EXPECT_DOUBLE_EQ(guardado(), caso.depois);
    }
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
