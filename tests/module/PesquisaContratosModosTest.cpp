// The contract search of the basic contract register, typed as a user types
// it: "Começando com" lists what begins with the text and "Terminando com"
// what ends with it, and a value typed as the register shows it ("1.500,00",
// "1500,00", "1.234,56") finds its contracts.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "contracts/uPesqAssContratos.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/StatusBar.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace moduletest {
namespace {

class PesquisaContratosModosTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        const char* const contratos[] = {
            "(951, '12-ABC', 'Impressoras', 1500, 'Com Peça')",
            "(952, 'XY-12', 'Climatização', 1234.56, 'Sem Peça')",
            "(953, 'NB-77', 'Notebooks', 11500, 'Sem Peça')",
        };
        for (const char* valores : contratos)
            exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, ACVALOR, ACTIPOCONTRATO)"
                         " values ") + valores);
        tr().commitRetaining();
    }
    // The search opened from the register, the number or the value typed,
    // the mode chosen and "OK": the contract numbers listed, and the count.
    QStringList pesquisar(QLineEdit* TfmPesquisaAssContratos::*caixa, const QString& texto,
                          QRadioButton* TfmPesquisaAssContratos::*modo, QString* contagem = nullptr)
    {
        TfmAssBasicoContratos& form = abrirJanela(fmAssBasicoContratos, "fmAssContratos");
        QStringList linhas;
        dialogs->modal("fmPesquisaAssContratos", [&](host::ui::Form& janela) {
            auto& dialogo = static_cast<TfmPesquisaAssContratos&>(janela);
            QLineEdit* edit = dialogo.*caixa;
            edit->setFocus();
            QTest::keyClicks(edit, texto);
            (dialogo.*modo)->click();
            dialogo.bbOk->click();
            host::data::Query& lista = *dialogo.quPesquisa;
            for (lista.first(); !lista.eof(); lista.next())
                linhas << lista.fieldByName("ACNUMEROCONTRATO")->asString();
            if (contagem)
                *contagem = dialogo.sbStatus->panelText(1);
            dialogo.bbCancelar->click();
        });
        form.bbPesquisar->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->failures().join('\n').toStdString();
        return linhas;
    }
};

TEST_F(PesquisaContratosModosTest, BeginningListsWhatBeginsWithTheTextAndEndingWhatEndsWithIt)
{
    using P = TfmPesquisaAssContratos;
    EXPECT_EQ(pesquisar(&P::edNumeroContrato, "12", &P::rbComecando), QStringList{"12-ABC"});
    EXPECT_EQ(pesquisar(&P::edNumeroContrato, "nb", &P::rbComecando), QStringList{"NB-77"});
    EXPECT_EQ(pesquisar(&P::edNumeroContrato, "12", &P::rbTerminando), QStringList{"XY-12"});
    EXPECT_EQ(pesquisar(&P::edNumeroContrato, "12", &P::rbContendo), (QStringList{"12-ABC", "XY-12"}));
}

TEST_F(PesquisaContratosModosTest, AValueTypedAsTheRegisterShowsItFindsItsContracts)
{
    using P = TfmPesquisaAssContratos;
    QString contagem;
    EXPECT_EQ(pesquisar(&P::edValor, "1.500,00", &P::rbContendo, &contagem), (QStringList{"12-ABC", "NB-77"}))
        << "1.500,00 and 11.500,00";
    EXPECT_EQ(contagem, "Registros Encontrados: 2");
    EXPECT_EQ(pesquisar(&P::edValor, "1500,00", &P::rbComecando), QStringList{"12-ABC"});
    EXPECT_EQ(pesquisar(&P::edValor, "1.234,56", &P::rbContendo, &contagem), QStringList{"XY-12"});
    EXPECT_EQ(contagem, "Registros Encontrados: 1");
    EXPECT_EQ(pesquisar(&P::edValor, "1500", &P::rbContendo), (QStringList{"12-ABC", "NB-77"}));
    EXPECT_EQ(pesquisar(&P::edValor, "234,56", &P::rbTerminando), QStringList{"XY-12"});
}

}  // namespace
}  // namespace moduletest
