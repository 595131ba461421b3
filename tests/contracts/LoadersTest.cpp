// The loaders of TdmTecContrato: each selects exactly its parent's rows.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udmglobal.h"

using host::data::Query;

namespace contractstest {
namespace {

class LoadersTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0002', 'Dois')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACDESCRICAO) values (1, 'C0001', 'Principal')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACDESCRICAO) values (2, 'C0001', 'Complemento')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACDESCRICAO) values (3, 'C0002', 'Outro')",
                 "insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (1, 2)",
                 "insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (1, 'C0001')",
                 "insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (2, 'C0002')",
                 "insert into AATC05ACCL (ACCODIGO, CLCODIGO) values (3, 'C0002')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (10, 'C0001', 'P', 1)",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (11, 'C0001', 'P', 2)",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (12, 'C0002', 'P', 3)",
                 "insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (10, 1, 'P')",
                 "insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (10, 2, 'P')",
                 "insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (11, 1, 'P')",
                 "insert into AUGC03CO (COCODIGO, ACCODIGO, COIDENTIFICADOR) values (1, 1, 'E')",
                 "insert into AUGC03CO (COCODIGO, ACCODIGO, COIDENTIFICADOR) values (2, 1, 'S')",
                 "insert into AUGC03CO (COCODIGO, ACCODIGO, COIDENTIFICADOR) values (3, 2, 'E')",
                 "insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVSITUACAO) values (1, 1, 'A')",
                 "insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVSITUACAO) values (2, 1, 'I')",
                 "insert into AATC05ACEV (ACEVCODIGO, ACCODIGO) values (3, 1)",
                 "insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVSITUACAO) values (4, 2, 'A')",
                 "insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, DATA_VISITA) "
                 "values ('C0001', 1, 1, 'C', '2026-03-02')",
                 "insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, DATA_VISITA) "
                 "values ('C0001', 2, 1, 'C', '2026-03-01')",
                 "insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM) values ('C0001', 3, 1, 'O')",
                 "insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM) values ('C0002', 1, 3, 'C')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (4, 'Objeto')",
                 "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, AOCODIGO, DATA_VENCIMENTO) "
                 "values ('C0001', '000002', 1, '2026-02-10')",
                 "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, AOCODIGO, DATA_VENCIMENTO) "
                 "values ('C0001', '000001', 1, '2026-01-10')",
                 "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, AOCODIGO) values ('C0002', '000003', 3)",
             })
            exec(sql);
    }

    static QList<int> keys(Query& query, const char* field)
    {
        QList<int> out;
        for (query.first(); !query.eof(); query.next())
            out << query.fieldByName(field)->asInteger();
        return out;
    }
};

TEST_F(LoadersTest, ContractLoadsOneContractAndZeroGivesTheEmptyNullSelection)
{
    CarregaContrato(1);
    EXPECT_EQ(keys(*dm->quCtrCadastro, "ACCODIGO"), QList<int>{1});
    EXPECT_EQ(dm->quCtrCadastroACCODIGO->asInteger(), 1);
    CarregaContrato(0);
    EXPECT_TRUE(dm->quCtrCadastro->active());
    EXPECT_TRUE(dm->quCtrCadastro->isEmpty());
    EXPECT_TRUE(dm->quCtrCadastro->sql().contains("Where Cont.ACCODIGO is Null"));
    CarregaContrato(99);
    EXPECT_TRUE(dm->quCtrCadastro->isEmpty());
}

TEST_F(LoadersTest, EquipmentOfTheContractWithTheEquipmentMarkOnly)
{
    CarregaContratoEquipamento(1);
    EXPECT_EQ(keys(*dm->quCtrCadastroEquip, "COCODIGO"), QList<int>{1});
}

TEST_F(LoadersTest, ItemsOfTheContractOnlyUnderEveryOption)
{
    for (const char* option : {"", "Q", "E", "M", "2", "T", "V"}) {
        SCOPED_TRACE(option);
        setOption(option);
        dm->CarregaContratoItem("C0001", "1");
        EXPECT_EQ(keys(*dm->quCtrCadastroIt, "ACITCODIGO"), QList<int>{10});
    }
}

TEST_F(LoadersTest, CustomersOfAPrincipalIncludeThoseOfItsComplementsAndZeroKeepsTheSelection)
{
    dm->CarregaContratoClientes(1);
    EXPECT_EQ(keys(*dm->quContratoCli, "ACCODIGO"), (QList<int>{1, 2}));
    dm->CarregaContratoClientes(0);
    EXPECT_EQ(dm->quContratoCli->recordCount(), 2);
    dm->CarregaContratoClientes(3);
    EXPECT_EQ(keys(*dm->quContratoCli, "ACCODIGO"), QList<int>{3});
}

TEST_F(LoadersTest, LinksByPrincipalByComplementOrAll)
{
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (3, 1)");
    dm->CarregaContratoPrincipalComplemento(1, 0);
    EXPECT_EQ(keys(*dm->quContratoVin, "ACCODIGOCOMPLEMENTO"), QList<int>{2});
    EXPECT_EQ(dm->quContratoVin->fieldByName("CLNOMEPRINCIPAL")->asString(), "Um");
    dm->CarregaContratoPrincipalComplemento(0, 1);
    EXPECT_EQ(keys(*dm->quContratoVin, "ACCODIGOPRINCIPAL"), QList<int>{3});
    dm->CarregaContratoPrincipalComplemento(0, 0);
    EXPECT_EQ(dm->quContratoVin->recordCount(), 2);
    dm->CarregaContratoPrincipalComplemento(3, 1);
    EXPECT_EQ(dm->quContratoVin->recordCount(), 1);
}

TEST_F(LoadersTest, ContactsByOriginContractAndCustomerInVisitOrder)
{
    dm->CarregaContratoContato(1, "C", "");
    EXPECT_EQ(keys(*dm->quCtrContato, "SEQUENCIA"), (QList<int>{2, 1}));
    dm->CarregaContratoContato(0, "C", "C0002");
    EXPECT_EQ(keys(*dm->quCtrContato, "CONTRATO"), QList<int>{3});
    dm->CarregaContratoContato(1, "O", "C0001");
    EXPECT_EQ(keys(*dm->quCtrContato, "SEQUENCIA"), QList<int>{3});
}

TEST_F(LoadersTest, ItemDetailsVehicleLinesObjectAndReceivables)
{
    dm->CarregaContratoItemDetalhe(10);
    EXPECT_EQ(keys(*dm->quCtrCadastroDet, "ACDTSEQUENCIA"), (QList<int>{1, 2}));
    EXPECT_TRUE(dm->quCtrCadastroDet->sql().startsWith(
        "SELECT Det.*,   Prod.Descricao FROM AATC05ACDT Det Left Outer Join Acec1101 Prod   On (Det.prCodigo = "
        "Prod.Codigo) Where Det.acitCodigo = 10"));

    dm->CarregaContratoVeiculo(1, false);
    EXPECT_EQ(keys(*dm->quCtrVeiculo, "ACEVCODIGO"), (QList<int>{1, 2, 3}));
    dm->CarregaContratoVeiculo(1, true);
    EXPECT_EQ(keys(*dm->quCtrVeiculo, "ACEVCODIGO"), (QList<int>{1, 3}));
    dm->CarregaContratoVeiculo(0, true);
    EXPECT_EQ(keys(*dm->quCtrVeiculo, "ACEVCODIGO"), (QList<int>{1, 3, 4}));

    dm->CarregaObjeto(4);
    EXPECT_EQ(dm->quCtrObjeto->fieldByName("AJDESCRICAO")->asString(), "Objeto");

    dm->CarregaContratoParcela(0);
    EXPECT_FALSE(global->quReceber->active());
    dm->CarregaContratoParcela(1);
    ASSERT_TRUE(global->quReceber->active());
    QStringList documentos;
    for (global->quReceber->first(); !global->quReceber->eof(); global->quReceber->next())
        documentos << global->quReceber->fieldByName("NUMERO_DOCUMENTO")->asString();
    EXPECT_EQ(documentos, (QStringList{"000001", "000002"}));
}

TEST_F(LoadersTest, ContractingPartyContactsAreNamedQueriesKeptAndReloaded)
{
    for (int i = 1; i <= 4; ++i)
        exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO) "
                     "values (%1, 'Pessoa %1', 'C', 'C0001')")
                 .arg(i));
    Query* blank = dm->CarregaContratanteContatos("quContratanteCont", "  ", "");
    ASSERT_NE(blank, nullptr);
    EXPECT_FALSE(blank->active());
    Query* loaded = dm->CarregaContratanteContatos("quContratanteCont", "C0001", "");
    EXPECT_EQ(loaded, blank);
    EXPECT_EQ(loaded->recNo(), 3);   // moved forward twice
    EXPECT_EQ(loaded->fieldByName("ANNOME")->asString(), "Pessoa 3");
    EXPECT_EQ(loaded->recordCount(), 4);
    EXPECT_NE(dm->CarregaContratanteContatos("quContratanteEnt", "C0001", ""), loaded);
    EXPECT_FALSE(dm->CarregaContratanteContatos("quContratanteCont", "", "")->active());
}

}  // namespace
}  // namespace contractstest
