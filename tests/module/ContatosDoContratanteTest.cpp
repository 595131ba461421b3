// The contact lists follow the customer as it is typed; a contact of the
// customer before is not stored with the new one.

#include "tests/module/PrimeiroUsoRegistroLocacao.h"

#include "data/uDataTec.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssVendas.h"

namespace moduletest {
namespace {

using ContatosDoContratanteTest = PrimeiroUsoRegistroLocacaoTest;

const QStringList kDaSaude{"Dra. Helena", "Marcos Vieira (TI)"};   // of 00004

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
    for (const host::ui::DataLookupCombo* lista : {form.dblcContato, form.dblcContatoEntrega, form.dblcContatoCobranca})
        EXPECT_EQ(nomes(*lista), kDaSaude) << lista->objectName().toStdString();
}

TEST_F(ContatosDoContratanteTest, AStoredContractLeavesThePeopleOfThePartyBefore)
{
    TfmAssContCadLocEquip& form = registroDoContrato();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.dblcContatoCobranca->setKeyValue(3);   // Ana Ribeiro (Financeiro), of 00002
    digita(form.dbedContratante, "00004");
    EXPECT_EQ(nomes(*form.dblcContatoCobranca), kDaSaude);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACCONTRATANTE || '|' || coalesce(ACCONTCOBRANCA, 0) from AATC05AC where ACCODIGO = 3"),
              QStringList{"00004|0"})
        << vistos();
}

TEST_F(ContatosDoContratanteTest, AStoredOrderLeavesThePeopleOfTheCustomerBefore)
{
    TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    form.dblcCliente->setKeyValue("00004");
    for (host::ui::DataLookupCombo* lista : {form.dblcContato, form.dblcContatoEntrega, form.dblcContatoCobranca})
        lista->setKeyValue(5);   // Dra. Helena, of 00004
    form.bbSalvar->click();
    const QString numero = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    form.dblcCliente->setKeyValue("00002");
    form.dblcContato->setKeyValue(2);   // Sr. Paulo, of 00002; the other two boxes left as they are
    form.bbSalvar->click();
    EXPECT_EQ(lido("select CODIGO_CLIENTE || '|' || ANCODIGOCONTATO || '|' || ANCODIGOENTREGA from AVEC8501"
                   " where NUMERO_PEDIDO = '" + numero + "'"),
              QStringList{"00004|5|5"})
        << vistos();
    EXPECT_EQ(form.dblcContatoEntrega->text(), "");
}

}  // namespace
}  // namespace moduletest
