// The return order of order 42 through the sales-document menu of the
// service-order window: what it carries by the host parameters, the marks
// and numbers it leaves, its header text, the second order, the opening in
// the host's sales-order window, a failure half way (the order taken back,
// the window closed) and its statement count per item and per line.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "service_orders/uAssAndamento.h"

#include <QPushButton>

#include <cstdio>

namespace moduletest {
namespace {

class DevolucaoOSTest : public OrdemServicoPedidoTest {
protected:
    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        parametro("ATMODOFECHAMENTOOS", "R");
        for (const char* nome : {"ATOPCAOTELAOS", "ATENVIOEMAILOS", "ATRESTRICAOOS", "ATLOCALESTOQUEDOCUMENTO"})
            parametro(nome, "");
        exec("update AATC01AO set FOCODIGOTRANSPORTE = 'T01', FOCODIGOREPRESENTANTE = 'R01' where AOCODIGO = 42");
        exec("update AATC01AOIT set AOITQUANTIDADE = 1, AOITVALORNFREMESSA = 300, AOITNUMERONFREMESSA = '001234',"
             " AOITAUTORIZADO = 'S' where AOCODIGO = 42");
    }
    // The menu's third answer on the open window, each item's equipment
    // offer declined, the success message and the closing question.
    void devolver(TfmAssOrdemServico& form, int itens = 1, const QString& abrirPedido = "Não")
    {
        dialogs->answer("3)Devolução", kMenuDocumentosVenda);
        for (int i = 0; i < itens; ++i)
            dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
        dialogs->acknowledge("Operação efetuada com sucesso!");
        dialogs->answer(abrirPedido, "Deseja abrir o pedido de vendas?");
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_TRUE(janelaFechada());
    }
    QString devolucaoDaOS()
    {
        return committed("select coalesce(VECODIGODEVOLUCAO, '') from AATC01AO where AOCODIGO = 42").toString();
    }
    // "mark:order" of each service line, by line.
    QString marcasServicos()
    {
        return committed("select list(AAAUTORIZADO || ':' || coalesce(VECODIGO, ''), ' ') from (select * from"
                         " AATC01AA where AOCODIGO = 42 order by AACODIGO)")
            .toString();
    }
    QString marcasPecas()
    {
        return committed("select list(APAUTORIZADO || ':' || coalesce(VECODIGO, ''), ' ') from (select * from"
                         " AATC01AP where AOCODIGO = 42 order by APSEQUENCIA)")
            .toString();
    }
    QString marcasItens()
    {
        return committed("select list(AOITAUTORIZADO, ' ') from (select * from AATC01AOIT where AOCODIGO = 42"
                         " order by AOITCODIGO)")
            .toString();
    }
    int contar(const QString& tabela) { return committed("select count(*) from " + tabela).toInt(); }
};

TEST_F(DevolucaoOSTest, TheOrderCarriesTheItemsAndEveryAuthorisedServiceAndMarksThemReturned)
{
    parametro("ATSITUACAOPOSPEDIDO", "7");
    servico(1, 60, 40, 55);                  // worked time: its total
    servico(2, 0, 30, 99, "1");              // warranty, no time: its unit value
    servico(3, 30, 20, 20, "3", "N");        // not authorised: stays
    servico(4, 0, 25, 25, "2", "S", "VECODIGO", "'000900'");   // already in another order: sent again
    peca(1, 2, 10);                          // parts only travel under "P"
    exec("update AATC01AA set AADESCONTO = 5 where AOCODIGO = 42 and AACODIGO = 1");
    TfmAssOrdemServico& form = abrir();
    devolver(form);

    const QString pedido = devolucaoDaOS();
    ASSERT_FALSE(pedido.isEmpty());
    EXPECT_EQ(contar("AVEC8501"), 1);
    EXPECT_EQ(cabecalho(pedido, "CODIGO_CLIENTE || '|' || CODIGO_VENDEDOR || '|' || CODIG_TRANSPORTADORA || '|' ||"
                                " TABELA_VENCIMENTO || '|' || OPERACAO || '|' || COD_REPRES || '|' ||"
                                " CODIGO_REPRESENTACAO"),
              "00003|V01|T01|01|5933|R01|V01");
    EXPECT_EQ(cabecalho(pedido, "VEREFERENTE"), "Referente à OS: 42 N.F.Remessa:001234");
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"999 1.00 300.00 0.00 Torno", "SRV01 1.00 55.00 5.00 ",
                                                 "SRV01 1.00 30.00 0.00 ", "SRV01 1.00 25.00 0.00 "}));
    EXPECT_EQ(committed("select list(coalesce(AACODIGO, 0), ' ') from (select * from AVEC85IT order by COD)")
                  .toString(),
              "0 1 2 4");
    EXPECT_EQ(cabecalho(pedido, "cast(VALOR_TOTAL as numeric(9,2))"), "407.25") << "the total of its lines";
    EXPECT_EQ(observacaoLinha(pedido, 1), "    N/S SN-77   ");
    EXPECT_EQ(marcasServicos(), "D:" + pedido + " D:" + pedido + " N: D:" + pedido);
    EXPECT_EQ(marcasPecas(), "S:");
    EXPECT_EQ(marcasItens(), "D");
    EXPECT_EQ(committed("select ASCODIGO from AATC01AO where AOCODIGO = 42").toInt(), 7);
    EXPECT_EQ(fmPedidoVenda.get(), nullptr) << "\"Não\" leaves the order closed";
}

TEST_F(DevolucaoOSTest, ASecondOrderIsAskedForAndTakesTheOrdersPlace)
{
    parametro("ATSITUACAOPOSPEDIDO", "0");   // names no situation: the order keeps its own
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    devolver(form);
    const QString primeiro = devolucaoDaOS();
    EXPECT_EQ(committed("select ASCODIGO from AATC01AO where AOCODIGO = 42").toInt(), 4);
    parametro("ATSITUACAOPOSPEDIDO", "77");   // a code nobody registered

    // "Não" changes nothing and leaves the window open.
    exec("update AATC01AOIT set AOITAUTORIZADO = 'S' where AOCODIGO = 42");
    TfmAssOrdemServico& aberta = abrir();
    dialogs->answer("3)Devolução", kMenuDocumentosVenda);
    dialogs->answer("Não", "Esta OS já possui um pedido de devolução. Deseja inserir outro pedido de devolução?");
    aberta.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(fmAssOrdemServico.get(), &aberta);
    EXPECT_EQ(contar("AVEC8501"), 1);

    // The item and the line are returned already: the second order is empty
    // of them, and still the order's return order.
    dialogs->answer("3)Devolução", kMenuDocumentosVenda);
    dialogs->answer("Sim", "Deseja inserir outro pedido de devolução?");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    aberta.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());
    const QString segundo = devolucaoDaOS();
    EXPECT_NE(segundo, primeiro);
    EXPECT_EQ(contar("AVEC8501"), 2);
    EXPECT_EQ(linhasPedido(segundo), QStringList{"999 1.00 300.00 0.00 Torno"});
    EXPECT_EQ(committed("select ASCODIGO from AATC01AO where AOCODIGO = 42").toInt(), 4);
    EXPECT_EQ(marcasServicos(), "D:" + primeiro);
}

TEST_F(DevolucaoOSTest, ScreenOptionUSendsTheItemsOwnProductsAndNoServices)
{
    parametro("ATOPCAOTELAOS", "U");
    exec("update AATC01AOIT set AOITPRCODIGO = 'PEC01' where AOCODIGO = 42");
    servico(1, 60, 40, 40);
    TfmAssOrdemServico& form = abrir();
    devolver(form);
    const QString pedido = devolucaoDaOS();
    EXPECT_EQ(linhasPedido(pedido), QStringList{"PEC01 1.00 300.00 0.00 Torno"});
    EXPECT_EQ(marcasServicos(), "S:");
}

TEST_F(DevolucaoOSTest, UnderPOnlyAuthorisedItemsGoAndTheAuthorisedPartsGoToo)
{
    parametro("ATENVIOEMAILOS", "P");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITAUTORIZADO, AOITQUANTIDADE)"
         " values (42, 2, 'Prensa', 'N', 1)");
    peca(1, 2, 10);
    peca(2, 1, 7);
    exec("update AATC01AP set APAUTORIZADO = 'N' where AOCODIGO = 42 and APSEQUENCIA = 2");
    exec("update AATC01AP set APDESCONTO = 10 where AOCODIGO = 42 and APSEQUENCIA = 1");
    TfmAssOrdemServico& form = abrir();
    devolver(form);
    const QString pedido = devolucaoDaOS();
    EXPECT_EQ(linhasPedido(pedido), (QStringList{"999 1.00 300.00 0.00 Torno", "PEC01 2.00 10.00 10.00 "}));
    EXPECT_EQ(committed("select APSEQUENCIA || '|' || VEITCFOP from AVEC85IT where CODIGO = 'PEC01'").toString(),
              "1|5102");
    EXPECT_EQ(marcasPecas(), "D:" + pedido + " N:");
    EXPECT_EQ(marcasItens(), "D N");
}

TEST_F(DevolucaoOSTest, TheOrderTextFollowsTheVehicleAndReceiptModes)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssOrdemServico& form = abrir();
    devolver(form);
    EXPECT_EQ(cabecalho(devolucaoDaOS(), "VEREFERENTE"), "OS: 42     Placa: ABC-1234     KM: 15000");

    parametro("ATMODOVEICULO", "");
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    exec("update AATC01AOIT set AOITAUTORIZADO = 'S', AOITNUMERONFREMESSA = null where AOCODIGO = 42");
    TfmAssOrdemServico& outra = abrir();
    dialogs->answer("3)Devolução", kMenuDocumentosVenda);
    dialogs->answer("Sim", "Deseja inserir outro pedido de devolução?");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    outra.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(cabecalho(devolucaoDaOS(), "VEREFERENTE"), "OS: 42");
}

TEST_F(DevolucaoOSTest, OpeningTheOrderShowsItInTheHostsWindowAndMinimisesTheProgressScreen)
{
    criarPrincipal();
    TfmAssOrdemServico& form = abrir();
    auto* andamento = new TfmAssAndamento;
    fmAssAndamento = andamento;
    andamento->show();
    devolver(form, 1, "Sim");
    ASSERT_NE(fmPedidoVenda.get(), nullptr);
    EXPECT_EQ(dmGlobal->quPedidoVenda->fieldByName("NUMERO_PEDIDO")->asString(), devolucaoDaOS());
    EXPECT_TRUE(andamento->isMinimized());
    delete fmPedidoVenda.get();
    delete andamento;
}

// A line the edit guard refuses (it is in an invoiced order) stops the order
// after it was made: the order, its lines and texts and every mark go; the
// transaction's other pending work and what was typed on the order stay,
// and the window closes.
TEST_F(DevolucaoOSTest, AFailureAfterTheOrderWasMadeTakesItBackAndStillClosesTheWindow)
{
    parametro("ATRESTRICAOOS", "A");
    servico(1, 60, 40, 40);
    servico(2, 0, 25, 25, "3", "S", "VECODIGO", "'000900'");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssOrdemServico& form = abrir();
    exec("update AUGC0301 set NOME = 'Pendente de outra rotina' where CODIGO_CLIENTE = '00005'");
    dmTec->quOS->edit();
    dmTec->quOSAOATENDENTE->setAsString("Digitado antes");
    dialogs->answer("3)Devolução", kMenuDocumentosVenda);
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->acknowledge("Não é possível alterar item faturado!");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(janelaFechada());

    EXPECT_EQ(contar("AVEC8501"), 0);
    EXPECT_EQ(contar("AVEC85IT"), 0);
    EXPECT_EQ(contar("AUGC70OB where OBID = 'V'"), 0);
    EXPECT_EQ(devolucaoDaOS(), "");
    EXPECT_EQ(marcasServicos(), "S: S:000900");
    EXPECT_EQ(marcasItens(), "S");
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(committed("select NOME from AUGC0301 where CODIGO_CLIENTE = '00005'").toString(),
              "Pendente de outra rotina");
    EXPECT_EQ(committed("select AOATENDENTE from AATC01AO where AOCODIGO = 42").toString(), "Digitado antes")
        << "what was typed before is no part of the document";
    EXPECT_FALSE(dmTec->quOSItem->editing());
    EXPECT_FALSE(dmTec->quOSAndamento->editing());

    // Nothing was left half made: the next return order goes through whole.
    parametro("ATRESTRICAOOS", "");
    devolver(abrir());
    EXPECT_EQ(marcasServicos(), "D:" + devolucaoDaOS() + " D:" + devolucaoDaOS());
}

// The cost grows by the same number of statements for every item and every
// authorised service line.
TEST_F(DevolucaoOSTest, TheStatementsGrowByAFixedNumberPerItemAndPerServiceLine)
{
    struct Custo {
        int execucoes, preparos;
    };
    const auto custo = [this](int itens, int linhas) {
        for (const char* sql : {"delete from AATC01AA where AOCODIGO = 42", "delete from AATC01AOIT where AOCODIGO = 42",
                                "delete from AVEC85IT", "delete from AVEC8501", "delete from AUGC70OB",
                                "update AATC01AO set VECODIGODEVOLUCAO = null where AOCODIGO = 42"})
            exec(sql);
        for (int i = 1; i <= itens; ++i)
            exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITAUTORIZADO,"
                         " AOITQUANTIDADE) values (42, %1, 'Item %1', 'S', 1)")
                     .arg(i));
        for (int l = 1; l <= linhas; ++l)
            servico(l, 60, 40, 40);
        dmGlobal->IBTransaction1->commitRetaining();
        TfmAssOrdemServico& form = abrir();
        dialogs->answer("3)Devolução", kMenuDocumentosVenda);
        for (int i = 0; i < itens; ++i)
            dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
        dialogs->acknowledge("Operação efetuada com sucesso!");
        dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
        testsupport::StatementCounter contador;
        form.bbPedidoVenda->click();
        const Custo feito{contador.count(), contador.prepares()};
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_TRUE(janelaFechada());
        EXPECT_EQ(contar("AVEC85IT"), itens + linhas);
        return feito;
    };
    custo(1, 1);   // the first run prepares what every later one reuses
    const Custo base = custo(1, 1);
    const Custo doisItens = custo(2, 1);
    const Custo duasLinhas = custo(1, 2);
    const Custo grande = custo(10, 20);
    const int porItem = doisItens.execucoes - base.execucoes;
    const int porLinha = duasLinhas.execucoes - base.execucoes;
    std::printf("return order of 10 items and 20 service lines: %d statements, %d prepared"
                " (%d per item, %d per line, %d fixed)\n",
                grande.execucoes, grande.preparos, porItem, porLinha, base.execucoes - porItem - porLinha);
    EXPECT_EQ(grande.execucoes, base.execucoes + 9 * porItem + 19 * porLinha);
    // An item: its line, its text's sequence and text, its equipment check,
    // its mark and the row read back; a line: whether the order was billed,
    // its insert under a savepoint with the order's totals, the order's last
    // line, its mark, the row and the order's totals read back; each with the
    // order's row held as it is written.
    EXPECT_LE(porItem, 7);
    EXPECT_LE(porLinha, 12);
    // Prepared again per row: only the equipment check by the item's
    // description (compared upper-cased, so written in) and the sales line
    // with its service line's number written in.
    EXPECT_LE(grande.preparos, base.preparos + 9 + 19);
}

}  // namespace
}  // namespace moduletest
