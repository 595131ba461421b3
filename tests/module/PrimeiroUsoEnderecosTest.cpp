// Addresses with empty parts on the demonstration company, as the first
// start leaves it: the rental contract's printed customer address and the
// delivery address a new contractor brings to the contract leave the empty
// parts out with their separators.

#include "tests/module/PrimeiroUsoRegistroLocacao.h"

#include "host/Endereco.h"
#include "host/Uprincipal.h"
#include "host/report/Report.h"
#include "host/ui/DataTextControls.h"
#include "rental/uAssContratoLocEquip.h"
#include "rental/uAssImpProposta.h"
#include "rental/uAssVendas.h"
#include "data/uDataTec.h"

#include <QPushButton>

namespace moduletest {
namespace {

using PrimeiroUsoEnderecosTest = PrimeiroUsoRegistroLocacaoTest;

TEST(EnderecoComposto, EmptyPartsGoWithTheirSeparators)
{
    using host::compoeEndereco;
    EXPECT_EQ(compoeEndereco({{"", "Rua do Cimento"}, {", ", "77"}, {" - ", ""}, {" - ", " "}, {" - ", "Jundiai"},
                              {"/", "SP"}}),
              "Rua do Cimento, 77 - Jundiai/SP");
    EXPECT_EQ(compoeEndereco({{"", ""}, {" - ", ""}, {" - ", ""}}), "");
    EXPECT_EQ(compoeEndereco({{"", ""}, {", ", "77"}, {" - ", "Jundiai"}}), "77 - Jundiai") << "no leading separator";
    EXPECT_EQ(compoeEndereco({{"", ""}, {" - ", "01234-000", "CEP "}, {" - ", "(11)1234-5678", "Fone: "}}),
              "CEP 01234-000 - Fone: (11)1234-5678")
        << "a part's caption stays, a postal code keeps its hyphen";
    // The proposal letter's date line of a branch without its city.
    EXPECT_EQ(uAssImpProposta::LinhaData(" ", 10, 12, 2026), "10 de dezembro de 2026");
    EXPECT_EQ(uAssImpProposta::LinhaData("Jundiai", 1, 2, 2027), "Jundiai, 01 de fevereiro de 2027");
}

// A contractor whose delivery address is only its street and number: the
// contract stores and prints it so, and no billing address at all.
TEST_F(PrimeiroUsoEnderecosTest, ANewContractorsPartialAddressesPrintWithoutEmptyParts)
{
    exec("update AUGC0301 set ENDERECO_ENTREGA = 'Rua do Cimento, 77', BAIRRO_ENTREGA = null, CIDADE_ENTREGA = null,"
         " ESTADO_ENTREGA = null, CEP_ENTREGA = null, CLTELEFONEENTREGA = null, ENDERECO_COBRANCA = null,"
         " BAIRRO_COBRANCA = null, CIDADE_COBRANCA = null, ESTADO_COBRANCA = null, CEP_COBRANCA = null,"
         " TELEFONE_COBRANCA = null where CODIGO_CLIENTE = '00004'");
    tr().commitRetaining();
    TfmAssContCadLocEquip& form = registroDoContrato();
    pesquisa("CODIGO_CLIENTE", "00004");
    form.btPesqContratante->click();
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACENDENTREGA || '|' || coalesce(ACENDCOBRANCA, '') from AATC05AC where ACCODIGO = 3"),
              QStringList{"Rua do Cimento, 77|"})
        << vistos();
    dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
    form.btImprimir->click();
    ASSERT_NE(qrAssContratoLocEquip.get(), nullptr) << vistos();
    const QString dump = qrAssContratoLocEquip->QuickRep1->prepared()->textDump();
    EXPECT_TRUE(dump.contains("Endereço Entrega | Rua do Cimento, 77 | Endereço Cobrança | Valor do Contrato"))
        << dump.toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

// The order's billing address loaded from its contact, who has only a street.
TEST_F(PrimeiroUsoEnderecosTest, AnOrdersAddressFromAContactLeavesItsEmptyPartsOut)
{
    exec("update AUGC3701 set ANENDERECO = 'Rua do Cimento, 77', ANBAIRRO = null, ANCIDADE = '', ANUF = null,"
         " ANCEP = '13201-000' where ANCODIGO = 6");
    tr().commitRetaining();
    TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
    CarregaPedidoAssVenda("000001", "");
    ASSERT_EQ(dmTec->campoPedido("ANCODIGOCOBRANCA").asInteger(), 6);
    dialogs->answer("Sim", "Deseja carregar Endereço de Cobrança do Cadastro do Cliente?");
    QTest::mouseClick(form.laEnderecoCobranca, Qt::LeftButton);
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = '000001' and OBSEQUENCIA = 101"),
              QStringList{"Rua do Cimento, 77 - 13201-000"})
        << vistos();
}

}  // namespace
}  // namespace moduletest
