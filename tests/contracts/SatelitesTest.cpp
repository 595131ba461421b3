// The header's field rules and the rules of its satellites: extra customers,
// links, coverage types and the customer equipment under contract.

#include "tests/contracts/CadastroFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"

namespace contractstest {
namespace {

class SatelitesTest : public CadastroFixture {
protected:
    void SetUp() override
    {
        CadastroFixture::SetUp();
        contratoGravado();
        CarregaContrato(7);
    }
};

TEST_F(SatelitesTest, BlockedCustomerIsRefusedAndKeepsTheOldOne)
{
    exec("update AUGC0301 set TIPO_CLIENTE = '3', CLMANTENEDOR = 'V01' where CODIGO_CLIENTE = 'C0002'");
    exec("update AUGC0301 set CLMANTENEDOR = 'V02', COBRANCA = '341', TIPO_PAGAMENTO = '5'"
         " where CODIGO_CLIENTE = 'C0001'");
    dm->quCtrCadastro->edit();
    EXPECT_THROW(campo("CLCODIGO")->setAsString("C0002"), host::Abort);
    EXPECT_EQ(messages().last(), "Cliente Bloqueado. Verifique no cadastro de clientes. ");
    EXPECT_EQ(campo("CLCODIGO")->asString(), "C0001");
    campo("CLCODIGO")->clear();
    campo("CLCODIGO")->setAsString("C0001");
    EXPECT_EQ(campo("ACRESPONSAVEL")->asString(), "V02");
    EXPECT_TRUE(campo("BCCODIGO")->isNull());
    setOption("E");
    campo("CLCODIGO")->clear();
    campo("CLCODIGO")->setAsString("C0001");
    EXPECT_EQ(campo("BCCODIGO")->asString(), "341");
    EXPECT_EQ(campo("ACTIPOPAGAMENTO")->asString(), "5");
}

TEST_F(SatelitesTest, BranchNameBankOfTheReceivablesAndContactAddresses)
{
    exec("insert into EA (CODIGO, NOME) values ('02', 'Filial Sul')");
    exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANENDERECO, ANBAIRRO, ANCIDADE, ANUF, ANCEP)"
         " values (4, 'Ana', 'Rua A', 'Centro', 'Lages', 'SC', '88500')");
    exec("insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL, AOCODIGO, VALOR_DOCUMENTO)"
         " values ('C0001', '000001', 1, '01', 7, 10)");
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    dm->quCtrCadastro->edit();
    campo("ACLOCAL")->setAsString("02");
    EXPECT_EQ(campo("NOMEFILIAL")->asString(), "Filial Sul");
    dialogs->answer("Sim", "Deseja alterar banco também nas contas a receber desse contrato?");
    campo("BCCODIGO")->setAsString("237");
    EXPECT_EQ(one("select NUMERO_DO_BANCO from ACRC5001").toString().trimmed(), "237");
    campo("ACCONTENTREGA")->setAsInteger(4);
    EXPECT_EQ(campo("ACENDENTREGA")->asString(), "Rua A - Centro - Lages / SC - 88500");
    campo("ACCONTRETIRADA")->setAsInteger(4);
    EXPECT_EQ(campo("ACCOMPROVANTEEND")->asString(), "Rua A - Centro - Lages / SC - 88500");
}

TEST_F(SatelitesTest, ContractingPartyBringsItsAddressesUnderTheEquipmentOption)
{
    exec("update AUGC0301 set ENDERECO_ENTREGA = 'Rua E', BAIRRO_ENTREGA = 'B', CIDADE_ENTREGA = 'C',"
         " ESTADO_ENTREGA = 'SC', CEP_ENTREGA = '1', CLTELEFONEENTREGA = '9', ENDERECO_COBRANCA = 'Rua C'"
         " where CODIGO_CLIENTE = 'C0002'");
    dm->quCtrCadastro->edit();
    campo("ACCONTRATANTE")->setAsString("C0002");
    EXPECT_TRUE(campo("ACENDENTREGA")->isNull());
    setOption("E");
    campo("ACCONTRATANTE")->setAsString("C0001");
    campo("ACCONTRATANTE")->setAsString("C0002");
    EXPECT_EQ(campo("ACENDENTREGA")->asString(), "Rua E - B - C - SC - 1 - 9");
    EXPECT_EQ(campo("ACENDCOBRANCA")->asString(), "Rua C") << "the empty parts left out with their separators";
}

TEST_F(SatelitesTest, ExtraCustomerActiveFlagRepostsTheHeaderWhoseValueCountsActiveCustomersOnly)
{
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'S1', 80)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (2, 7, 'C0002', 'S1', 30)");
    dm->CarregaContratoClientes(7);
    host::data::Query& clientes = *dm->quContratoCli;
    clientes.append();
    EXPECT_EQ(clientes.fieldByName("ACCODIGO")->asInteger(), 7);
    EXPECT_EQ(clientes.fieldByName("ACCLATIVO")->asString(), "S");
    EXPECT_THROW(clientes.fieldByName("CLCODIGO")->setAsString("C9999"), host::Abort);
    EXPECT_EQ(messages().last(), "Código não encontrado");
    clientes.fieldByName("CLCODIGO")->setAsString("C0002");
    EXPECT_EQ(clientes.fieldByName("CLIENTE")->asString(), "Dois");
    clientes.post();
    EXPECT_DOUBLE_EQ(clientes.fieldByName("Valor")->asFloat(), 30);

    host::clearHookCalls();
    clientes.edit();
    clientes.fieldByName("ACCLATIVO")->setAsString("N");
    clientes.post();
    EXPECT_EQ(host::hookCallTexts().filter("quCtrCadastro:BEFOREPOST").size(), 1);
    EXPECT_DOUBLE_EQ(one("select ACVALORPARCELA from AATC05AC where ACCODIGO = 7").toDouble(), 80);
    // The flag is spent: a post that does not touch it re-posts nothing.
    host::clearHookCalls();
    clientes.edit();
    clientes.fieldByName("ACCLOBSERVACAO")->setAsString("obs");
    clientes.post();
    EXPECT_EQ(host::hookCallTexts().filter("quCtrCadastro:").size(), 0);

    EXPECT_THROW(clientes.remove(), host::Abort);
    EXPECT_EQ(messages().last(), "Cliente possui itens vinculados!");
}

TEST_F(SatelitesTest, LinkToAComplementBringsItsCustomerAndValueAndOpensTheHeader)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACVALORPARCELA) values (8, 'C0002', 45)");
    dm->CarregaContratoPrincipalComplemento(7, 0);
    host::data::Query& vinculos = *dm->quContratoVin;
    vinculos.append();
    EXPECT_EQ(vinculos.fieldByName("ACCODIGOPRINCIPAL")->asInteger(), 7);
    vinculos.fieldByName("ACCODIGOCOMPLEMENTO")->setAsInteger(8);
    EXPECT_EQ(vinculos.fieldByName("CLCODIGOCOMPLEMENTO")->asString(), "C0002");
    EXPECT_EQ(vinculos.fieldByName("CLNOMECOMPLEMENTO")->asString(), "Dois");
    EXPECT_DOUBLE_EQ(vinculos.fieldByName("ACVALORPARCELACOMPLEMENTO")->asFloat(), 45);
    vinculos.post();
    EXPECT_EQ(dm->quCtrCadastro->state(), host::data::DatasetState::Edit);
    dm->quCtrCadastro->post();
    EXPECT_DOUBLE_EQ(campo("TOTCONTRATOSVINC")->asFloat(), campo("ACVALORPARCELA")->asFloat() + 45);
}

TEST_F(SatelitesTest, CoverageAndEquipmentRows)
{
    host::data::Query& cobertura = *dm->quCtrCobertura;
    cobertura.open();
    cobertura.append();
    EXPECT_EQ(cobertura.fieldByName("ABMDO")->asString() + cobertura.fieldByName("ABPECAS")->asString() +
                  cobertura.fieldByName("ABDESLOCA")->asString(),
              "SSS");
    cobertura.cancel();

    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO) values (3, 'Impressora', 'HP', 'X1')");
    exec("insert into AUGC03CO (COCODIGO, CLCODIGO) values (40, 'C0002')");
    CarregaContratoEquipamento(7);
    host::data::Query& equipamento = *dm->quCtrCadastroEquip;
    equipamento.append();
    EXPECT_EQ(equipamento.fieldByName("COCODIGO")->asInteger(), 41);
    EXPECT_EQ(equipamento.fieldByName("ACCODIGO")->asInteger(), 7);
    EXPECT_EQ(equipamento.fieldByName("CLCODIGO")->asString(), "C0001");
    EXPECT_EQ(equipamento.fieldByName("COIDENTIFICADOR")->asString(), "E");
    EXPECT_THROW(equipamento.post(), host::Abort);   // the model is required
    equipamento.fieldByName("AECODIGO")->setAsInteger(3);
    EXPECT_EQ(equipamento.fieldByName("EQUIPAMENTO")->asString(), "Impressora");
    EXPECT_EQ(equipamento.fieldByName("COMARCA")->asString() + equipamento.fieldByName("COMODELO")->asString(),
              "HPX1");
    equipamento.post();
    equipamento.remove();
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where TABELA = 'Augc03Co'").toString(), "Número 7   3");
}

}  // namespace
}  // namespace contractstest
