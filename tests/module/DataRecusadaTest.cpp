// A value a field refuses as typed (an impossible date in the contract
// register): once the message is answered, the box keeps the text, selected,
// the contract keeps its date, and a good date typed over it is stored.

#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "tests/support/OnScreenDialogs.h"

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

TEST_F(DataRecusadaTest, AnImpossibleDateStaysToBeMendedAndIsNeverStored)
{
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    ASSERT_EQ(form.dbedInicio->text(), "31/01/2027");

    dialogs->acknowledge("Data informada inválida.");
    digita(form.dbedInicio, "31/02/2026");
    EXPECT_EQ(dialogs->texts(), QStringList{"Data informada inválida."});
    EXPECT_EQ(form.dbedInicio->text(), "31/02/2026") << "the box keeps what was typed, to be mended";
    EXPECT_EQ(form.dbedInicio->selectedText(), "31/02/2026");
    EXPECT_EQ(dmTecContrato->quCtrCadastro->fieldByName("ACDATAIMPLANTACAO")->asDateTime().date(), QDate(2027, 1, 31));
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join("|").toStdString();

    // A second refusal, typed over the first, the same way.
    dialogs->acknowledge("Data informada inválida.");
    digita(form.dbedInicio, "99/99/2026");
    EXPECT_EQ(dialogs->texts().size(), 2);
    EXPECT_EQ(form.dbedInicio->text(), "99/99/2026");
    EXPECT_EQ(inicioGuardado(), QDate(2027, 1, 31));

    // A good date after the refusals is taken and stored.
    digita(form.dbedInicio, "15/02/2027");
    form.bbSalvar->click();
    EXPECT_EQ(dmTecContrato->quCtrCadastro->state(), DatasetState::Browse);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(inicioGuardado(), QDate(2027, 2, 15));
    EXPECT_EQ(form.dbedInicio->text(), "15/02/2027");
}

// A refused text with Enter, then "Salvar" with it still in its box, on real
// dialogs (which take the focus from the box): the refusal is told by the
// Enter and again by "Salvar", which saves nothing, never twice for one.
TEST_F(DataRecusadaTest, ARefusalIsToldOnceForEachActionMeetingIt)
{
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    struct Caso {
        host::ui::DataEdit* caixa;
        const char* texto;
        const char* recusa;
    };
    const Caso casos[] = {
        {form.dbedInicio, "31/02/2026", "Data informada inválida."},
        {form.dbedContratante, "99999", "Contratante: código 99999 não cadastrado."},
    };
    for (const Caso& caso : casos) {
        host::ui::DataEdit* caixa = caso.caixa;
        SCOPED_TRACE(caso.texto);
        testsupport::OnScreenDialogs naTela;
        caixa->setFocus();
        caixa->selectAll();
        QTest::keyClicks(caixa, caso.texto);
        QTest::keyClick(caixa, Qt::Key_Return);
        form.bbSalvar->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(naTela.texts(), (QStringList{caso.recusa, caso.recusa}));
        QTest::keyClick(caixa, Qt::Key_Escape);
    }
    EXPECT_EQ(inicioGuardado(), QDate(2027, 1, 31));
}

}  // namespace
}  // namespace moduletest
