// Parts requested for an order on a new installation: the part given its
// bar code in the product register, the order typed with it on two lines,
// the request filled by bar code and delivered in two hand-overs, each
// settled once, a return spread over both lines, and the order sold: stock
// and bill are what was used.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "host/UcadastroHost.h"
#include "host/Uprincipal.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssSolicitacao.h"
#include "tests/support/OnScreenDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace moduletest {
namespace {

class PrimeiroUsoPecasSolicitadasTest : public PrimeiroUsoOrdemTest {
protected:
    // "Código de barras" (and the kind) typed on the part found by its name in the product register.
    void codigoDeBarras(const QString& nome, const QString& barras)
    {
        principal->miCadastroProduto->click();
        auto* produtos = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastroPR"));
        ASSERT_NE(produtos, nullptr);
        produtos->edPesquisa->setText(nome);
        QTest::keyClick(produtos->edPesquisa, Qt::Key_Return);
        // The demonstration part has no kind yet, which the register requires.
        auto* tipo = qobject_cast<QComboBox*>(produtos->controle("COM_FAB_S_FS"));
        ASSERT_NE(tipo, nullptr);
        testsupport::escolheComSetas(*tipo, tipo->findText("Mercadoria", Qt::MatchStartsWith));
        digita(produtos->controle("OUTRO_CODIGO"), barras);
        produtos->bbSalvar->click();
        produtos->close();
    }
    // F9 by bar code, "Entregar": technician 2 delivers the quantity; the
    // last one closes the request.
    void entregaPorBarras(TfmAssSolicitacao& janela, const QString& quantidade, bool ultima)
    {
        dialogs->enter("7890001", "Barras");
        dialogs->answer("Entregar", "O produto P0001 já está inserido na solicitação.");
        dialogs->acknowledge("Informe o Código do Técnico da ENTREGA desta peça.");
        pesquisa("ATCODIGO", 2);
        dialogs->enter(quantidade, "Informe a quantidade do Produto P0001");
        if (ultima)
            dialogs->answer("Sim", "Todos itens da solicitação foram entregues.");
        QTest::keyClick(janela.dbgdAssSolicitacao, Qt::Key_F9);
    }
    // "Estoque", then "Baixar" on the settlement it opens: the lines it offered.
    QStringList entregaAoAcerto(TfmAssSolicitacao& janela)
    {
        janela.bbEstoque->click();
        TfmAssBaixaPecas* baixa = fmAssBaixaPecas.get();
        QStringList linhas;
        for (baixa->cdsBaixa->first(); !baixa->cdsBaixa->eof(); baixa->cdsBaixa->next())
            linhas << baixa->cdsBaixaprCodigo->asString() + "|" + baixa->cdsBaixaprQuantidade->asString();
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
        baixa->bbBaixar->click();
        baixa->close();
        return linhas;
    }
    // A return of the part to the order, typed in the settlement opened
    // from the menu, with "Inserir Peças na O.S.".
    void devolucao(const QString& os, const QString& quantidade)
    {
        TfmAssBaixaPecas& baixa = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
        baixa.sbEntrada->click();
        dialogs->modal("fmPesquisa", [](host::ui::Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            QTest::keyClicks(pesquisa.grid(), "1202");
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
        baixa.bbPesqBaixa->click();
        baixa.ckInserirPeca->click();
        novaLinhaNaGrade(baixa.dbgdOrdemServicoBaixaPecas, "prCodigo", "P0001");
        celula(baixa.dbgdOrdemServicoBaixaPecas, "aoCodigo", os);
        celula(baixa.dbgdOrdemServicoBaixaPecas, "prQuantidade", quantidade, Qt::Key_Return);
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
        baixa.bbBaixar->click();
        baixa.close();
    }
};

TEST_F(PrimeiroUsoPecasSolicitadasTest, RequestedPartsAreIssuedOnceAndBilledAsUsed)
{
    codigoDeBarras("Fonte de alimenta", "7890001");
    TfmAssOrdemServico* ordem = nullptr;
    const QString os = ordemNova(ordem);
    ASSERT_FALSE(os.isEmpty()) << vistos();
    clicaAba(ordem->pcOrdemServico, ordem->tsPecasOS);
    for (int linha = 0; linha < 2; ++linha) {
        novaLinhaNaGrade(ordem->dbgdOrdemServicoPecas, "PRCODIGO", "P0001");
        celula(ordem->dbgdOrdemServicoPecas, "APQUANTIDADE", "2", Qt::Key_Return);
    }
    ordem->bbSalvar->click();
    ordem->close();

    TfmAssSolicitacao& pedido = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    pedido.bbNovo->click();
    digita(pedido.dbedOS, os);
    pedido.bbSalvar->click();
    pedido.ckBarras->click();
    dialogs->enter("7890001", "Barras");
    dialogs->enter("4", "Informe a quantidade do Produto P0001");
    QTest::keyClick(pedido.dbgdAssSolicitacao, Qt::Key_F9);
    entregaPorBarras(pedido, "2", false);
    EXPECT_EQ(entregaAoAcerto(pedido), QStringList{"P0001|2"});
    entregaPorBarras(pedido, "2", true);
    EXPECT_EQ(entregaAoAcerto(pedido), QStringList{"P0001|2"}) << "the first hand-over is not issued again";
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'P0001'"), QStringList{"8"});

    devolucao(os, "3");
    EXPECT_EQ(lido("select cast(sum(APQUANTIDADE) as integer) from AATC01AP where AOCODIGO = " + os),
              QStringList{"1"})
        << "the return comes off both lines";

    ordem = &abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;" + os);
    dialogs->answer("1)Venda", "Selecione a opção desejada");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    ordem->bbPedidoVenda->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select cast(sum(it.QUANTIDADE) as integer) || '|' || cast(sum(it.QUANTIDADE * it.VALOR *"
                   " (100 - it.DESCONTO)) as integer) from AVEC85IT it join AVEC8501 pv"
                   " on pv.NUMERO_PEDIDO = it.NUMERO_PEDIDO where pv.AOCODIGO = " + os),
              QStringList{"1|8990"})
        << "the bill is the one part used";
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'P0001'"), QStringList{"11"})
        << "the stock is down by the one part used";
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

}  // namespace
}  // namespace moduletest
