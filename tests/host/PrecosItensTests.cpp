// The host's price and stock routines of the order lines, over their tables:
// promotion days and quantity, the customer's band, local stock, the rate
// that may be missing, three-digit locations and the freight check; and the
// pickers of a sales line's grid.

#include "host/UdmglobalPrecos.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/UpesqVendasItens.h"
#include "host/ui/Layouts.h"
#include "tests/support/HostDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PrecosItens : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, ESTOQUE) values ('PX', 'Produto X', 200, 9)");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, CLFAIXAVENDA, CLDESCONTO) values ('00009', 'Bia', 'B2', 3)");
    }
};

TEST_F(PrecosItens, APromotionHoldsFromItsFirstToItsLastDayEachOpenWhenEmpty)
{
    const QDateTime hoje = QDateTime::currentDateTime();
    const QDateTime ontem = hoje.addDays(-1), amanha = hoje.addDays(1);
    EXPECT_TRUE(ProdutoEmPromocao(80, {}, {}));
    EXPECT_TRUE(ProdutoEmPromocao(80, hoje, hoje));
    EXPECT_TRUE(ProdutoEmPromocao(80, amanha, ontem));
    EXPECT_FALSE(ProdutoEmPromocao(80, ontem, {})) << "ended";
    EXPECT_FALSE(ProdutoEmPromocao(80, {}, amanha)) << "not begun";
    EXPECT_FALSE(ProdutoEmPromocao(0, {}, {})) << "no promotional price";
}

TEST_F(PrecosItens, APromotionLimitedToAQuantityEndsWhenThatMuchWasSold)
{
    EXPECT_DOUBLE_EQ(RetornaValorProdutoEmPromocao("PX", 0, 80.559, {}), 80.55);
    exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VEITPROMOCAO) values ('000001', 1, 'PX', 4, 'S')");
    exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VEITPROMOCAO) values ('000001', 2, 'PX', 9, 'N')");
    EXPECT_DOUBLE_EQ(RetornaValorProdutoEmPromocao("PX", 5, 80, {}), 80);
    EXPECT_DOUBLE_EQ(RetornaValorProdutoEmPromocao("PX", 4, 80, {}), 0);
}

TEST_F(PrecosItens, TheCustomersBandDiscountAndMaximum)
{
    EXPECT_DOUBLE_EQ(DescontoCalculado("00009", "", "", "", 0, "PX"), 3);
    EXPECT_DOUBLE_EQ(DescontoCalculado("00009", "", "", "", 5, "PX"), 5) << "the product's own discount first";
    EXPECT_DOUBLE_EQ(DescontoCalculado("", "", "", "", 0, "PX"), 0);
    EXPECT_DOUBLE_EQ(RetornarPrecoFaixaClienteDesconto("00009", "PX"), 200) << "no band row: the sale price";
    exec("insert into ACEC11PD (PRCODIGO, PDFAIXAVENDA, PDDESCONTO, PDVALOR, PDACRESCIMO) values ('PX', 'B2', 10, 0, 50)");
    EXPECT_DOUBLE_EQ(RetornarPrecoFaixaClienteDesconto("00009", "PX"), 180);
    EXPECT_DOUBLE_EQ(PVValorMaximoFaixaCliente("00009", "PX", 0, 100, "", {}), 150);
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('US', '01/01/2000', 5)");
    EXPECT_DOUBLE_EQ(PVValorMaximoFaixaCliente("00009", "PX", 10, 100, "US", {}), 75) << "currency cost x rate + 50 %";
    EXPECT_DOUBLE_EQ(PVValorMaximoFaixaCliente("00009", "PX", 10, 100, "EU", {}), 150) << "no rate: the current value";
    exec("update ACEC11PD set PDVALOR = 170");
    EXPECT_DOUBLE_EQ(RetornarPrecoFaixaClienteDesconto("00009", "PX"), 170);
}

TEST_F(PrecosItens, PaymentTermChecksStockAtALocationAndRates)
{
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, DESCONTO) values ('T9', 'Prazo', 2)");
    EXPECT_TRUE(PVVerificaItemTabelaVencimento("T9"));
    EXPECT_TRUE(PVVerificaItemTabelaVencimento(""));
    EXPECT_FALSE(PVVerificaItemTabelaVencimento("ZZ"));
    EXPECT_FALSE(PVVerificaItemTabelaVencimentoDesconto("T9"));
    EXPECT_TRUE(PVVerificaItemTabelaVencimentoDesconto("ZZ"));

    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('PX', '002', 7, 2)");
    double entradas = 0, saidas = 0, total = 0;
    EXPECT_DOUBLE_EQ(QuantidadeLocalProduto("002", "PX", entradas, saidas, total), 5);
    EXPECT_DOUBLE_EQ(total, 9);
    EXPECT_DOUBLE_EQ(QuantidadeLocalProduto("003", "PX", entradas, saidas, total), 0);
    EXPECT_TRUE(VerificaVendaEstoqueLocal("PX", "002", 5, ""));
    EXPECT_FALSE(VerificaVendaEstoqueLocal("PX", "002", 6, ""));

    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('US', '01/01/2000', 5)");
    exec("insert into AUGC10MO (MOCODIGO, MODATA, MOCOTACAO) values ('US', '01/01/2001', 6)");
    EXPECT_DOUBLE_EQ(CotacaoMoedaZero("US", QDateTime(QDate(2000, 6, 1), QTime(0, 0))), 5);
    EXPECT_DOUBLE_EQ(CotacaoMoedaZero("US", {}), 6);
    EXPECT_DOUBLE_EQ(CotacaoMoedaZero("EU", {}), 0);
    EXPECT_TRUE(dialogs->texts().isEmpty()) << "a missing rate warns nobody";

    EXPECT_EQ(LocalEstoqueTresDigitos("01"), "001");
    EXPECT_EQ(LocalEstoqueTresDigitos(" 7 "), "007");
    EXPECT_EQ(LocalEstoqueTresDigitos("L1"), "L1");
    EXPECT_EQ(LocalEstoqueTresDigitos("0"), "000");
    EXPECT_EQ(LocalEstoqueTresDigitos("123"), "123");
    EXPECT_EQ(LocalEstoqueTresDigitos("0042"), "042") << "the code, not the text typed";
    EXPECT_EQ(LocalEstoqueTresDigitos("1234"), "1234") << "never cut";
    EXPECT_EQ(LocalEstoqueTresDigitos("-5"), "-05");
    EXPECT_EQ(LocalEstoqueTresDigitos(" "), "");
}

TEST_F(PrecosItens, TheFreightCheckTellsALowerPriceOnACarriersOrderAndChangesNothing)
{
    EXPECT_TRUE(PVVerificaItemFreteAcrescimo(90, 100, "Campinas", "", "00001", ""));
    EXPECT_TRUE(PVVerificaItemFreteAcrescimo(90, 100, "Campinas", "R", "", "00002"));
    EXPECT_FALSE(PVVerificaItemFreteAcrescimo(90, 100, "Campinas", "", "", ""));
    EXPECT_FALSE(PVVerificaItemFreteAcrescimo(100, 100, "Campinas", "", "00001", ""));
    EXPECT_FALSE(PVVerificaItemFreteAcrescimo(90, 0, "Campinas", "", "00001", ""));
}

}  // namespace

// ---- the pickers of a sales line's grid ----

namespace {

class PickersItens : public PrecosItens {
protected:
    void SetUp() override
    {
        PrecosItens::SetUp();
        host::ui::Layouts::setFolder(pasta.path());
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMVALOR) values ('PX', 1, 'C1', 2, 10.5)");
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMVALOR) values ('PX', 2, 'C2', 1, 4)");
    }
    void escolherLinha(int linha)
    {
        dialogs->modal("fmPesquisa", [linha](host::ui::Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            janela.dataSource()->dataset()->moveBy(linha);
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        });
    }
    QTemporaryDir pasta;
};

TEST_F(PickersItens, TheCompositionGivesItsWholeValueOrOneComponent)
{
    double valor = 0;
    QString obs;
    escolherLinha(0);
    ASSERT_TRUE(SelecionaComposicaoManual("PX", "", "", false, 0, nullptr, valor));
    EXPECT_DOUBLE_EQ(valor, 25);
    escolherLinha(1);
    ASSERT_TRUE(SelecionaVendaItemComposicao("", 1, "", "", "PX", valor, obs));
    EXPECT_DOUBLE_EQ(valor, 4);
    EXPECT_EQ(obs, "C2 x 1");
    dialogs->modal("fmPesquisa", {});
    valor = 7;
    EXPECT_FALSE(SelecionaComposicaoManual("PX", "", "", false, 0, nullptr, valor));
    EXPECT_DOUBLE_EQ(valor, 7);
}

TEST_F(PickersItens, OutgoingAndWarrantyDocumentsByTheOperationsDirection)
{
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1102', 'Compra', 'E')");
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5102', 'Venda', 'S')");
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA)"
         " values ('000010', '1', '00009', '5102', '001', 'PX', 1)");
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA)"
         " values ('000020', '2', 'F0001', '1102', '002', 'PX', 3)");
    QString documento, cliente, operacao, local, serie, fornecedor;
    int sequencia = 0;
    escolherLinha(0);
    ASSERT_TRUE(SelecionaDocumentoSaida("PX", documento, cliente, operacao, local, serie));
    EXPECT_EQ(QStringList({documento, cliente, operacao, local, serie}),
              QStringList({"000010", "00009", "5102", "001", "1"}));
    escolherLinha(0);
    ASSERT_TRUE(SelecionaDocumentoEntradaGarantiaItem("PX", documento, serie, local, operacao, fornecedor, sequencia));
    EXPECT_EQ(QStringList({documento, serie, local, operacao, fornecedor}),
              QStringList({"000020", "2", "002", "1102", "F0001"}));
    EXPECT_EQ(sequencia, 3);
}

TEST_F(PickersItens, ThePhotoOfALineReplacesTheStoredOneAndACancelledChoiceKeepsIt)
{
    const QString arquivo = pasta.filePath("foto.png");
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PNGDATA");
    f.close();
    exec("insert into FOTO (FTCODIGO, FTID, FTSEQUENCIA, FTFOTO) values ('000001PX', 'V', 1, 'antiga')");
    dialogs->cancel();
    EXPECT_FALSE(InserirImagem("ftFoto", "000001PX", "V", 1, "Imagem do Item da Venda"));
    dialogs->enter(arquivo);
    EXPECT_TRUE(InserirImagem("ftFoto", "000001PX", "V", 1, "Imagem do Item da Venda"));
    EXPECT_EQ(committed("select count(*) from FOTO").toInt(), 1);
    EXPECT_EQ(committed("select FTFOTO from FOTO").toByteArray(), QByteArray("PNGDATA"));
}

}  // namespace
