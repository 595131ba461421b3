// A new rental company's own pieces from the product register to a
// contract, on the database the first start leaves, with orders configured
// at the checkout (mode "C"): the product registered with its serial rule,
// stock and two pieces by their serial numbers, one of them rented on a
// contract; a proposal of it made an order; the checkout's picker offers the
// other piece, which goes out on the contract the order becomes; typed on
// another contract, it is refused.

#include "tests/module/LocacaoPropriaFixture.h"

#include "data/uDataTec.h"
#include "host/data/DataSource.h"
#include "host/ui/DataLookupCombo.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssVendas.h"

namespace moduletest {
namespace {

using LocacaoSerieCheckoutTest = LocacaoPropriaTest;

TEST_F(LocacaoSerieCheckoutTest, ARegisteredPieceIsPickedAtCheckoutGoesOutOnTheContractAndIsRefusedOnAnother)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    TfmCadastroHost& produtos = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(produtos, "Andaime tubular");
    ASSERT_TRUE(estoqueNoLocal(produtos, "001", "2"));
    ASSERT_TRUE(pecasComSerie(produtos, {"AND-0001", "AND-0002"}, "001")) << "the register takes the pieces";
    produtos.close();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    // AND-0002 rented on the demonstration's contract.
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaComSerie(*form, produto, "1", "AND-0002");
    form->btSalvar->click();
    form->close();

    // The proposal, made an order.
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Proposta");
    clicaAba(venda.pcPedido, venda.tsEquipSolicitados);
    novaLinhaNaGrade(venda.dbgdAssVendaItens, "CODIGO", produto);
    celula(venda.dbgdAssVendaItens, "VALOR", "1.234,56", Qt::Key_Return);
    venda.bbSalvar->click();
    dialogs->answer("Sim", "Confirma a geração Pedido?");
    QTest::mouseClick(venda.bbFinalizar, Qt::LeftButton);
    const QString pedido = dmTec->quAssVenda->fieldByName("VEPROPOSTA")->asString();
    venda.close();
    ASSERT_FALSE(pedido.isEmpty()) << vistos();

    // Its checkout: the piece picked, the order released.
    TfmAssCheckoutConsulta& lista = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", pedido)) << vistos();
    lista.dbgdConsultaDblClick();
    TfmAssCheckout& checkout = *fmAssCheckout;
    clicaAba(checkout.pcCheckout, checkout.tsEquipSelecionados);
    QStringList oferecidas;
    dialogs->modal("fmPesquisa", [&oferecidas](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        host::data::Dataset& pecas = *p.dataSource()->dataset();
        for (pecas.first(); !pecas.eof(); pecas.next())
            oferecidas << pecas.fieldByName("NSNUMERO")->asString();
        ASSERT_TRUE(pecas.locate("NSNUMERO", "AND-0001"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    novaLinhaNaGrade(checkout.dbgdAssCheckoutEquip, "CODIGO", produto);
    celula(checkout.dbgdAssCheckoutEquip, "OBS", "Obra centro", Qt::Key_Down);
    EXPECT_EQ(oferecidas, QStringList{"AND-0001"}) << "the piece out is not offered; " << vistos();
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(checkout.btConfirmarCheckout, Qt::LeftButton);
    dialogs->answer("Sim", "Confirme a liberação do Pedido");
    QTest::mouseClick(checkout.bbLiberaFaturamento, Qt::LeftButton);
    checkout.close();

    // The order becomes the contract, the piece out on it.
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", pedido)) << vistos();
    lista.miAbrirPedido->trigger();
    dialogs->answer("Sim", "Confirma a geração Contrato?");
    QTest::mouseClick(fmAssVendas->bbFinalizar, Qt::LeftButton);
    fmAssVendas->close();
    lista.close();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString contrato = lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").value(0);
    ASSERT_FALSE(contrato.isEmpty()) << vistos();
    EXPECT_EQ(lido("select first 1 ACCODIGO from AUGC50NS where NSNUMERO = 'AND-0001' order by NSCODIGO desc"),
              QStringList{contrato});

    // Typed on the demonstration's contract, it is refused.
    form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    novaLinhaNaGrade(form->dbgdAssContCadLocEquipItens, "PRCODIGO", produto);
    celula(form->dbgdAssContCadLocEquipItens, "ACITNUMEROSERIE", "AND-0001");
    celula(form->dbgdAssContCadLocEquipItens, "ACITVALORUNITARIO", "900,00", Qt::Key_Return);
    form->btSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('|').contains("O Nº de Série \"AND-0001\" já está locado no contrato " +
                                                    contrato + "."))
        << vistos();
    EXPECT_EQ(lido("select ACITNUMEROSERIE from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" + produto + "'"),
              QStringList{"AND-0002"});
}

}  // namespace
}  // namespace moduletest
