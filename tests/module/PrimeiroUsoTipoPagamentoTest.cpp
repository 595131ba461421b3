// The payment kind typed in "Tipo Pgto." of the billing-object register on
// the database the first start makes: a text naming an option by its code
// or its name, in any case, stores that option's code; other text is
// refused naming the box, and the stored kind stays.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContObj.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"

#include <QPushButton>

namespace moduletest {
namespace {

using PrimeiroUsoTipoPagamentoTest = PrimeiroUsoTest;

TEST_F(PrimeiroUsoTipoPagamentoTest, ATypedKindStoresTheOptionItNamesAndOtherTextIsRefused)
{
    TfmAssContObj& form = abrirJanela(fmAssContObj, "fmAssContObj");
    form.bbNovo->click();
    digita(form.dbedDescricao, "Manutencao de prensas");
    digita(form.dbcbTipoPgto, "Recibo");
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const QString objeto = dmTecContrato->quCtrObjeto->fieldByName("AJCODIGO")->asString();
    const QString sql = "select AJTIPOPAGAMENTO from AATC11AJ where AJCODIGO = " + objeto;
    EXPECT_EQ(lido(sql), QStringList{"3"}) << "\"3 - Recibo\", not R (Reembolso Rodoviário)";

    for (const auto& [texto, codigo] : {std::pair{"cheque", "4"}, std::pair{"c", "C"}, std::pair{"2", "2"},
                                         std::pair{"reembolso postal", "P"}}) {
        digita(form.dbcbTipoPgto, texto);
        form.bbSalvar->click();
        EXPECT_EQ(lido(sql), QStringList{codigo}) << texto;
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    digita(form.dbcbTipoPgto, "Pix");
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().contains("Tipo Pgto.: \"Pix\" não é uma das opções da lista.")) << vistos();
    EXPECT_EQ(lido(sql), QStringList{"P"});
}

}  // namespace
}  // namespace moduletest
