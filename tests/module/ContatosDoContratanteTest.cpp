// The rental register's contact lists follow the contracting party as it is
// typed, on a new contract and on a stored one; a contact of the party before
// is not stored with the new one.

#include "tests/module/PrimeiroUsoRegistroLocacao.h"

#include "host/ui/DataLookupCombo.h"
#include "rental/uAssContLocEquipCad.h"

namespace moduletest {
namespace {

using ContatosDoContratanteTest = PrimeiroUsoRegistroLocacaoTest;

QStringList nomes(const host::ui::DataLookupCombo& lista)
{
    QStringList texto;
    for (int i = 0; i < lista.count(); ++i)
        if (!lista.itemText(i).isEmpty())
            texto << lista.itemText(i);
    return texto;
}

TEST_F(ContatosDoContratanteTest, ANewContractListsThePeopleOfThePartyTyped)
{
    TfmAssContCadLocEquip& form = registroDoContrato();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.btNovo->click();
    digita(form.dbedContratante, "00004");
    const QStringList daSaude{"Dra. Helena", "Marcos Vieira (TI)"};
    for (const host::ui::DataLookupCombo* lista : {form.dblcContato, form.dblcContatoEntrega, form.dblcContatoCobranca})
        EXPECT_EQ(nomes(*lista), daSaude) << lista->objectName().toStdString();
}

TEST_F(ContatosDoContratanteTest, AStoredContractLeavesThePeopleOfThePartyBefore)
{
    TfmAssContCadLocEquip& form = registroDoContrato();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.dblcContatoCobranca->setKeyValue(3);   // Ana Ribeiro (Financeiro), of 00002
    digita(form.dbedContratante, "00004");
    EXPECT_EQ(nomes(*form.dblcContatoCobranca), (QStringList{"Dra. Helena", "Marcos Vieira (TI)"}));
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACCONTRATANTE || '|' || coalesce(ACCONTCOBRANCA, 0) from AATC05AC where ACCODIGO = 3"),
              QStringList{"00004|0"})
        << vistos();
}

}  // namespace
}  // namespace moduletest
