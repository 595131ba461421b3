// The rental billing lists and bills only the contracts' own instalments: an
// item's receivable on the principal and a late fine on a complement stay as
// they were, neither listed, billed nor folded into the month's rent.

#include "tests/module/ContLocFaturamentoFixture.h"

namespace moduletest {
namespace {

TEST_F(ContLocFatTest, AnItemsReceivableAndAFineAreNeitherListedNorBilledAsTheMonthsRent)
{
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, ACITCODIGO)"
         " values ('000109', '00004', 1, '01', 'V', 30, '2024-01-01', '2024-03-12', 801, 7)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, ORIGEM)"
         " values ('000108', '00004', 1, '01', 'V', 10, '2024-01-01', '2024-03-16', 802, 'M')");
    dmGlobal->IBTransaction1->commitRetaining();

    TfmAssContFatLocEquip& form = pesquisado();
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "SITUACAO_DOCUMENTO"), QStringList{"Não"});
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 2");
    gerar(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber(801), (QStringList{"000101|35000|", "000109|3000|V"}));
    EXPECT_EQ(receber(802), QStringList{"000108|1000|V"});
    EXPECT_EQ(receber(803), QStringList{});
}

}  // namespace
}  // namespace moduletest
