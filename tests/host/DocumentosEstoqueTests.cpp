// The stock documents the parts settlement writes (ACEM1401/ACEM14IT), the
// product record their items take, and the stock additions and subtractions.

#include "host/Udmglobal.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

namespace {

class DocumentosEstoque : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        dmGlobal->sLocalEstoqueAtual = "001";
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, PCO_VENDA, PCO_CUSTO, UNIDADE_MEDIDA)"
             " values ('P1', 'Peça', 10, 12.5, 7, 'UN')");
        exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('P1', '001', 10, 0)");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('9001', 'Devolução', '5')");
    }
    double numero(const QString& sql) { return one(sql).toDouble(); }
    DocumentoEstoque documento(const QString& cliente = "00012") const
    {
        return {QDateTime(), "A", "001", "S", "10:20:30", cliente, "5102"};
    }
};

TEST_F(DocumentosEstoque, DocumentsTakeTheNextNumberOfTheirSeriesAndLocation)
{
    const QString primeiro = dmGlobal->InseriDocumentoAcem1401(documento());
    const QString segundo = dmGlobal->InseriDocumentoAcem1401(documento(""));
    EXPECT_EQ(primeiro, "000001");
    EXPECT_EQ(segundo, "000002");
    EXPECT_EQ(one("select COD_CLI || '|' || OPERACAO_DOC || '|' || LOCAL_DOC || '|' || SERIE_DOC from ACEM1401"
                  " where DOCUMENTO = '000002'")
                  .toString(),
              "00000|5102|001|A")
        << "a document without customer goes to the anonymous one";
    // Another series numbers apart.
    DocumentoEstoque outra = documento();
    outra.serie = "B";
    EXPECT_EQ(dmGlobal->InseriDocumentoAcem1401(outra), "000001");
}

TEST_F(DocumentosEstoque, ItemsStoreTheirValuesTheLoadedProductAndTheExtraColumn)
{
    const ProdutoEstoque& produto = dmGlobal->CarregarProduto("P1");
    ASSERT_TRUE(produto.encontrado);
    EXPECT_DOUBLE_EQ(produto.valorUnitario, 12.5);
    EXPECT_EQ(produto.unidade, "UN");
    EXPECT_FALSE(dmGlobal->CarregarProduto("XX").encontrado);
    EXPECT_TRUE(dmGlobal->produtoCarregado.codigo.isEmpty()) << "an unknown product leaves no earlier one behind";

    const QString numero = dmGlobal->InseriDocumentoAcem1401(documento());
    ItemDocumentoEstoque item;
    item.local = "001";
    item.documento = numero;
    item.sequencia = 1;
    item.quantidade = 2;
    item.cliente = "00012";
    item.serie = "A";
    item.operacao = "5102";
    item.produto = "P1";
    item.valorUnitario = 12.5;
    item.valorTotal = 25;
    item.hora = "10:20:30";
    item.localProduto = "2";
    item.aoCodigo = 33;
    item.colunasExtras = ", AICODIGO";
    item.valoresExtras = " , 7";
    dmGlobal->InseriItemAcem14it(item);
    EXPECT_EQ(one("select CODIGOPRODUTO || '|' || SEQUENCIA || '|' || QUNATIDADEPRODUTO || '|' || AOCODIGO || '|'"
                  " || AICODIGO || '|' || VALOR_TOTAL_UNIT || '|' || VALOR_TOTAL || '|' || LECODIGO || '|' || HORA"
                  " || '|' || MELOCAL from ACEM14IT where DOCUMENTO = :D and SERIE = 'A' and COD_CLI = '00012'",
                  {{"D", numero}})
                  .toString(),
              "P1|1|2.000000000000000|33|7|12.50000000000000|25.00000000000000|002|10:20:30|001");

    // Items one after another, each with extras of its own (or none): each
    // stores its own.
    item.sequencia = 2;
    item.valoresExtras = ", 9";
    dmGlobal->InseriItemAcem14it(item);
    item.sequencia = 3;
    item.colunasExtras.clear();
    item.valoresExtras.clear();
    dmGlobal->InseriItemAcem14it(item);
    item.sequencia = 4;
    item.colunasExtras = ", AICODIGO";
    item.valoresExtras = ", 7";
    dmGlobal->InseriItemAcem14it(item);
    QStringList extras;
    for (int sequencia = 1; sequencia <= 4; ++sequencia)
        extras << one("select coalesce(AICODIGO, '-') from ACEM14IT where DOCUMENTO = :D and SEQUENCIA = :S",
                      {{"D", numero}, {"S", sequencia}})
                      .toString();
    EXPECT_EQ(extras, (QStringList{"7", "9", "-", "7"}));
}

TEST_F(DocumentosEstoque, AdditionAndSubtractionMoveTheStockAndTheLocationsPosition)
{
    dmGlobal->SubtraiEstoque("P1", 3);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 7);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 3);
    dmGlobal->SomaEstoque("P1", 1.5);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 8.5);
    EXPECT_DOUBLE_EQ(numero("select POENTRADA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 11.5);
    // A location without a position row gets one, on the side that moved.
    dmGlobal->SomaEstoque("P1", 4, "2");
    EXPECT_DOUBLE_EQ(numero("select POENTRADA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '002'"), 4);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '002'"), 0);
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 12.5);
}

TEST_F(DocumentosEstoque, AFailedMoveTakesBackOnlyItsOwnWork)
{
    dmGlobal->SubtraiEstoque("P1", 1);
    // A location code too long for the position fails after the stock moved:
    // the stock change is taken back, the earlier move stays.
    EXPECT_ANY_THROW(dmGlobal->SubtraiEstoque("P1", 2, "ABCD"));
    EXPECT_DOUBLE_EQ(numero("select ESTOQUE from ACEC1101 where CODIGO = 'P1'"), 9);
    EXPECT_DOUBLE_EQ(numero("select POSAIDA from ACEC11PO where PRCODIGO = 'P1' and LECODIGO = '001'"), 1);
}

TEST_F(DocumentosEstoque, OperationTypes)
{
    EXPECT_EQ(dmGlobal->TipoOperacao("9001"), "5");
    EXPECT_EQ(dmGlobal->TipoOperacao("nada"), "");
}

}  // namespace
