// The selection of the contract invoicing window: the statement for each
// mode and flag, run against contracts and receivables, the typed contract
// list, and the forecast generator's arguments of each selected contract.

#include "tests/contracts/ContractsFixture.h"

#include "contracts/uAssContFatPesquisa.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"

#include <set>
#include <utility>

namespace contractstest {
namespace {

using namespace uAssContFat;

class FaturamentoPesquisaTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Alfa')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00002', 'Beta')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, OFCODIGO) values (4, 'Manutenção', '5102')",
                 // 1 active, 2 without a situation, 3 cancelled, 4 complementary, 5 another branch
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, AJCODIGO,"
                 " ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORPARCELA, ACTIPOPAGAMENTO, BCCODIGO, ACVINCULO)"
                 " values (1, '00001', '00002', 'A', '01', 4, 'R', 'M', 10, 150.5, '2', '001', 'P')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACVENCIMENTO)"
                 " values (2, '00002', '00001', null, '01', 5)",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL)"
                 " values (3, '00003', '00001', 'C', '01')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACVINCULO)"
                 " values (4, '00004', '00001', 'A', '01', 'C')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL)"
                 " values (5, '00005', '00001', 'A', '02')",
                 // contract 1: a forecast, an open instalment and one already on an order
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, DATA_VENCIMENTO) values ('100131', '00002', 1, '01', 'V', 1,"
                 " '2031-10-01')",
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, DATA_VENCIMENTO) values ('100231', '00002', 1, '01', '', 1,"
                 " '2031-10-02')",
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, PEDIDO, DATA_VENCIMENTO) values ('000123', '00002', 1, '01', '',"
                 " 1, '000123', '2031-10-03')",
             })
            exec(sql);
        filtros.filial = "01";
    }

    // The contract codes the statement selects, one per row.
    std::multiset<int> contratos(int modo, bool semPrevisao = false)
    {
        host::data::Query query(nullptr, "quTeste");
        query.setTransaction(global->IBTransaction1.get());
        query.setSql(SqlPesquisaContrato(filtros, modo, semPrevisao, false));
        query.open();
        std::multiset<int> codigos;
        for (query.first(); !query.eof(); query.next())
            codigos.insert(query.fieldByName("ACCODIGO")->asInteger());
        query.setSql(SqlPesquisaContrato(filtros, modo, semPrevisao, true));
        query.open();
        EXPECT_EQ(query.field(0)->asInteger(), int(codigos.size())) << "the count variant counts the same rows";
        return codigos;
    }

    FiltrosFaturamento filtros;
};

TEST_F(FaturamentoPesquisaTest, ActiveContractsOfTheBranchNeverComplementaryOnes)
{
    const QString sql = SqlPesquisaContrato(filtros, Previsao, false, false);
    EXPECT_TRUE(sql.startsWith("select \r  cont.*, \r  Cli.Nome, \r  obj.ofCodigo from AATC05AC cont \r"));
    EXPECT_TRUE(sql.contains("and ((Cont.acVinculo <> 'C') or (Cont.acVinculo is null))"));
    EXPECT_TRUE(sql.contains(" and (cont.ACLOCAL = '01')"));
    EXPECT_FALSE(sql.contains("Rec"));
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{1, 2})) << "a null situation counts as active";

    // Under "E" the contracts in force as the register's forecast takes
    // them: a new contract's "A", the signed "1", none; not "2 - Não".
    filtros.opcaoContrato = "E";
    const std::pair<const char*, std::multiset<int>> casos[] = {{"A", {1, 2}}, {"1", {1, 2}}, {"2", {2}}};
    for (const auto& [situacao, esperado] : casos) {
        exec(QString("update AATC05AC set ACSITUACAO = '%1' where ACCODIGO = 1").arg(situacao));
        EXPECT_EQ(contratos(Previsao), esperado) << situacao;
    }
}

TEST_F(FaturamentoPesquisaTest, TypedContractListIsReadAsNumbersAndCannotBreakTheStatement)
{
    EXPECT_EQ(NumerosContrato("'00001', '00002'"), (QStringList{"00001", "00002"}));
    EXPECT_EQ(NumerosContrato("00001,00004"), (QStringList{"00001", "00004"}));
    EXPECT_EQ(NumerosContrato("'0'0') or (1=1"), QStringList{"'0'0') or (1=1"});

    filtros.contratosAleatorios = "'00001','00004'";
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{1})) << "the complementary 00004 is never listed";
    filtros.contratosAleatorios = "'00001') or (1=1";
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{})) << "a quote finds nothing and breaks nothing";
    filtros.contratosAleatorios = "'";
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{}));
}

TEST_F(FaturamentoPesquisaTest, RangesNatureFreeFieldAndOrder)
{
    filtros.contratanteIni = "00002";
    filtros.contratanteFim = "00002";
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{})) << "ACCONTRATANTE is empty on every contract";
    filtros = {};
    filtros.filial = "01";
    filtros.contratoIni = "2";
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{2}));
    filtros.campoLivre = "ACVENCIMENTO";
    filtros.tipoCampoLivre = host::data::FieldType::Int16;
    filtros.valorLivre = "5";
    EXPECT_TRUE(SqlPesquisaContrato(filtros, Previsao, false, false).contains(" and (Cont.ACVENCIMENTO = 5)"));
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{2}));
    filtros.natureza = "D";
    EXPECT_TRUE(SqlPesquisaContrato(filtros, Previsao, false, false).contains(" and (cont.ACNatureza = 'D')"));
    EXPECT_EQ(contratos(Previsao), (std::multiset<int>{}));

    filtros = {};
    filtros.filial = "01";
    filtros.ordem = 1;
    EXPECT_TRUE(SqlPesquisaContrato(filtros, Previsao, false, false).endsWith("\rOrder by Cli.Nome"));
    EXPECT_FALSE(SqlPesquisaContrato(filtros, Previsao, false, true).contains("Order"));
    EXPECT_TRUE(SqlPesquisaContrato(filtros, Previsao, false, true).startsWith("Select Count(*) from AATC05AC"));
    filtros.ordem = 0;
    EXPECT_TRUE(SqlPesquisaContrato(filtros, Previsao, false, false).endsWith("\r"));
}

TEST_F(FaturamentoPesquisaTest, OfficialisingListsForecastsOrEveryInstalmentNotOnAnOrder)
{
    const QString sql = SqlPesquisaContrato(filtros, ApenasOficializar, false, false);
    EXPECT_TRUE(sql.contains("obj.ofCodigo , Rec.* from"));
    EXPECT_TRUE(sql.contains(" and not(Rec.aoCodigo is null)  and situacao_documento='V'"));
    EXPECT_EQ(contratos(ApenasOficializar), (std::multiset<int>{1}));

    filtros.contasAbertas = true;
    EXPECT_TRUE(SqlPesquisaContrato(filtros, ApenasOficializar, false, false)
                    .contains(" and Coalesce(Rec.PEDIDO,'') = ''   "));
    EXPECT_EQ(contratos(ApenasOficializar), (std::multiset<int>{1, 1})) << "one row per instalment";
    filtros.vencimentoIni = "02/10/2031";
    EXPECT_EQ(contratos(ApenasOficializar), (std::multiset<int>{1}));
    filtros.vencimentoIni.clear();
    filtros.documentoIni = "100131";
    filtros.documentoFim = "100131";
    EXPECT_EQ(contratos(ApenasOficializar), (std::multiset<int>{1}));
}

TEST_F(FaturamentoPesquisaTest, WithoutForecastLeavesOutContractsWithAForecast)
{
    EXPECT_EQ(contratos(Previsao, true), (std::multiset<int>{2}));
    EXPECT_EQ(contratos(ApenasOficializar, true), (std::multiset<int>{}))
        << "a forecast of a contract without forecasts cannot exist";
}

TEST_F(FaturamentoPesquisaTest, GeneratorArgumentsOfEachRowAndTheLastRowFlag)
{
    host::data::Query query(nullptr, "quPesq");
    query.setTransaction(global->IBTransaction1.get());
    filtros.ordem = 3;
    query.setSql(SqlPesquisaContrato(filtros, Previsao, false, false));
    query.open();
    query.first();
    ArgumentosParcelas a = ArgumentosParcelasContrato(query, "01/10/2031", "31/12/2031", "05/10/2031", ParcelaENota);
    EXPECT_EQ(a.modalidade, "R");
    EXPECT_EQ(a.periodoInicial, "01/10/2031");
    EXPECT_EQ(a.periodoFinal, "31/12/2031");
    EXPECT_EQ(a.cliente, "00002");
    EXPECT_TRUE(a.nota) << "only \"Parcela e Nota\" invoices";
    EXPECT_EQ(a.diaVencimento, "10");
    EXPECT_EQ(a.contrato, 1);
    EXPECT_DOUBLE_EQ(a.valorParcela, 150.5);
    EXPECT_EQ(a.filial, "01");
    EXPECT_EQ(a.tipoPagamento, "2");
    EXPECT_EQ(a.banco, "001");
    EXPECT_EQ(a.dataEmissao, "05/10/2031");
    EXPECT_EQ(a.periodo, "M");
    EXPECT_EQ(a.objeto, 4);
    EXPECT_EQ(a.filialPedido, "01");
    EXPECT_EQ(a.operacao, "5102") << "the billing object's operation";
    EXPECT_FALSE(a.ultimo);
    EXPECT_EQ(a.textoObjeto, "");
    EXPECT_TRUE(a.revisarCaixa);
    EXPECT_EQ(a.contaDebito, 0);
    EXPECT_EQ(a.contaCredito, 0);
    query.next();
    a = ArgumentosParcelasContrato(query, "01/10/2031", "31/12/2031", "05/10/2031", Previsao);
    EXPECT_EQ(a.contrato, 2);
    EXPECT_FALSE(a.nota);
    EXPECT_EQ(a.diaVencimento, "5");
    EXPECT_EQ(a.operacao, "") << "no billing object";
    EXPECT_TRUE(a.ultimo) << "the last row of the selection";
}

TEST(ContratanteTest, CodeIsWrittenWithFiveDigits)
{
    QString codigo;
    EXPECT_TRUE(NormalizaContratante("42", codigo));
    EXPECT_EQ(codigo, "00042");
    EXPECT_TRUE(NormalizaContratante(" 00007 ", codigo));
    EXPECT_EQ(codigo, "00007");
    codigo = "x";
    EXPECT_FALSE(NormalizaContratante("4a", codigo));
    EXPECT_EQ(codigo, "x");
}

}  // namespace
}  // namespace contractstest
