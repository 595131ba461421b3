// An assistance order walked from proposal to delivery on the database the
// first start leaves, under mode "E": a unit short of stock goes to a
// back-order, a release the other desk reopened the order under is refused,
// and each order logs, moves and bills only what it saved and delivered;
// the back-order is checked out once its goods arrive.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/UcadastroHost.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssVendas.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

namespace moduletest {
namespace {

class PedidoAssPercursoTest : public PrimeiroUsoTest {
protected:
    // The checkout list searched on the status, the order's row current.
    TfmAssCheckoutConsulta& lista(const QString& numero, const QString& status = "Todos")
    {
        TfmAssCheckoutConsulta& form = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
        form.cbStatus->setCurrentText(status);
        form.bbPesquisar->click();
        EXPECT_TRUE(form.quConsulta->locate("NUMERO_PEDIDO", numero)) << numero.toStdString() << ": " << vistos();
        return form;
    }
    // The order's checkout, by a double click on the list.
    TfmAssCheckout& checkout(const QString& numero)
    {
        lista(numero).dbgdConsultaDblClick();
        EXPECT_NE(fmAssCheckout, nullptr);
        return *fmAssCheckout;
    }
    // Checkout confirmed, released (the contract made) and the equipment out
    // with the contract printed; the printed pages closed.
    void entrega(TfmAssCheckout& form)
    {
        dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
        QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
        dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?");
        QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
        dialogs->answer("Sim", "Confirme a Saída do(s) Equipamento(s)")
            .answer("Contrato", "Deseja Imprimir Contrato de Locação ou Nota Fiscal?");
        QTest::mouseClick(form.bbSaidaEquipamentos, Qt::LeftButton);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* impresso = qobject_cast<TfmVisualizadorRelatorio*>(w))
                impresso->close();
        form.close();
    }
    QStringList status(const QString& numero)
    {
        return lido("select coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'");
    }
};

TEST_F(PedidoAssPercursoTest, AnOrderShortOfStockGoesFromProposalToDeliveryWithItsBackOrder)
{
    parametroNaJanela("ATMODOPEDIDOASSISTENCIA", "E");

    // The proposal: 3 × L0001 at 300,00 (two in stock), made an order.
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Proposta");
    const QString proposta = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    celula(linhaNoPedido(venda, kLinhasDoPedido[0], "L0001"), "QUANTIDADE", "3", Qt::Key_Return);
    venda.bbSalvar->click();
    dialogs->answer("Sim", "Confirma a geração Pedido?");
    QTest::mouseClick(venda.bbFinalizar, Qt::LeftButton);
    const QString pedido = dmTec->quAssVenda->fieldByName("VEPROPOSTA")->asString();
    ASSERT_FALSE(pedido.isEmpty()) << vistos();

    // On the order, one unit a line: two configured, the third on a back-order.
    venda.sbProximo->click();
    ASSERT_EQ(dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString(), pedido) << vistos();
    for (int unidade = 1; unidade <= 3; ++unidade) {
        linhaNoPedido(venda, kLinhasDoPedido[1], "L0001");
        if (unidade == 3)
            dialogs->answer("Sim", "Deseja colocar em pedido pendente?");
        pesquisa("CODIGO", "L0001");   // the requested line it fulfils
        venda.bbSalvar->click();
    }
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    const QString pendencia =
        lido("select VECODIGOPENDENCIA from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").value(0);
    ASSERT_FALSE(pendencia.isEmpty()) << vistos();
    venda.close();

    // Two desks: this one confirms the checkout; while its release question
    // is open the other desk reopens it. The release is refused: no
    // contract, nothing logged or moved, the order shown reopened.
    const QString produto = "select coalesce(LOCALIZACAO, '') from ACEC1101 where CODIGO = 'L0001'";
    TfmAssCheckout& form = checkout(pedido);
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
    const QStringList emProducao = lido(produto);
    dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?")
        .meanwhile([this, pedido] {
            outraMesa("update AVEC8501 set IMPRESSO_NF = null where NUMERO_PEDIDO = '" + pedido + "'");
        })
        .acknowledge("foi alterado em outra estação (Pendente)");
    QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACPEDIDO = '" + pedido + "'"), QStringList{"0"});
    EXPECT_EQ(lido(produto), emProducao) << "a refused status moves no equipment";

    // Confirmed again, released and delivered with its contract.
    entrega(form);
    EXPECT_EQ(status(pedido), QStringList{"S"}) << vistos();

    // The back-order is listed; its goods arrive, and it is checked out,
    // released and delivered.
    TfmAssCheckoutConsulta& pendentes = lista(pendencia, "Pendência Pedido");
    EXPECT_EQ(pendentes.quConsulta->fieldByName("IMPRESSO_NF")->displayText(), "Pendência Pedido");
    pendentes.close();
    TfmCadastroHost* produtos = cadastroEm(principal->miCadastroProduto, "PR", "L0001");
    ASSERT_NE(produtos, nullptr);
    host::ui::DataGrid* estoque = detalheCom(*produtos, "POENTRADA");
    ASSERT_NE(estoque, nullptr);
    celula(estoque, "POENTRADA", "3", Qt::Key_Return);   // the store's 2 and the one that came in
    produtos->bbSalvar->click();
    produtos->close();
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'L0001'"), QStringList{"3"});
    TfmAssCheckout& segundo = checkout(pendencia);
    clicaAba(segundo.pcCheckout, segundo.tsEquipSelecionados);
    pesquisa("CODIGO", "L0001");
    novaLinhaNaGrade(segundo.dbgdAssCheckoutEquip, "CODIGO", "L0001");
    celula(segundo.dbgdAssCheckoutEquip, "QUANTIDADE", "1", Qt::Key_Down);
    entrega(segundo);
    EXPECT_EQ(status(pendencia), QStringList{"S"}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();

    // Read back: each status logged with the save that made it; the
    // equipment delivered; each order worth its own lines, each contract
    // what it delivered.
    EXPECT_EQ(lido("select OBSERVACAO || ' ' || ACAO from ARQLOG where ACAO starting with 'Alterou Status Pedido'"
                   " order by OBSERVACAO, HORA"),
              (QStringList{proposta + " Alterou Status Pedido: (Fechada)",
                           pedido + " Alterou Status Pedido: (Em Produção)",
                           pedido + " Alterou Status Pedido: (Em Produção)",   // confirmed again
                           pedido + " Alterou Status Pedido: (Liberado a Entrega)",
                           pedido + " Alterou Status Pedido: (Entregue)",
                           pendencia + " Alterou Status Pedido: (Em Produção)",
                           pendencia + " Alterou Status Pedido: (Liberado a Entrega)",
                           pendencia + " Alterou Status Pedido: (Entregue)"}));
    EXPECT_EQ(lido(produto), QStringList{"016"}) << "Pedidos entregues";
    EXPECT_EQ(lido("select NUMERO_PEDIDO || '|' || cast(VALOR_TOTAL * 100 as integer) from AVEC8501"
                   " where NUMERO_PEDIDO in ('" + proposta + "', '" + pedido + "', '" + pendencia + "')"
                   " order by NUMERO_PEDIDO"),
              (QStringList{proposta + "|90000", pedido + "|90000", pendencia + "|30000"}));
    EXPECT_EQ(lido("select ACPEDIDO || '|' || cast(ACVALOR * 100 as integer) from AATC05AC"
                   " where ACPEDIDO in ('" + pedido + "', '" + pendencia + "') order by ACPEDIDO"),
              (QStringList{pedido + "|60000", pendencia + "|30000"}));
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
