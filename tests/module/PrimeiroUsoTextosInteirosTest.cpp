// Texts shown whole on the first start: the branch's tax number typed in
// "Sistema > Parâmetros" prints on the rental contract and its protocol, and
// shows whole in the branches' grid; the stock grid shows the locations'
// names whole; each of the product register's delete buttons is named.

#include "tests/module/LocacaoPropriaFixture.h"
#include "tests/module/ParametrosNaJanela.h"

#include <QPushButton>

namespace moduletest {
namespace {

using PrimeiroUsoTextosInteirosTest = LocacaoPropriaTest;

TEST_F(PrimeiroUsoTextosInteirosTest, TheBranchsTaxNumberPrintsOnTheContractAndItsProtocol)
{
    TfmParametros* parametros = parametrosDoMenu(*principal);
    ASSERT_NE(parametros, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parametros));
    EXPECT_GE(linhaDe(parametros->grdEmpresa, 0, "CNPJ"), 0);
    EXPECT_EQ(linhaDe(parametros->grdEmpresa, 0, "CICCGC"), -1);
    digitaNaCelula(parametros->grdFiliais, linhaDe(parametros->grdFiliais, 0, "01"), 2, "12.345.678/0001-90");
    EXPECT_GT(parametros->grdFiliais->columnWidth(2),
              parametros->grdFiliais->fontMetrics().horizontalAdvance("12.345.678/0001-90"));
    dialogs->acknowledge("Parâmetros gravados.");
    parametros->bbSalvar->click();
    parametros->close();

    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    const QStringList documentos[] = {{"Contrato"}, {"Protocolo", "Entrega"}};
    for (const QStringList& escolhas : documentos) {
        dialogs->answer(escolhas[0], "Selecione o Tipo de Documento que deseja imprimir:");
        if (escolhas.size() > 1)
            dialogs->answer(escolhas[1], "Qual modelo de Protocolo deseja imprimir?");
        form->btImprimir->click();
        const QString impresso = paginasDoVisualizador();
        EXPECT_TRUE(impresso.contains("12.345.678/0001-90")) << escolhas[0].toStdString() << impresso.toStdString();
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

TEST_F(PrimeiroUsoTextosInteirosTest, TheStockGridShowsEveryLocationsNameWhole)
{
    TfmCadastroHost& produtos = cadastroDeProdutos();
    host::ui::GridColumn* local = nullptr;
    for (host::ui::DataGrid* grade : produtos.dbgdDetalhes)
        if (grade->columnByField("POENTRADA"))
            local = grade->columnByField("LECODIGO");
    ASSERT_NE(local, nullptr);
    ASSERT_FALSE(local->pickList().isEmpty());
    for (const QString& nome : local->pickList())
        EXPECT_GE(local->width(), produtos.fontMetrics().horizontalAdvance(nome) + 12) << nome.toStdString();
}

// Every grid of the product register has its delete button, named.
TEST_F(PrimeiroUsoTextosInteirosTest, EachDetailsDeleteButtonSaysWhatItDeletes)
{
    TfmCadastroHost& produtos = cadastroDeProdutos();
    ASSERT_EQ(produtos.bbExcluirDetalhes.size(), produtos.dbgdDetalhes.size());
    for (QPushButton* botao : produtos.bbExcluirDetalhes)
        EXPECT_TRUE(botao->text().startsWith("Excluir ")) << botao->objectName().toStdString();
}

}  // namespace
}  // namespace moduletest
