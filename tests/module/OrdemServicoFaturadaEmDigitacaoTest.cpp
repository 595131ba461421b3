// An order billed in "Faturamento de OS" while its header is being typed in
// the order window of the same desk: the user's save keeps the billing (the
// document and the billing's situation) and the typing of the fields the
// billing does not touch, both read back through a connection of their own.

#include "tests/module/OrdemServicoFaturadaFixture.h"

#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class FaturadaEmDigitacaoTest : public OrdemServicoFaturadaTest {
protected:
    FaturadaEmDigitacaoTest() : OrdemServicoFaturadaTest(17, "Faturada") {}
};

TEST_F(FaturadaEmDigitacaoTest, TheSaveOfTheTypedHeaderKeepsTheBilling)
{
    TfmAssOrdemServico& form = abrir();
    digita(form.dbedContato, "Marta no balcão");
    ASSERT_EQ(dmTec->quOS->state(), host::data::DatasetState::Edit);

    const QString documento = fatura();
    ASSERT_FALSE(documento.isEmpty());

    form.activateWindow();
    EXPECT_EQ(form.dbedContato->text(), "Marta no balcão") << "the typing stays on screen";
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(lido("select CRDOCUMENTO || '|' || ASCODIGO || '|' || AOCONTATO from AATC01AO where AOCODIGO = 42"),
              QStringList{documento + "|17|Marta no balcão"})
        << "the billing and the typing both stored";

    // Saved again, nothing goes back.
    digita(form.dbedContato, "Marta");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select CRDOCUMENTO || '|' || ASCODIGO || '|' || AOCONTATO from AATC01AO where AOCODIGO = 42"),
              QStringList{documento + "|17|Marta"});
}

// The discount of a billed order stays as billed, typed before the billing
// or after it; the rest of the header still saves.
TEST_F(FaturadaEmDigitacaoTest, TheDiscountOfABilledOrderStaysAsBilled)
{
    for (const bool antesDaFatura : {true, false}) {
        exec("update AATC01AO set CRDOCUMENTO = null, AODESCONTO = null where AOCODIGO = 42");
        tr().commitRetaining();
        TfmAssOrdemServico& form = abrir();
        if (antesDaFatura)
            digita(form.findChild<host::ui::DataEdit*>("dbedTotalDESCONTO"), "30");
        const QString documento = fatura();
        ASSERT_FALSE(documento.isEmpty());
        form.activateWindow();
        if (!antesDaFatura)
            digita(form.findChild<host::ui::DataEdit*>("dbedTotalDESCONTO"), "30");
        dialogs->acknowledge("A ordem de serviço 42 já foi faturada (contas a receber " + documento + ")");
        form.bbSalvar->click();
        EXPECT_EQ(dialogs->pending(), 0) << antesDaFatura << dialogs->texts().join(" | ").toStdString();
        form.bbCancelar->click();
        digita(form.dbedContato, "Marta");
        form.bbSalvar->click();
        EXPECT_EQ(lido("select cast(coalesce(AODESCONTO, 0) as integer) || '|' || cast(AOVALORTOTAL as integer) || '|'"
                       " || AOCONTATO from AATC01AO where AOCODIGO = 42"),
                  QStringList{"0|100|Marta"})
            << antesDaFatura;
        form.close();
    }
}

}  // namespace
}  // namespace moduletest
