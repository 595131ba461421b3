// The sales-order record packages complete (the customer's discount limit,
// totals, prices by the payment-term table, merged lines, the lines' texts,
// the end of a batch of lines) and the host's sales-order window opened from
// the main window's menu.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QTest>

using testsupport::HostDatabaseTest;

class PedidoVendaTest : public HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, CLDESCONTO) values ('00001', 'Ana', 10)");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00002', 'Bia')");
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, DESCONTO) values ('05', 'Com desconto', 5)");
        exec("insert into AFVT0101 (CODIGO, DESCRICAO) values ('06', 'Sem desconto')");
        rLimitePedido = 0;
    }
    void TearDown() override
    {
        rLimitePedido = 0;
        if (fmPedidoVenda)
            delete fmPedidoVenda.get();
        HostDatabaseTest::TearDown();
    }
    QString pedido(const QString& cliente, const QString& tabela = {})
    {
        return global->InserirPedidoVenda(cliente, {}, {}, tabela, {}, "5102", "S", {}, {}, "001", {}, 0, {}, {}, {});
    }
    int linha(const QString& numero, const QString& produto, double quantidade, double valor, bool total = true,
              double desconto = 0)
    {
        return global->InserirPedidoVendaItem(produto, numero, quantidade, desconto, false, false, valor, 0, 0, {},
                                              0, {}, total, "5102", {}, {});
    }
    host::data::Field& campo(const char* nome) { return *global->quPedidoVenda->fieldByName(nome); }
};

// The customer's 10 % is no amount: the limit is the one the host sets, -1 none.
TEST_F(PedidoVendaTest, TheDiscountLimitIsTheAmountTheHostSetsNotTheCustomersPercentage)
{
    global->CarregaPedidoVenda(pedido("00001"));
    EXPECT_TRUE(campo("LIMITE_DESCONTO").isNull());
    for (const double limite : {25.0, -1.0}) {
        rLimitePedido = limite;
        global->quPedidoVenda->edit();
        if (limite < 0)
            EXPECT_TRUE(campo("LIMITE_DESCONTO").isNull());
        else
            EXPECT_DOUBLE_EQ(campo("LIMITE_DESCONTO").asFloat(), limite);
        global->quPedidoVenda->cancel();
    }
}

TEST_F(PedidoVendaTest, TheRecordKeepsWhatTheCompletionWrites)
{
    const QString numero = pedido("00001");
    global->CarregaPedidoVenda(numero);
    global->quPedidoVenda->edit();
    campo("ORCTCODIGO").setAsInteger(3);
    campo("VEREFERENTE").setAsString("Referente à OS: 42 ");
    campo("VEVALORDESPESAVIAGEM").setAsFloat(12.5);
    campo("VEVALORDESPESA").setAsFloat(7);
    campo("DESCONTO_GERAL").setAsFloat(4);
    campo("COD_REPRES").setAsString("R0001");
    campo("CODIGO_REPRESENTACAO").setAsString("RP1");
    SalvarAlteracoes(*global->quPedidoVenda);
    EXPECT_EQ(committed("select ORCTCODIGO || '|' || VEREFERENTE || '|' || COD_REPRES || '|' || CODIGO_REPRESENTACAO"
                  " from AVEC8501 where NUMERO_PEDIDO = :N",
                  {{"N", numero}})
                  .toString(),
              "3|Referente à OS: 42 |R0001|RP1");
    EXPECT_DOUBLE_EQ(committed("select VEVALORDESPESAVIAGEM + VEVALORDESPESA - DESCONTO_GERAL from AVEC8501"
                         " where NUMERO_PEDIDO = :N",
                         {{"N", numero}})
                         .toDouble(),
                     15.5);
}

TEST_F(PedidoVendaTest, TotalsComeFromTheLinesAndAnOrderWithoutLinesKeepsItsOwn)
{
    const QString numero = pedido("00001");
    linha(numero, "P1", 2, 50, true, 10);   // 100 gross, 90 net
    linha(numero, "P2", 1, 20);
    global->CarregaPedidoVenda(numero);
    global->quPedidoVenda->edit();
    campo("VEVALORDESPESAVIAGEM").setAsFloat(15);
    campo("VEVALORDESPESA").setAsFloat(5);
    campo("DESCONTO_GERAL").setAsFloat(8);
    global->PedidoVendaAtualizarTotalizador();
    EXPECT_DOUBLE_EQ(campo("VEVALORTOTALBRUTOITEM").asFloat(), 120);
    EXPECT_DOUBLE_EQ(campo("VEVALORTOTALDESCONTO").asFloat(), 18);
    EXPECT_DOUBLE_EQ(campo("VALOR_TOTAL").asFloat(), 110 + 20 - 8);
    global->quPedidoVenda->post();

    const QString despesas = pedido("00002");
    UpdateCampoVariavelCommit("AVEC8501", "VALOR_TOTAL", 35.0, "where NUMERO_PEDIDO = " + QuotedStr(despesas));
    global->CarregaPedidoVenda(despesas);
    global->PedidoVendaAtualizarTotalizador();
    EXPECT_FALSE(global->quPedidoVenda->editing());
    EXPECT_DOUBLE_EQ(campo("VALOR_TOTAL").asFloat(), 35) << "given by hand";
}

TEST_F(PedidoVendaTest, ThePaymentTermTableDiscountRepricesTheLines)
{
    const QString numero = pedido("00001", "05");
    linha(numero, "P1", 2, 50, true, 20);
    global->AtualizaVendaItemPrecoTabelaVencimento(numero, "06");
    EXPECT_DOUBLE_EQ(one("select TOTAL_UNIT from AVEC85IT where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(), 80)
        << "a table without discount changes nothing";
    global->AtualizaVendaItemPrecoTabelaVencimento(numero, "05");
    global->AtualizaVendaItemPrecoTabelaVencimento(numero, "05");
    EXPECT_DOUBLE_EQ(one("select DESCONTO from AVEC85IT where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(), 5);
    EXPECT_DOUBLE_EQ(one("select TOTAL_UNIT from AVEC85IT where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(), 95)
        << "twice gives the same";
}

TEST_F(PedidoVendaTest, CoincidingLinesMergeIntoTheFirstButNotThoseWithATextOrAnotherPrice)
{
    const QString numero = pedido("00001");
    const QString outro = pedido("00002");
    linha(numero, "P1", 1, 10);            // 1: takes 2 and 4
    linha(numero, "P1", 2, 10);            // 2
    linha(numero, "P1", 1, 12);            // 3: another price
    linha(numero, "P1", 3, 10);            // 4
    linha(numero, "P1", 1, 10);            // 5: has a text
    linha(numero, "P2", 1, 10);            // 6: another product
    linha(outro, "P1", 1, 10);             // another order
    global->InserirObservacaoAdicionalTabela(numero, "5", "V", "N/S:123");
    EXPECT_EQ(global->SomarPedidoItensCoincidentes(numero), 2);
    EXPECT_EQ(one("select list(COD || ':' || cast(QUANTIDADE as integer) || ':' || cast(TOTAL_UNIT as integer), ' ')"
                  " from (select * from AVEC85IT where NUMERO_PEDIDO = :N order by COD)",
                  {{"N", numero}})
                  .toString(),
              "1:6:60 3:1:12 5:1:10 6:1:10");
    EXPECT_EQ(one("select count(*) from AVEC85IT where NUMERO_PEDIDO = :N", {{"N", outro}}).toInt(), 1);
}

TEST_F(PedidoVendaTest, TheBatchEndSumsTheOrdersLeftWithoutTotalAndCommits)
{
    const QString numero = pedido("00001");
    linha(numero, "P1", 2, 10, false);
    linha(numero, "P2", 1, 5, false);
    EXPECT_DOUBLE_EQ(one("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(), 0);
    global->PVLacoGravacaoItem();
    EXPECT_DOUBLE_EQ(committed("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(),
                     25);
}

// Each order of a batch is summed once, however many lines it got; the
// next batch starts afresh and sums its orders again.
TEST_F(PedidoVendaTest, EachOrderOfABatchIsSummedOnceAndTheNextBatchAgain)
{
    const QString numero = pedido("00001");
    const QString outro = pedido("00001");
    for (int i = 0; i < 3; ++i) {
        linha(numero, "P1", 1, 10, false);
        linha(outro, "P2", 1, 5, false);
    }
    testsupport::StatementCounter contador;
    global->PVLacoGravacaoItem();
    EXPECT_EQ(contador.count(), 2) << "one sum per order";
    EXPECT_DOUBLE_EQ(committed("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = :N", {{"N", outro}}).toDouble(),
                     15);

    linha(numero, "P2", 2, 5, false);
    global->PVLacoGravacaoItem();
    EXPECT_DOUBLE_EQ(committed("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = :N", {{"N", numero}}).toDouble(),
                     40);
}

TEST_F(PedidoVendaTest, TheLineTextIsReplacedAndAnEmptyOneIsNotStored)
{
    global->InserirObservacaoAdicionalTabela("000001", "2", "V", "primeiro");
    global->InserirObservacaoAdicionalTabela("000001", "2", "V", "N/S:9 Eqto.: Torno");
    global->InserirObservacaoAdicionalTabela("000001", "3", "V", "  ");
    EXPECT_EQ(one("select list(OBSEQUENCIA || ':' || OBTEXTO) from AUGC70OB where OBCODIGO = '000001' and OBID = 'V'")
                  .toString(),
              "2:N/S:9 Eqto.: Torno");
}

TEST_F(PedidoVendaTest, TheMenuItemOpensTheWindowThatShowsTheOrderLoaded)
{
    const QString numero = pedido("00001");
    linha(numero, "P1", 2, 10);
    linha(numero, "P2", 1, 5);
    TfmPrincipal principal;
    ASSERT_NE(principal.miPedidoVenda, nullptr);
    EXPECT_EQ(principal.miPedidoVenda->caption(), "Pedido de Vendas");
    principal.miPedidoVenda->click();
    TfmPedidoVenda* janela = fmPedidoVenda.get();
    ASSERT_NE(janela, nullptr);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(janela->pedidoExibido().isEmpty());
    global->CarregaPedidoVenda(numero);
    EXPECT_EQ(janela->pedidoExibido(), numero);
    EXPECT_EQ(janela->edPedido->text(), numero);
    EXPECT_EQ(janela->dbteCliente->text(), "00001");
    EXPECT_EQ(janela->quItens->recordCount(), 2);
    principal.miPedidoVenda->click();
    EXPECT_EQ(fmPedidoVenda.get(), janela) << "one window";

    const QString outro = pedido("00002");
    janela->edPedido->setText(outro);
    QTest::keyClick(janela->edPedido, Qt::Key_Return);
    EXPECT_EQ(janela->pedidoExibido(), outro);
    EXPECT_EQ(janela->quItens->recordCount(), 0);
    EXPECT_TRUE(dialogs->shown().empty());
}
