// A value a field refuses as typed (an impossible date in the contract
// register): once the message is answered, the box shows what the contract
// holds, and Salvar stores what the box shows.

#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"

#include <QPushButton>

namespace moduletest {
namespace {

using host::data::DatasetState;

class DataRecusadaTest : public ContratoCadastroTest {
protected:
    void SetUp() override
    {
        ContratoCadastroTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
             " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACDATAIMPLANTACAO) values"
             " (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S', 100, '2027-01-31')");
        tr().commitRetaining();
    }
    QDate inicioGuardado()
    {
        return committed("select ACDATAIMPLANTACAO from AATC05AC where ACCODIGO = 801").toDate();
    }
};

TEST_F(DataRecusadaTest, AnImpossibleDateIsReplacedByTheStoredOneAndSalvarStoresWhatIsShown)
{
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    ASSERT_EQ(form.dbedInicio->text(), "31/01/2027");

    dialogs->acknowledge("Data informada inválida.");
    digita(form.dbedInicio, "31/02/2026");
    EXPECT_EQ(dialogs->texts(), QStringList{"Data informada inválida."});
    EXPECT_EQ(form.dbedInicio->text(), "31/01/2027") << "the box shows what the contract holds";
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join("|").toStdString();

    // A second refusal, typed over the first, the same way.
    dialogs->acknowledge("Data informada inválida.");
    digita(form.dbedInicio, "99/99/2026");
    EXPECT_EQ(dialogs->texts().size(), 2);
    EXPECT_EQ(form.dbedInicio->text(), "31/01/2027");

    // A good date after the refusals is taken and stored.
    digita(form.dbedInicio, "15/02/2027");
    form.bbSalvar->click();
    EXPECT_EQ(dmTecContrato->quCtrCadastro->state(), DatasetState::Browse);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(inicioGuardado(), QDate(2027, 2, 15));
    EXPECT_EQ(form.dbedInicio->text(), "15/02/2027");
}

}  // namespace
}  // namespace moduletest
