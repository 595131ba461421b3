// The re-instalment panel of the rental register on the demonstration's
// rental contract, as the first start leaves it: three re-instalments from
// 31/01/2027 for the period 01/01 to 31/01/2027, issued in December. Each
// covers the month after the previous one, never two months overlapping.

#include "tests/module/PrimeiroUsoRegistroLocacao.h"

#include "host/Uprincipal.h"
#include "host/ui/EditControls.h"

#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoReparcelamentoTest : public PrimeiroUsoRegistroLocacaoTest {
protected:
    void SetUp() override
    {
        PrimeiroUsoRegistroLocacaoTest::SetUp();
        uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 0)); });
    }
    void TearDown() override
    {
        uDataTecContLocacao::setRelogio({});
        PrimeiroUsoRegistroLocacaoTest::TearDown();
    }
};

TEST_F(PrimeiroUsoReparcelamentoTest, EachReinstalmentCoversTheMonthAfterThePreviousOne)
{
    TfmAssContCadLocEquip* form = &registroDoContrato();
    ASSERT_EQ(cab("ACCODIGO").asInteger(), 3);
    aba(*form, form->tsParcelas);
    // The register is the window typed in once the search has closed.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    digita(form->deReparcelaDtEmissao, "10/12/2026");
    digita(form->deReparcelaVcto, "31/01/2027");
    digita(form->deReparcelaVigDe, "01/01/2027");
    digita(form->deReparcelaVigAte, "31/01/2027");
    digita(form->maReparcelaQtde, "3");
    digita(form->ceReparcelaVlrBoleto, "450,00");
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 3");
    form->bbPrevisionar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select extract(day from DATA_VENCIMENTO) || '/' || extract(month from DATA_VENCIMENTO) || ' ' ||"
                   " extract(day from CREMISSAOINI) || '/' || extract(month from CREMISSAOINI) || '-' ||"
                   " extract(day from CREMISSAOFIN) || '/' || extract(month from CREMISSAOFIN)"
                   " from ACRC5001 where AOCODIGO = 3 and VALOR_DOCUMENTO = 450 and NUMERO_DOCUMENTO not like '%L'"
                   " order by DATA_VENCIMENTO"),
              (QStringList{"31/1 1/1-31/1", "28/2 1/2-28/2", "31/3 1/3-31/3"}))
        << vistos();
}

}  // namespace
}  // namespace moduletest
